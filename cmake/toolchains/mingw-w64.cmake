# Cross-build of the Qt-free core and its tests for Windows with mingw-w64;
# the tests run under wine:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake \
#     -DMORVANTA_BUILD_GUI=OFF -DMORVANTA_BUILD_RUNNER=OFF -DMORVANTA_BUILD_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime, so the test programs run under wine without DLL hunting.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(MORVANTA_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(MORVANTA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVANTA_WINE})
endif()
