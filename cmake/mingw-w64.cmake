# Cross build of the native Windows program with MinGW-w64 (posix threads). The runtime is linked
# statically, so tessaloom.exe needs no DLL beside it.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TL_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine from the build host.
find_program(TL_WINE_LOADER NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TL_WINE_LOADER)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TL_WINE_LOADER})
endif()
