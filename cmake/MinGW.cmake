# Cross-building for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64-posix, whose
# POSIX thread model gives std::thread). Used by "make windows":
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake
# The programs are linked statically, so each .exe runs without the compiler's DLLs. Tests and
# programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR (set by the Makefile).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
