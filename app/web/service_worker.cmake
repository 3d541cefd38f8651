# The site's service worker (OUT) from its template (WORKER), named after the files it
# keeps (KEPT, "|" between them) as they are now: a build that changes any of them is a
# new service worker, which keeps the new files in place of the old.
#   cmake -DWORKER=... -DKEPT=a|b -DOUT=... -P service_worker.cmake
string(REPLACE "|" ";" kept "${KEPT}")
set(sums "")
foreach(file IN LISTS kept)
    file(SHA256 ${file} sum)
    string(APPEND sums ${sum})
endforeach()
string(SHA256 build "${sums}")
string(SUBSTRING ${build} 0 16 VOP_WEB_BUILD)
configure_file(${WORKER} ${OUT} @ONLY)
