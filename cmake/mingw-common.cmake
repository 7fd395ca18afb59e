# Shared by the two MinGW toolchains: Windows executables built on Debian, run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZIBBET_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIBBET_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIBBET_MINGW}-windres)
set(CMAKE_OBJDUMP ${ZIBBET_MINGW}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIBBET_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Only system DLLs at run time: no libgcc/libstdc++/winpthread DLLs beside the exe.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release programs carry no symbol table.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
