# vop.exe for 32-bit Windows, the program Vop ships; its tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VOP_MINGW i686-w64-mingw32)
set(VOP_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
