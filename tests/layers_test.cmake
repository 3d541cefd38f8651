# The build's layer check catches a backend that includes the game: a copy of the tree's
# sources with that one include added must fail the check, naming the folder and what it
# reaches. (The real tree passes the check on every build.)
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${SCRATCH}")
file(COPY "${ROOT}/docs/ARCHITECTURE.md" DESTINATION "${SCRATCH}/docs")
foreach(folder base form cards game qt win32 web app tests/support)
    get_filename_component(parent "${SCRATCH}/${folder}" DIRECTORY)
    file(COPY "${ROOT}/${folder}" DESTINATION "${parent}"
         FILES_MATCHING PATTERN "*.h" PATTERN "*.cpp")
endforeach()
file(APPEND "${SCRATCH}/qt/qt_conversions.h" "#include \"game/frm_vop.h\"\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -DROOT=${SCRATCH}
                        -P "${ROOT}/cmake/check_layers.cmake"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(REMOVE_RECURSE "${SCRATCH}")
if(result EQUAL 0 OR NOT out MATCHES "qt/ includes from \\[base/ form/ game/\\]")
    message(FATAL_ERROR "the layer check let qt/ include the game:\n${out}")
endif()
