# Cross-builds the command-line programs for 64-bit Windows with Debian's MinGW-w64.
# The -posix compilers are named explicitly: the win32 thread model has no std::thread or std::mutex.
# Tests run under Wine: scripts/wine_tests.sh sets up the prefix and the server they share.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VARKO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARKO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARKO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VARKO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARKO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Fully static: the executables import only KERNEL32.dll and msvcrt.dll.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(VARKO_WINE wine)
if(VARKO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VARKO_WINE})
endif()
