#!/usr/bin/env bash
# Makes what a user installs, in dist/: the .deb (dpkg-buildpackage on debian/), the Windows
# zip, the web zip, and SHA256SUMS; any clone of one commit gives the same bytes.
#   bash scripts/package.sh             the packages, from clean builds of this tree
#   bash scripts/package.sh --check     the packages from two fresh clones of the last commit,
#                                       in two different folders, compared byte for byte
# The programs are built from a copy of the sources in a scratch folder, every file dated by
# the last commit: the test stage compares that vop.exe with the one built in the clone.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

mode=packages
case "${1:-}" in
"") ;;
--check) mode=check ;;
*) die "usage: bash scripts/package.sh [--check]" ;;
esac

# Every time stamp in the packages is the last commit's; the web site and the tar and zip
# members are read in byte order, whatever the user's locale.
need_packages git
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null)" ||
        die "no git history here to date the packages: set SOURCE_DATE_EPOCH"
fi
export SOURCE_DATE_EPOCH
export TZ=UTC
umask 022

# copy_sources DIR: the tree's own files (source_files) in DIR, each dated by the commit,
# as a source package unpacks.
copy_sources() {
    mkdir -p "$1"
    source_files | tar --null -T - --ignore-failed-read --mtime="@$SOURCE_DATE_EPOCH" -cf - |
        tar -C "$1" -xf -
}

# build_exe: vop.exe built in a copy of the sources, its program and version in
# build/package-windows/; sets version (CMakeLists.txt's, as shown).
build_exe() {
    need_packages "${BUILD_PACKAGES[@]}" g++-mingw-w64-i686-posix binutils-mingw-w64-i686
    local sources="$scratch/exe/vop"
    copy_sources "$sources"
    say "building vop.exe (in $sources)"
    (cd "$sources" && cmake --preset package-windows >/dev/null &&
        cmake --build --preset package-windows --target vop) || die "vop.exe did not build"
    rm -rf build/package-windows
    mkdir -p build/package-windows/app build/package-windows/release
    cp "$sources/build/package-windows/app/vop.exe" build/package-windows/app/
    cp "$sources/build/package-windows/release/version.txt" build/package-windows/release/
    version="$(cat build/package-windows/release/version.txt)"
}

# source_files: the tree's own files, each name ended by NUL: what git tracks or would
# track, or, in a copy without git, everything but the builds.
source_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -z -co --exclude-standard
    else
        find . -path ./build -prune -o -path ./dist -prune -o -type f -printf '%P\0'
    fi
}

# build_deb: the .deb as Debian builds one, `dpkg-buildpackage -b` with debian/rules, on a
# copy of the sources in a scratch folder named as Debian names them (vop-VERSION), as
# the build writes its files beside the sources. Installed as they are, the sources carry
# the commit's date in any clone. Sets deb, the package in build/package/.
build_deb() {
    need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" dpkg-dev debhelper
    local deb_version
    deb_version="$(dpkg-parsechangelog -S Version)"
    [ "${deb_version%-*}" = "$version" ] ||
        die "debian/changelog's latest entry is $deb_version, but CMakeLists.txt says" \
            "$version: add an entry for $version-1"
    local sources="$scratch/deb/vop-$version" log="build/package/dpkg-buildpackage.log"
    rm -rf build/package
    mkdir -p build/package
    copy_sources "$sources"
    say "building the .deb: dpkg-buildpackage -b in $sources (log: $log)"
    (cd "$sources" && dpkg-buildpackage -b -us -uc) >"$log" 2>&1 ||
        { tail -n 40 "$log" >&2; die "dpkg-buildpackage failed (the whole log: $log)"; }
    deb="build/package/vop_${deb_version}_$(dpkg --print-architecture).deb"
    cp "$scratch/deb/${deb##*/}" "$deb"
}

# lint_deb: the .deb as Debian's archive would judge it.
lint_deb() {
    need_packages lintian
    say "lintian ${deb##*/}"
    # Vop is not uploaded to Debian, so its first entry has no "intent to package" bug to close.
    lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" ||
        die "lintian found errors or warnings in ${deb##*/} (above)"
}

