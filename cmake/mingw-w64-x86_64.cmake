# Cross-building the Windows program with MinGW-w64 (Debian: g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CHEMTERM_MINGW_PREFIX x86_64-w64-mingw32)
# The posix-threads flavour where Debian has both; the program uses no threads.
find_program(CMAKE_CXX_COMPILER NAMES ${CHEMTERM_MINGW_PREFIX}-g++-posix ${CHEMTERM_MINGW_PREFIX}-g++
  REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${CHEMTERM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${CHEMTERM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained chemterm.exe, no MinGW runtime DLLs beside it, stripped.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -s")
