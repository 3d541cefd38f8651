# The site's page (OUT): its template (PAGE) with the program's script (SCRIPT) written into
# it, so that the browser starts the program as it reads the page, with no second request
# (and a page opened as a file plays). The page's Content-Security-Policy lets this one
# script run by its SHA-256, and no other script written into the page.
#   cmake -DPAGE=... -DSCRIPT=... -DOUT=... -P web_page.cmake
file(READ ${SCRIPT} program)
# The page's reader would take either for the end of the script, or start hiding it.
foreach(tag "</script" "<!--")
    string(FIND "${program}" "${tag}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "${SCRIPT} holds \"${tag}\" at byte ${at}: it cannot be written into the page")
    endif()
endforeach()

# The digest in base64, as the policy writes it: SHA-256 by CMake, its bytes and their
# base64 by coreutils.
file(SHA256 ${SCRIPT} hex)
string(TOUPPER ${hex} hex)
execute_process(COMMAND printf %s ${hex}
                COMMAND basenc --base16 --decode
                COMMAND base64 --wrap=0
                OUTPUT_VARIABLE base64
                COMMAND_ERROR_IS_FATAL ANY)

file(READ ${PAGE} page)
string(REPLACE "@VOP_WEB_SCRIPT_HASH@" "sha256-${base64}" page "${page}")
string(REPLACE "@VOP_WEB_PROGRAM@" "${program}" page "${page}")
file(WRITE ${OUT} "${page}")
