# The game in the browser: a static site in site/ of the build folder (build/web/site/):
# index.html with the program written into it (its wasm inside), the icons, the web app
# manifest and the service worker, with no server code.
include(${CMAKE_CURRENT_LIST_DIR}/web/site.cmake)
add_executable(vop main_web.cpp)
target_link_libraries(vop PRIVATE vop_game vop_web)
# The game's handlers run from a click and may wait for the player in the "Win" box.
set_target_properties(vop PROPERTIES VOP_WEB_WAITING_CALLS "vop::frmVop::*")
# Small to fetch: the C++ library's smallest allocator; nothing in a card game is hot.
target_link_options(vop PRIVATE -sMALLOC=emmalloc)
vop_web_page(vop ${PROJECT_BINARY_DIR}/site OFFLINE)
