# Cross-compiling for 64-bit Windows with mingw-w64 (Debian's g++-mingw-w64-x86-64):
#   cmake -S . -B build-mingw --toolchain cmake/mingw-w64-x86_64.cmake
# The programs run on Windows, or here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HMIGFX_MINGW_TRIPLET x86_64-w64-mingw32)
# The POSIX thread model: std::mutex and std::thread (GoogleTest needs them).
set(CMAKE_C_COMPILER ${HMIGFX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HMIGFX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${HMIGFX_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${HMIGFX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthread) goes into each program
# and the DLL, so they run without the cross compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Programs built here run under Wine (gtest_discover_tests, custom commands).
find_program(HMIGFX_WINE NAMES wine wine64)
if(HMIGFX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HMIGFX_WINE})
endif()
