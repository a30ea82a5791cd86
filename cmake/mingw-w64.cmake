# Cross-compiles for 64-bit Windows with mingw-w64 (Debian package g++-mingw-w64-x86-64).
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The programs link the compiler's own runtime (libgcc, libstdc++, winpthread) statically, so
# they need nothing beside the system's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PAGEHOLD_MINGW_PREFIX x86_64-w64-mingw32)
# The compilers of the POSIX thread model: the other (win32) model of this compiler version has
# no std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${PAGEHOLD_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PAGEHOLD_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PAGEHOLD_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PAGEHOLD_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Tests run under Wine (Debian packages wine and wine64) when it is there.
find_program(PAGEHOLD_WINE wine)
if(PAGEHOLD_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PAGEHOLD_WINE})
endif()
