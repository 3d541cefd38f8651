# vop: the game on Linux, in a Qt 6 window, and where `cmake --install` puts it.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
# The title-bar icon travels inside the program (window_icon.qrc): it shows even before (or
# without) an installed icon theme entry.
qt_add_resources(vop_window_icon window_icon.qrc)
add_executable(vop main_qt.cpp qt_game.cpp ${vop_window_icon})
target_link_libraries(vop PRIVATE vop_game vop_qt)
target_compile_definitions(vop PRIVATE VOP_APP_ID="${VOP_APP_ID}")

# Installed under the game's own application id, so menus, software centres and
# Wayland shells find the entry, the icon and the description together.
include(GNUInstallDirs)
install(TARGETS vop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/data/linux/${VOP_APP_ID}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo's release carries the version and date of these sources (cmake/VopRelease.cmake).
configure_file("${PROJECT_SOURCE_DIR}/data/linux/${VOP_APP_ID}.metainfo.xml.in"
               "${CMAKE_CURRENT_BINARY_DIR}/${VOP_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${VOP_APP_ID}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${PROJECT_SOURCE_DIR}/data/linux/vop.6" DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES "${PROJECT_SOURCE_DIR}/data/icons/vop.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VOP_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/vop.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VOP_APP_ID}.png)
endforeach()
