# The layers point one way, and the build says so: before anything compiles, the target
# vop_layers checks that each folder in docs/ARCHITECTURE.md's table includes from exactly
# the folders the table lists (cmake/check_layers.cmake). An include against the layers
# fails the build, and the table cannot drift from the code in either direction.
file(GLOB_RECURSE vop_layer_sources CONFIGURE_DEPENDS
     LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/window/*.h ${PROJECT_SOURCE_DIR}/window/*.cpp
     ${PROJECT_SOURCE_DIR}/cards/*.h ${PROJECT_SOURCE_DIR}/cards/*.cpp
     ${PROJECT_SOURCE_DIR}/game/*.h ${PROJECT_SOURCE_DIR}/game/*.cpp
     ${PROJECT_SOURCE_DIR}/app/*.h ${PROJECT_SOURCE_DIR}/app/*.cpp
     ${PROJECT_SOURCE_DIR}/tests/support/*.h ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
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
