# keepsake_layer(<name> [DEPENDS <lower layers and libraries>...])
#
# The static library keepsake_<name> for one folder of the sources, linked to
# the layers below it and nothing else. Outside the sanitized builds (whose
# runtime lives in the executables) the whole archive is also linked into a
# shared library with --no-undefined: a call into a layer that is not among
# DEPENDS, a higher one above all, then fails the build at that layer.
function(keepsake_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "DEPENDS")
  add_library(keepsake_${name} STATIC)
  set_target_properties(keepsake_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_link_libraries(keepsake_${name} PUBLIC ${LAYER_DEPENDS})
  if(NOT KEEPSAKE_SANITIZE)
    add_library(keepsake_${name}_linkcheck SHARED ${PROJECT_SOURCE_DIR}/cmake/LinkCheck.cpp)
    target_link_libraries(keepsake_${name}_linkcheck
      PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,keepsake_${name}>")
    target_link_options(keepsake_${name}_linkcheck PRIVATE -Wl,--no-undefined)
    set_target_properties(keepsake_${name}_linkcheck PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/linkcheck)
  endif()
endfunction()
