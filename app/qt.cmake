# vop: the game on Linux, in a Qt 6 window, and where `cmake --install` puts it.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
# The game wired to the Qt window, for the program and for the tests of the program.
add_library(vop_qt_game STATIC qt_game.cpp)
target_link_libraries(vop_qt_game PUBLIC vop_game vop_qt)
vop_layer(vop_qt_game app)

add_executable(vop main_qt.cpp)
target_link_libraries(vop PRIVATE vop_qt_game)
vop_strict(vop)
vop_harden(vop)

# Installed under the game's own application id, so menus, software centres and
# Wayland shells find the entry, the icon and the description together.
include(GNUInstallDirs)
set(vop_app_id net.vopgame.Vop)
install(TARGETS vop RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/data/linux/${vop_app_id}.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The metainfo's release carries the version and date of these sources (cmake/VopRelease.cmake).
configure_file("${PROJECT_SOURCE_DIR}/data/linux/${vop_app_id}.metainfo.xml.in"
               "${CMAKE_CURRENT_BINARY_DIR}/${vop_app_id}.metainfo.xml" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/${vop_app_id}.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${PROJECT_SOURCE_DIR}/data/linux/vop.6" DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES "${PROJECT_SOURCE_DIR}/data/icons/vop.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${vop_app_id}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/apps/vop.png"
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${vop_app_id}.png)
endforeach()
