# Hardening of Vop's Linux builds: PIE, full RELRO, stack protector and fortified libc calls.
# Sanitizer and fuzzer builds bring their own instrumentation and are left alone.
include(CheckPIESupported)
check_pie_supported()

# vop_harden(target): for an executable, and for the static libraries linked into one.
# _FORTIFY_SOURCE needs the optimiser, so Debug builds get the other three only.
function(vop_harden target)
    if(VOP_SANITIZE OR VOP_FUZZ OR NOT CMAKE_SYSTEM_NAME STREQUAL "Linux"
       OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        return()
    endif()
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${target} PRIVATE
        -fstack-protector-strong
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
        target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
    endif()
endfunction()
