# Hardening of Vop's Linux builds, as Debian builds its packages: every program and the
# libraries linked into it are position independent, with full RELRO, the stack protector
# and fortified libc calls. Sanitizer and fuzzer builds bring their own instrumentation and
# are left alone; _FORTIFY_SOURCE needs the optimiser, so Debug builds get the other three.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang"
   AND NOT VOP_SANITIZE AND NOT VOP_FUZZ)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options(LINKER:-z,relro,-z,now)
endif()
