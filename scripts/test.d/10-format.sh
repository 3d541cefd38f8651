#!/usr/bin/env bash
# Every C++ file is clang-format clean, and every shell script shellcheck clean
# (.shellcheckrc: each script's `source` of scripts/lib.sh is followed).
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages clang-format shellcheck git
mapfile -t files < <(git ls-files -co --exclude-standard '*.h' '*.cpp')
[ ${#files[@]} -gt 0 ] || die "no C++ files found"
clang-format --dry-run --Werror "${files[@]}" || die "clang-format: run 'clang-format -i' on the files above"
say "clang-format clean: ${#files[@]} files"
mapfile -t scripts < <(git ls-files -co --exclude-standard '*.sh' .ci/run)
[ ${#scripts[@]} -gt 0 ] || die "no shell scripts found"
shellcheck -x "${scripts[@]}" || die "shellcheck: fix the scripts above"
say "shellcheck clean: ${#scripts[@]} scripts"
