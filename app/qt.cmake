# vop: the game on Linux, in a Qt 6 window.
add_executable(vop main_qt.cpp)
target_link_libraries(vop PRIVATE vop_qt)
vop_strict(vop)
