# Vop's release: the version in each form it is shown in, all from project(), and release
# builds that give the same bytes from any folder on any day (scripts/package.sh).

# The game shows its version as major and two-digit minor, "1.00"; Windows reads the
# four numbers of FILEVERSION, 1,0,0,0.
if(PROJECT_VERSION_MINOR GREATER 99)
    message(FATAL_ERROR "Vop shows its minor version in two digits: ${PROJECT_VERSION} has more")
endif()
if(PROJECT_VERSION_MINOR LESS 10)
    set(VOP_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
    set(VOP_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()
set(VOP_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

# The release date software centres show is the date of the sources: SOURCE_DATE_EPOCH
# where the packaging sets it, else the last commit's, so that every build of one commit
# says the same. (Only a build from a folder without git history takes today's date.)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND "${GIT_EXECUTABLE}" log -1 --format=%ct
                        WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                        OUTPUT_VARIABLE vop_commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE vop_git_result ERROR_QUIET)
        if(vop_git_result EQUAL 0 AND vop_commit_time MATCHES "^[0-9]+$")
            set(ENV{SOURCE_DATE_EPOCH} "${vop_commit_time}")  # for this configure run only
        endif()
    endif()
endif()
string(TIMESTAMP VOP_RELEASE_DATE "%Y-%m-%d" UTC)

# For vop.rc, and for the scripts that name the packages.
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/release/vop_version.h" @ONLY CONTENT
"// Generated from the version in CMakeLists.txt by cmake/VopRelease.cmake.
#define VOP_VERSION_NUMBERS @VOP_VERSION_NUMBERS@
#define VOP_VERSION_TEXT \"@VOP_VERSION_TEXT@\"
")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/release/version.txt" @ONLY CONTENT
     "@VOP_VERSION_TEXT@\n")

# The folders the game was built in stay out of release programs: a clone anywhere gives
# the same bytes. Debug builds keep their real paths for the debugger and for gcov.
# The last map that matches wins, so the build folder's comes after the sources'.
# (windres takes no such flag.)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(vop_release_cxx "$<AND:$<CONFIG:Release,MinSizeRel>,$<COMPILE_LANGUAGE:CXX>>")
    add_compile_options("$<${vop_release_cxx}:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                        "$<${vop_release_cxx}:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
endif()
# A PE file carries its link time; vop.exe carries none, so two links are identical.
if(MINGW)
    add_link_options(LINKER:--no-insert-timestamp)
endif()
