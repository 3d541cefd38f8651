#!/usr/bin/env bash
# Lines of tests and of the product, as one commit holds them: the tests are tests/ and
# fuzz/, the product everything else git tracks but prose and data (docs, READMEs, the
# pictures, the XP export lists, the npm lock). Both are counted twice: the C and C++
# sources, then every language (scripts, CMake, JavaScript, Python, packaging).
#   bash scripts/lines.sh [REV...]    each REV in turn (default HEAD); e.g. main HEAD
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"
[ $# -gt 0 ] || set -- HEAD
# count REV PATHSPEC...: the lines of the files of REV the pathspecs name.
count() {
    local rev="$1"
    shift
    git grep -c '' "$rev" -- "$@" ':!*.png' ':!*.svg' ':!*.ico' ':!tests/win32/xp_sp3' \
        ':!*package-lock.json' ':!docs' ':!*.md' ':!LICENSE' | awk -F: '{n += $NF} END {print n + 0}'
}
printf '%-12s %8s %8s %10s %10s\n' rev "tests C++" "product" "tests all" "product all"
for rev in "$@"; do
    git rev-parse -q --verify "$rev^{commit}" >/dev/null || die "no commit $rev"
    code=('*.cpp' '*.h')
    printf '%-12s %8s %8s %10s %10s\n' "$rev" \
        "$(count "$rev" "${code[@]/#/tests/}" "${code[@]/#/fuzz/}")" \
        "$(count "$rev" "${code[@]}" ':!tests' ':!fuzz')" \
        "$(count "$rev" tests fuzz)" \
        "$(count "$rev" . ':!tests' ':!fuzz')"
done
