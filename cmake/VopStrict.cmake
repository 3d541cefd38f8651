# Warnings are errors on every compiler Vop is built with.
function(vop_strict target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
