# Cross-compiling for 64-bit Windows with Debian's MinGW-w64. The posix thread model is the one
# with std::thread and std::mutex. Executables link statically so that they run under Wine
# without the compiler's DLLs beside them; tests run through wine64 when it is installed.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(VELQUIN_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VELQUIN_WINE64 wine64)
if(VELQUIN_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELQUIN_WINE64})
endif()
