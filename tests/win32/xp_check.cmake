# The 32-bit vop.exe starts on Windows XP SP3: every function it imports is one that XP
# exports by name (the lists in xp_sp3/), its PE header asks for no later Windows, and its
# manifest keeps what XP does not know where XP passes over it. Wine cannot show this, as it
# exports what later Windows exports too. ADD names one more import, DLL!Function, as if
# the program had it: the check must then fail.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pe_imports.cmake)
pe_imports(${EXE} dump imports)
list(LENGTH imports count)
if(ADD)
    list(APPEND imports "${ADD}")
endif()

set(failures 0)
foreach(import IN LISTS imports)
    string(REPLACE "!" ";" parts "${import}")
    list(GET parts 0 dll)
    list(GET parts 1 function)
    set(list_file "${LISTS}/${dll}.txt")
    if(NOT DEFINED "exports_${dll}")
        if(EXISTS "${list_file}")
            file(STRINGS "${list_file}" "exports_${dll}" REGEX "^[^#]")
        else()
            set("exports_${dll}" "")
        endif()
    endif()
    if(NOT EXISTS "${list_file}")
        message(SEND_ERROR "vop.exe imports ${import}, from a DLL whose XP SP3 exports are not known")
        math(EXPR failures "${failures} + 1")
    elseif(NOT function IN_LIST "exports_${dll}")
        message(SEND_ERROR "vop.exe imports ${import}, which is not exported by Windows XP SP3")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()

# XP loads no image that asks for a later Windows (5.1 is XP).
foreach(field OSystem Subsystem)
    if(NOT dump MATCHES "Major${field}Version[ \t]+([0-9]+)")
        message(FATAL_ERROR "no Major${field}Version in the PE header")
    endif()
    set(major ${CMAKE_MATCH_1})
    string(REGEX MATCH "Minor${field}Version[ \t]+([0-9]+)" ignored "${dump}")
    if(major GREATER 5 OR (major EQUAL 5 AND CMAKE_MATCH_1 GREATER 1))
        message(SEND_ERROR "the PE header asks for Windows ${major}.${CMAKE_MATCH_1} (${field})")
        math(EXPR failures "${failures} + 1")
    endif()
endforeach()

# XP knows the manifest's assembly, dependency and compatibility elements; the DPI settings
# it must pass over, which it does when their application element is in the asm.v3
# namespace, and refuses to start the program when it is in asm.v1.
file(READ "${MANIFEST}" manifest)
if(manifest MATCHES "windowsSettings" AND NOT manifest MATCHES
   "<application xmlns=\"urn:schemas-microsoft-com:asm\\.v3\">[ \t\r\n]*<windowsSettings")
    message(SEND_ERROR "the manifest's windowsSettings are not in an asm.v3 application element")
    math(EXPR failures "${failures} + 1")
endif()

if(failures EQUAL 0)
    message(STATUS "${count} imports, all exported by Windows XP SP3; header and manifest fit XP")
endif()
