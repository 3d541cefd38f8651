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

# The page draws its captions in pixel fonts of its own: before the program is linked, every
# caption the game can show is checked against them, and a letter they lack stops the build
# with its name, rather than showing as a gap.
add_executable(vop_web_captions web_captions.cpp)
target_link_libraries(vop_web_captions PRIVATE vop_game)
target_link_options(vop_web_captions PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1 -sWASM_ASYNC_COMPILATION=0)
set_target_properties(vop_web_captions PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set(page_script ${PROJECT_SOURCE_DIR}/web/web_window.js)
set(captions ${CMAKE_CURRENT_BINARY_DIR}/web_captions.txt)
add_custom_command(OUTPUT ${captions} ${captions}.checked
    COMMAND ${VOP_NODE} $<TARGET_FILE:vop_web_captions> > ${captions}
    COMMAND ${VOP_NODE} ${CMAKE_CURRENT_SOURCE_DIR}/web_glyphs.js ${page_script} ${captions} ${captions}.checked
    DEPENDS vop_web_captions ${page_script} ${CMAKE_CURRENT_SOURCE_DIR}/web_glyphs.js
    COMMENT "Checking every caption the game shows against the page's pixel fonts"
    VERBATIM)
add_custom_target(vop_web_glyphs DEPENDS ${captions}.checked)
add_dependencies(vop vop_web_glyphs)
