# vop.exe: one statically linked 32-bit Windows program with its icon, manifest and
# version resource; build it alone with `cmake --build --preset windows --target vop`.

# The resources compile on their own: the compiler's warning flags mean nothing to windres.
add_library(vop_resources OBJECT win32/vop.rc)
target_include_directories(vop_resources PRIVATE ${PROJECT_SOURCE_DIR}
                                                 ${CMAKE_CURRENT_SOURCE_DIR}/win32
                                                 ${PROJECT_BINARY_DIR}/release)
set_source_files_properties(win32/vop.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/win32/vop.manifest;${CMAKE_CURRENT_SOURCE_DIR}/win32/vop.ico;${PROJECT_BINARY_DIR}/release/vop_version.h")

add_executable(vop WIN32 main_win32.cpp $<TARGET_OBJECTS:vop_resources>)
# lean_cxx_runtime.cpp keeps the C++ library's exception classes and demangler out; it
# replaces helpers of GNU libstdc++ and means nothing with another C++ library.
include(CheckCXXSymbolExists)
check_cxx_symbol_exists(__GLIBCXX__ cstddef VOP_LIBSTDCXX)
if(MINGW AND VOP_LIBSTDCXX)
    set(VOP_LEAN_CXX_RUNTIME ${CMAKE_CURRENT_SOURCE_DIR}/lean_cxx_runtime.cpp)
    target_sources(vop PRIVATE ${VOP_LEAN_CXX_RUNTIME})
endif()
# The 32-bit program loads on Windows XP: what the static C++ runtime would import from a
# later Windows it finds at run time instead (xp_tick_count.cpp).
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_sources(vop PRIVATE xp_tick_count.cpp)
endif()
target_link_libraries(vop PRIVATE vop_game vop_win32)
# wWinMain; ASLR and DEP for a program that ships to other people's machines.
target_link_options(vop PRIVATE -municode LINKER:--dynamicbase,--nxcompat
                    $<$<CONFIG:Release,MinSizeRel>:-s>)
