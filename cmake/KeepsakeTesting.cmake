# keepsake_add_test(NAME SOURCES... [GUI]) builds one QtTest executable and
# registers it with CTest. Every test runs headless; GUI tests link the GUI
# library, core tests only the core one, so a core test can never pull in a
# widget by accident.
function(keepsake_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE keepsake_test_support Qt6::Test)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE keepsake_gui)
  else()
    target_link_libraries(${name} PRIVATE keepsake_core)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  # A window that opens a base keeps a content index of it in the user's
  # cache folder; a test's indexes stay in the build tree instead.
  set(env QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 LC_ALL=C.UTF-8
    XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache/${name}
    ${KEEPSAKE_SANITIZER_TEST_ENV})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${env}"
    TIMEOUT 300)
endfunction()
