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

# The digest in base64, as the policy writes it: three bytes (six hex digits) at a time.
file(SHA256 ${SCRIPT} hex)
set(digits "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
set(base64 "")
string(APPEND hex "00")  # 32 bytes: ten groups of three, and two bytes padded to a group
foreach(at RANGE 0 60 6)
    string(SUBSTRING ${hex} ${at} 6 group)
    math(EXPR bits "0x${group}")
    foreach(shift 18 12 6 0)
        math(EXPR digit "(${bits} >> ${shift}) & 63")
        string(SUBSTRING ${digits} ${digit} 1 letter)
        string(APPEND base64 ${letter})
    endforeach()
endforeach()
string(SUBSTRING ${base64} 0 43 base64)
string(APPEND base64 "=")

file(READ ${PAGE} page)
string(REPLACE "@VOP_WEB_SCRIPT_HASH@" "sha256-${base64}" page "${page}")
string(REPLACE "@VOP_WEB_PROGRAM@" "${program}" page "${page}")
file(WRITE ${OUT} "${page}")