# make_zip OUT DIR: DIR's files in byte order of their names, each with the commit's time
# and no Unix extras (owner, extended times), so that only the contents can differ.
make_zip() {
    local out="$1" dir="$2"
    rm -f "$out"
    find "$dir" -type d -exec chmod 0755 {} +
    find "$dir" -type f -exec chmod 0644 {} +
    find "$dir" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
    (cd "$dir" && find . -type f -printf '%P\n' | LC_ALL=C sort | zip -X -D -9 -q "$out" -@) ||
        die "zip could not write $out"
}

# package_windows: vop.exe with a README and the license, as Windows users read text files.
package_windows() {
    local dir="$scratch/windows"
    mkdir -p "$dir"
    cp build/package-windows/app/vop.exe "$dir/"
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' data/windows/README.txt.in >"$dir/README.txt"
    sed 's/$/\r/' LICENSE >"$dir/LICENSE.txt"
    make_zip "$dist/vop-$version-windows-x86.zip" "$dir"
}

# package_web: the static site of the browser build (build/web/site/).
package_web() {
    need_packages "${WEB_PACKAGES[@]}"
    say "building the web site (build/web)"
    cmake --preset web --fresh >/dev/null
    cmake --build --preset web
    [ -d build/web/site ] || die "the web build left no build/web/site/"
    cp -R build/web/site "$scratch/web"
    make_zip "$dist/vop-$version-web.zip" "$scratch/web"
}

# list_files DIR: the names of the files in DIR, in byte order.
list_files() { find "$1" -maxdepth 1 -type f -printf '%P\n' | LC_ALL=C sort; }

# check_reproducible: the whole of package.sh in two fresh clones, in folders of different
# names and depths, and every artefact compared byte for byte.
check_reproducible() {
    local head parent
    head="$(git rev-parse HEAD)"
    [ -z "$(git status --porcelain)" ] ||
        say "uncommitted changes are not checked: the clones hold the last commit, $head"
    parent="$(mktemp -d)"
    local first="$parent/a" second="$parent/second-clone/deeper/b"
    local clone
    for clone in "$first" "$second"; do
        git clone -q --no-checkout "$VOP_ROOT" "$clone"
        git -C "$clone" checkout -q "$head" || die "cannot check out $head in $clone"
        say "packaging in $clone"
        (unset SOURCE_DATE_EPOCH && bash "$clone/scripts/package.sh") ||
            die "scripts/package.sh failed in $clone (left there)"
    done
    local names
    names="$(list_files "$first/dist")"
    [ "$names" = "$(list_files "$second/dist")" ] ||
        die "the two clones made different files: $first/dist and $second/dist"
    local name differ=0
    for name in $names; do
        if cmp -s "$first/dist/$name" "$second/dist/$name"; then
            printf '    identical: %s (%s bytes)\n' "$name" "$(stat -c %s "$first/dist/$name")" >&2
        else
            printf 'vop: DIFFERENT: %s\n' "$name" >&2
            differ=1
        fi
    done
    [ $differ -eq 0 ] ||
        die "not reproducible: compare $first/dist and $second/dist (diffoscope shows how)"
    cat "$first/dist/SHA256SUMS"
    rm -rf "$parent"
    say "reproducible: both clones made the same $(wc -w <<<"$names") files"
}

if [ "$mode" = check ]; then
    check_reproducible
    exit 0
fi
scratch="$(mktemp -d)"
at_exit rm -rf "$scratch"
build_exe
build_deb

need_packages zip coreutils
lint_deb
dist="$VOP_ROOT/dist"
rm -rf "$dist"
mkdir -p "$dist"
cp "$deb" "$dist/"
package_windows
package_web
sums="$(cd "$dist" && list_files . | xargs sha256sum)"
printf '%s\n' "$sums" >"$dist/SHA256SUMS"
say "packages in dist/:"
find "$dist" -type f -printf '%10s  %P\n' | LC_ALL=C sort -k 2 >&2
