# Warnings are errors on every compiler Vop is built with.
function(vop_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    # GCC 12 reports overlapping copies inside std::string's own operator+ at -O3
    # (a known false positive of that release, fixed in GCC 13); Debian 12's native and
    # mingw compilers are both GCC 12.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
