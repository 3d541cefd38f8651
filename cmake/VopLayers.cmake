# One CMake target per layer of Vop, linked in one direction (docs/ARCHITECTURE.md).
#
# No source folder is on any include path. Each layer's headers are reached as
# "folder/name.h" through a folder of links made for its target in the build tree, which
# its target and the targets linking it see. So a header of a layer the target does not
# link is simply not there: an include against the layers fails to build.

# vop_layer(TARGET FOLDER): TARGET is the layer of the headers directly in FOLDER.
function(vop_layer target folder)
    set(root "${PROJECT_BINARY_DIR}/layers/${target}")
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}/${folder}")
    file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.h")
    foreach(header IN LISTS headers)
        get_filename_component(name "${header}" NAME)
        file(CREATE_LINK "${header}" "${root}/${folder}/${name}" SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC "${root}")
    vop_strict(${target})
    vop_harden(${target})
endfunction()
