# Toolchain for the Windows console build of zebcheck with the MinGW-w64 cross
# compiler (Debian package g++-mingw-w64-x86-64). The posix thread variant of
# the compiler provides the pthread functions the program's start-up uses;
# everything is linked statically, so zebcheck.exe needs no DLL of the
# compiler. Generators that the build runs (the grammar generator) are
# Windows programs too and run under wine.
#
#   cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DTOOLS_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64.cmake
#   cmake --build build/windows --target zebcheck
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR env;WINEDEBUG=-all;wine)
