# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for
# std::thread and std::mutex). Executables are linked statically, so that they
# need only the system's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries come from the MinGW tree and from the folder where
# scripts/windows-deps installs what it cross-builds, never from the host.
set(TALLYER_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build/windows-deps" CACHE PATH
    "Prefix of the libraries cross-built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${TALLYER_WINDOWS_DEPS}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs and test discovery run through Wine.
find_program(TALLYER_WINE wine)
if(TALLYER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${TALLYER_WINE}")
endif()

find_program(TALLYER_CCACHE ccache)
if(TALLYER_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER "${TALLYER_CCACHE}")
  set(CMAKE_CXX_COMPILER_LAUNCHER "${TALLYER_CCACHE}")
endif()
