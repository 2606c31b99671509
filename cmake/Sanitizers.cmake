# Instruments every target of the tree with AddressSanitizer (which brings
# LeakSanitizer) and UndefinedBehaviorSanitizer. Included before any target is
# defined, so the libraries, the programs, the tests and the fuzzers all carry
# the same instrumentation.
#
# Undefined behaviour aborts instead of printing and going on, so a report
# fails its test rather than scrolling past in a green run.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang|GNU")
  message(FATAL_ERROR "KEEPSAKE_SANITIZE needs clang or gcc, not ${CMAKE_CXX_COMPILER_ID}")
endif()

add_compile_options(
  -fsanitize=address,undefined
  -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer
  -fno-optimize-sibling-calls)
add_link_options(-fsanitize=address,undefined)
# Instrumented code runs several times slower: the few tests that guard a time
# budget widen it when this is defined.
add_compile_definitions(KEEPSAKE_SANITIZED)

# What every test runs with, appended to its environment by keepsake_add_test().
# Children the tests start (keepsake-cli, the crash-safety writer) inherit it.
# The leak suppressions name only libraries we do not build; our own code is
# never suppressed. The leak checker of clang 14 misreads the dynamic TLS
# blocks of glibc 2.36 (a block "at 0x21264-0x800022366") and its tracer dies
# at exit, now and then, in tests that load Qt's image plugins; it is told
# not to follow __tls_get_addr, so it keeps to the static TLS it reads right.
set(KEEPSAKE_SANITIZER_TEST_ENV
  "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1:intercept_tls_get_addr=0"
  "UBSAN_OPTIONS=print_stacktrace=1"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp")

# Chromium inside QtWebEngine frees some of a page's objects with a sized
# delete of the wrong size when the page closes (allocated and freed in
# libQt6WebEngineCore, never in our code). ASan cannot suppress that report by
# library, only switch the check off, so only the tests that load web pages
# add this to their environment (ENVIRONMENT_MODIFICATION) and keep every other
# check.
set(KEEPSAKE_SANITIZER_WEB_TEST_ENV "ASAN_OPTIONS=string_append::new_delete_type_mismatch=0")
