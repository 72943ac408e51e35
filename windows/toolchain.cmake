# Cross-building for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which the C++
# standard library's threads need). Libraries are looked for in the compiler's own tree and in
# FLORVANE_WINDOWS_PREFIX, where tools/windows.sh installs freeglut.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES FLORVANE_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${FLORVANE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program stands alone: the C and C++ runtimes and the thread library linked in, so that only
# the system's own DLLs are imported.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# What is shipped carries no symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)
