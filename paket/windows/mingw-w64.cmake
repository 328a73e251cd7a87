# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for Windows x86_64 with Debian's MinGW-w64 (POSIX threads, which
# std::thread and Qt need). The same file builds the static Qt and Zifferon;
# ZIFFERON_QT_WINDOWS names the folder of that Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ziel x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ziel}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ziel}-g++-posix)
set(CMAKE_RC_COMPILER ${ziel}-windres)

# Sub-builds such as try_compile see the toolchain file again, but not the cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZIFFERON_QT_WINDOWS)
set(CMAKE_FIND_ROOT_PATH /usr/${ziel} ${ZIFFERON_QT_WINDOWS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A static program needs no MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
