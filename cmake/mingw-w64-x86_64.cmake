# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix threads,
# so that std::thread and std::mutex work).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix)
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix)

# Libraries come from the mingw sysroot and from the folder the build script
# installs the static dependencies into (given as CMAKE_PREFIX_PATH).
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# Everything static: the programs need no DLL beyond the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs and test discovery run under Wine.
find_program(SHOWCARD_WINE NAMES wine64 wine)
if(SHOWCARD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SHOWCARD_WINE})
endif()
