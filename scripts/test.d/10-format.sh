#!/usr/bin/env bash
# Every C++ file is clang-format clean.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages clang-format git
mapfile -t files < <(git ls-files -co --exclude-standard '*.h' '*.cpp')
[ ${#files[@]} -gt 0 ] || die "no C++ files found"
clang-format --dry-run --Werror "${files[@]}" || die "clang-format: run 'clang-format -i' on the files above"
say "clang-format clean: ${#files[@]} files"
