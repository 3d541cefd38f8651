# The game's site: its page, web app manifest, service worker and icons around a program.
# vop_web_page(TARGET FOLDER [OFFLINE]): the page (index.html) with TARGET's script written
# into it, in FOLDER with the game's icon: a static site. OFFLINE: also the web app
# manifest, a larger icon and the service worker that keeps the site, so that it installs
# and plays without a network once visited.
function(vop_web_page target folder)
    cmake_parse_arguments(arg "OFFLINE" "" "" ${ARGN})
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    # The script itself stays beside the build, out of the site.
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}.js)
    set(VOP_WEB_HEAD "")
    if(arg_OFFLINE)
        set(VOP_WEB_HEAD "<meta name=\"vop-manifest\" content=\"manifest.webmanifest\">\n")
        set(VOP_WEB_FILES "'./', 'vop.svg', 'vop-256.png', 'manifest.webmanifest'")
        configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/manifest.webmanifest.in
                       ${folder}/manifest.webmanifest COPYONLY)
        configure_file(${PROJECT_SOURCE_DIR}/data/icons/hicolor/256x256/apps/vop.png
                       ${folder}/vop-256.png COPYONLY)
    endif()
    # The page is finished once the script is built: its digest and the script itself.
    set(VOP_WEB_SCRIPT_HASH "@VOP_WEB_SCRIPT_HASH@")
    set(VOP_WEB_PROGRAM "@VOP_WEB_PROGRAM@")
    set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}_index.html.in)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/index.html.in ${page} @ONLY)
    # Written whenever the script is linked, which a change of either makes happen.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DPAGE=${page} -DSCRIPT=${script} -DOUT=${folder}/index.html
                -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_page.cmake
        BYPRODUCTS ${folder}/index.html
        VERBATIM)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
                 ${page} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/web_page.cmake)
    configure_file(${PROJECT_SOURCE_DIR}/data/icons/vop.svg ${folder}/vop.svg COPYONLY)
    if(arg_OFFLINE)
        # The service worker is named after the files it keeps, once they are built.
        set(VOP_WEB_BUILD "@VOP_WEB_BUILD@")
        set(worker ${CMAKE_CURRENT_BINARY_DIR}/${target}_sw.js.in)
        configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/sw.js.in ${worker} @ONLY)
        set(kept index.html vop.svg vop-256.png manifest.webmanifest)
        list(TRANSFORM kept PREPEND ${folder}/)
        string(REPLACE ";" "|" kept_files "${kept}")
        add_custom_command(OUTPUT ${folder}/sw.js
            COMMAND ${CMAKE_COMMAND} -DWORKER=${worker} "-DKEPT=${kept_files}" -DOUT=${folder}/sw.js
                    -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/service_worker.cmake
            DEPENDS ${target} ${worker} ${kept} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/service_worker.cmake
            VERBATIM)
        add_custom_target(${target}_service_worker ALL DEPENDS ${folder}/sw.js)
    endif()
endfunction()
