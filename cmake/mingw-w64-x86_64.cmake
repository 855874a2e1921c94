# Cross build for 64-bit Windows with Debian's mingw-w64 (package
# g++-mingw-w64-x86-64-posix); the built programs run here under Wine.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_ziel x86_64-w64-mingw32)
# The posix flavour: its libstdc++ has std::thread and std::mutex.
set(CMAKE_C_COMPILER ${_ziel}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_ziel}-g++-posix)
set(CMAKE_RC_COMPILER ${_ziel}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_ziel})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread go into the program itself, so that it
# needs only DLLs that every Windows from 7 SP1 on has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# ld writes the link time into the PE header unless told not to; without it
# the same sources give the same program file.
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--no-insert-timestamp")

# Tests and try_run start the programs under Wine, in a prefix of this build
# tree that the wrapper creates on first use.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
