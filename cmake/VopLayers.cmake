# The layers point one way, and the build says so: before anything compiles, the target
# vop_layers checks that each folder in docs/ARCHITECTURE.md's table includes from exactly
# the folders the table lists (cmake/check_layers.cmake). An include against the layers
# fails the build, and the table cannot drift from the code in either direction.
# The folders are the table's own, so a new layer is one row there.
file(STRINGS ${PROJECT_SOURCE_DIR}/docs/ARCHITECTURE.md vop_layer_rows REGEX "^\\| `[a-z0-9/]+/` \\|")
set(vop_layer_globs "")
foreach(row IN LISTS vop_layer_rows)
    string(REGEX REPLACE "^\\| `([a-z0-9/]+/)` \\|.*" "\\1" folder "${row}")
    list(APPEND vop_layer_globs ${PROJECT_SOURCE_DIR}/${folder}*.h ${PROJECT_SOURCE_DIR}/${folder}*.cpp)
endforeach()
file(GLOB vop_layer_sources CONFIGURE_DEPENDS LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
     ${vop_layer_globs})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/ARCHITECTURE.md)
list(TRANSFORM vop_layer_sources PREPEND ${PROJECT_SOURCE_DIR}/)
set(vop_layers_stamp ${PROJECT_BINARY_DIR}/layers_as_drawn.stamp)
add_custom_command(
    OUTPUT ${vop_layers_stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${vop_layers_stamp}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake ${PROJECT_SOURCE_DIR}/docs/ARCHITECTURE.md
            ${vop_layer_sources}
    COMMENT "Checking the includes against the layers of docs/ARCHITECTURE.md"
    VERBATIM)
add_custom_target(vop_layers ALL DEPENDS ${vop_layers_stamp})
