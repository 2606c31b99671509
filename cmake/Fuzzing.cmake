# Instruments every target of the tree for libFuzzer: coverage feedback
# (fuzzer-no-link adds only the instrumentation, not libFuzzer's main, so the
# library, the programs and the tests still link and run as usual) plus
# AddressSanitizer and UndefinedBehaviorSanitizer, so that what the fuzzers
# reach in the core is checked, not only what the fuzzers themselves do.
# Included before any target is defined; the fuzz targets add libFuzzer's
# main themselves (fuzz/CMakeLists.txt).
#
# Undefined behaviour aborts instead of printing and going on: libFuzzer only
# keeps an input that crashes.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR
    "KEEPSAKE_BUILD_FUZZERS needs clang, which brings libFuzzer; this tree is "
    "configured with ${CMAKE_CXX_COMPILER_ID}. Configure a fresh build folder "
    "with CC=clang CXX=clang++.")
endif()

add_compile_options(
  -fsanitize=fuzzer-no-link,address,undefined
  -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
