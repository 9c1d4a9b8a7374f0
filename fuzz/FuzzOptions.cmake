# Compile settings of the fuzz build: every library is instrumented for
# libFuzzer's coverage and checked by the address and undefined-behaviour
# sanitizers; undefined behaviour aborts so the fuzzer keeps the input.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "MORVANTA_FUZZ needs clang (CXX=clang++); scripts/fuzz sets it up")
endif()
target_compile_options(morvanta_options INTERFACE
  -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer)
target_link_options(morvanta_options INTERFACE -fsanitize=address,undefined)
