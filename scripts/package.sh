#!/usr/bin/env bash
# Makes what a user installs, in dist/: the .deb, the Windows zip, the web zip once the web
# build exists, and SHA256SUMS; any clone of one commit gives the same bytes.
#   bash scripts/package.sh             the packages, from clean builds of this tree
#   bash scripts/package.sh --check     the packages from two fresh clones of the last commit,
#                                       in two different folders, compared byte for byte
#   bash scripts/package.sh --programs  only the Linux program and vop.exe, built as for the
#                                       packages (the test stage compares two such builds)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VOP_ROOT"

mode=packages
case "${1:-}" in
"") ;;
--check) mode=check ;;
--programs) mode=programs ;;
*) die "usage: bash scripts/package.sh [--check | --programs]" ;;
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

# build_programs: clean release builds of the Linux program and of vop.exe. Qt's resource
# compiler stamps the icons with SOURCE_DATE_EPOCH instead of the files' own times.
build_programs() {
    need_packages "${BUILD_PACKAGES[@]}" "${QT_PACKAGES[@]}" g++-mingw-w64-i686-posix \
        binutils-mingw-w64-i686
    say "building the Linux program (build/package)"
    cmake --preset package --fresh >/dev/null
    cmake --build --preset package --clean-first
    say "building vop.exe (build/package-windows)"
    cmake --preset package-windows --fresh >/dev/null
    cmake --build --preset package-windows --clean-first --target vop
    version="$(cat build/package/release/version.txt)"
    [ "$version" = "$(cat build/package-windows/release/version.txt)" ] ||
        die "the Linux and Windows builds disagree on the version"
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

# debian_copyright: the copyright file in Debian's machine-readable format, made from
# LICENSE so that the holder and the text are written down once.
debian_copyright() {
    local holder
    holder="$(sed -n 's/^Copyright (c) //p' LICENSE)"
    [ -n "$holder" ] || die "LICENSE has no 'Copyright (c) ...' line"
    printf '%s\n' \
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
        "Upstream-Name: Vop" \
        "" \
        "Files: *" \
        "Copyright: $holder" \
        "License: MIT" \
        "" \
        "License: MIT"
    # The text below the copyright line, as one field: blank lines become " .".
    sed '1,/^Copyright (c) /d' LICENSE | sed '/./,$!d' | sed -e 's/^$/./' -e 's/^/ /'
}

# package_deb: vop_VERSION_ARCH.deb, its Depends read off the program by dpkg-shlibdeps.
package_deb() {
    need_packages dpkg-dev binutils lintian
    local deb_version arch work root
    deb_version="$(dpkg-parsechangelog -l data/debian/changelog -S Version)"
    [ "${deb_version%-*}" = "$version" ] ||
        die "data/debian/changelog's latest entry is $deb_version, but CMakeLists.txt says" \
            "$version: add an entry for $version-1"
    arch="$(dpkg --print-architecture)"
    work="$scratch/deb"
    root="$work/debian/vop"  # where dpkg's tools look for the package's files
    mkdir -p "$root/DEBIAN"
    DESTDIR="$root" cmake --install build/package --prefix /usr >/dev/null
    # As Debian's own packages are stripped: symbols and build notes out, the build id kept.
    strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root/usr/games/vop"
    gzip -9n "$root/usr/share/man/man6/vop.6"
    mkdir -p "$root/usr/share/doc/vop"
    debian_copyright >"$root/usr/share/doc/vop/copyright"
    gzip -9n <data/debian/changelog >"$root/usr/share/doc/vop/changelog.Debian.gz"

    # dpkg's tools read the debian/ folder of the place they run in.
    cp data/debian/control data/debian/changelog "$work/debian/"
    (cd "$work" && dpkg-shlibdeps -edebian/vop/usr/games/vop && dpkg-gencontrol -pvop -Pdebian/vop) ||
        die "dpkg-shlibdeps or dpkg-gencontrol failed on the Linux program"
    (cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) \
        >"$root/DEBIAN/md5sums"

    find "$root" -type d -exec chmod 0755 {} +
    find "$root" -type f -exec chmod 0644 {} +
    chmod 0755 "$root/usr/games/vop"
    find "$root" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
    deb="$dist/vop_${deb_version}_${arch}.deb"
    dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null ||
        die "dpkg-deb could not build $deb"

    say "lintian ${deb##*/}"
    # Vop is not uploaded to Debian, so its first entry has no "intent to package" bug to close.
    lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb" ||
        die "lintian found errors or warnings in ${deb##*/} (above)"
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

# package_web: the static site of the browser build, where the project has one: its `web`
# configure preset builds the site into build/web/site/.
package_web() {
    if ! cmake --list-presets=configure 2>/dev/null | grep -Eq '^ *"web"( |$)'; then
        say "no 'web' configure preset in CMakePresets.json: no vop-$version-web.zip"
        return 0
    fi
    need_packages emscripten
    say "building the web site (build/web)"
    cmake --preset web --fresh >/dev/null
    cmake --build --preset web --clean-first
    [ -d build/web/site ] || die "the web build left no build/web/site/"
    cp -R build/web/site "$scratch/web"
    make_zip "$dist/vop-$version-web.zip" "$scratch/web"
}

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
    names="$(cd "$first/dist" && ls)"
    [ "$names" = "$(cd "$second/dist" && ls)" ] ||
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
build_programs
[ "$mode" = packages ] || exit 0

need_packages zip coreutils
scratch="$(mktemp -d)"
trap 'rc=$?; rm -rf "$scratch"; [ $rc -eq 0 ] || echo "vop: FAILED (exit $rc) in package.sh" >&2; exit $rc' EXIT
dist="$VOP_ROOT/dist"
rm -rf "$dist"
mkdir -p "$dist"
package_deb
package_windows
package_web
sums="$(cd "$dist" && ls | LC_ALL=C sort | xargs sha256sum)"
printf '%s\n' "$sums" >"$dist/SHA256SUMS"
say "packages in dist/:"
(cd "$dist" && ls -l --time-style=+ | tail -n +2 >&2)
