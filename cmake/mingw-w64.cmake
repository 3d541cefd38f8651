# Cross-compiling vop.exe with Debian's mingw-w64, shared by the 32-bit and 64-bit
# toolchains; each sets VOP_MINGW (the target triplet) and VOP_WINE_NAMES first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread flavour gives the C++ library its full threading support;
# -static below keeps winpthread inside the executable.
set(CMAKE_C_COMPILER ${VOP_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOP_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VOP_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VOP_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One file per program: no libstdc++, libgcc or winpthread DLL beside it.
# Unused functions of the static C++ library are dropped one by one.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
# Optimised for size: nothing in a card game is hot, and vop.exe is meant to stay small.
# (A cache entry, as CMake appends -O3 to any *_INIT value it is given.)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags for Release builds")

# CTest starts every cross-built test program through Wine.
find_program(VOP_WINE NAMES ${VOP_WINE_NAMES} PATHS /usr/lib/wine)
if(VOP_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VOP_WINE})
endif()
