# The same sources for 64-bit Windows: faults that depend on the pointer's size show at
# once, and the Windows tests run where the kernel runs no 32-bit program. Debian's
# `wine` wrapper picks the 32-bit loader whenever it is installed, so the 64-bit loader
# is named itself.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VOP_MINGW x86_64-w64-mingw32)
set(VOP_WINE_NAMES wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
