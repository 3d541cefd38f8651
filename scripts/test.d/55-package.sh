#!/usr/bin/env bash
# The packages a user installs: scripts/package.sh makes them (lintian clean, or it fails),
# they hold what they should, and the two programs come out byte for byte the same from a
# copy of the tree in another folder, with other file times. The whole double packaging
# is on demand: bash scripts/package.sh --check.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages git unzip binutils dpkg
# package.sh dates everything by the last commit itself; the copy below has no history
# and is given that date.
unset SOURCE_DATE_EPOCH
commit_time="$(git log -1 --format=%ct)" || die "no git history to date the packages"

bash scripts/package.sh || die "scripts/package.sh failed"
scratch="$(mktemp -d)"
trap 'rc=$?; rm -rf "$scratch"; [ $rc -eq 0 ] || echo "vop: FAILED (exit $rc) in 55-package.sh" >&2; exit $rc' EXIT


version="$(cat build/package/release/version.txt)"
deb="$(ls dist/vop_*.deb)"
zip="dist/vop-$version-windows-x86.zip"
dpkg-deb -x "$deb" "$scratch/deb"

sums_cover_everything() {
    (cd dist && sha256sum --strict -c SHA256SUMS) || return 1
    [ "$(wc -l <dist/SHA256SUMS)" -eq "$(($(ls dist | wc -l) - 1))" ] ||
        { echo "SHA256SUMS does not list every file in dist/"; return 1; }
}
check "SHA256SUMS lists and matches every artefact" sums_cover_everything

deb_holds_everything() {
    local listing missing=0 file
    listing="$(dpkg-deb -c "$deb")"
    for file in usr/games/vop usr/share/applications/net.vopgame.Vop.desktop \
        usr/share/metainfo/net.vopgame.Vop.metainfo.xml usr/share/man/man6/vop.6.gz \
        usr/share/icons/hicolor/scalable/apps/net.vopgame.Vop.svg \
        usr/share/icons/hicolor/16x16/apps/net.vopgame.Vop.png \
        usr/share/icons/hicolor/256x256/apps/net.vopgame.Vop.png \
        usr/share/doc/vop/copyright usr/share/doc/vop/changelog.Debian.gz; do
        grep -q " \./$file\$" <<<"$listing" || { echo "missing: /$file"; missing=1; }
    done
    return $missing
}
check "the .deb holds the program, entry, metainfo, icons, manual, copyright, changelog" \
    deb_holds_everything

# Every library the program loads is named in Depends, by the package that has it.
depends_cover_libraries() {
    local depends needed soname package multiarch missing=0
    depends="$(dpkg-deb -f "$deb" Depends)"
    multiarch="$(gcc -print-multiarch)"
    needed="$(objdump -p "$scratch/deb/usr/games/vop" | awk '$1 == "NEEDED" {print $2}')"
    [ -n "$needed" ] || { echo "objdump found no NEEDED library"; return 1; }
    for soname in $needed; do
        package="$({ dpkg -S "/usr/lib/$multiarch/$soname" || dpkg -S "/lib/$multiarch/$soname"; } \
            2>/dev/null | cut -d: -f1)"
        tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$package" ||
            { echo "Depends lacks $package (for $soname): $depends"; missing=1; }
    done
    return $missing
}
check "Depends names the package of every library the program needs" depends_cover_libraries

# The version of CMakeLists.txt, as the package, the file names and the metainfo show it.
versions_agree() {
    local deb_version metainfo
    deb_version="$(dpkg-deb -f "$deb" Version)"
    [ "${deb_version%-*}" = "$version" ] || { echo ".deb is $deb_version, not $version-N"; return 1; }
    [ "$deb" = "dist/vop_${deb_version}_$(dpkg --print-architecture).deb" ] ||
        { echo "$deb is misnamed"; return 1; }
    metainfo="$scratch/deb/usr/share/metainfo/net.vopgame.Vop.metainfo.xml"
    grep -q "<release version=\"$version\" date=\"$(date -u -d "@$commit_time" +%F)\"/>" \
        "$metainfo" || { grep '<release ' "$metainfo"; return 1; }
}
check "the .deb, its name and its metainfo's release carry version $version" versions_agree
check "the desktop entry and metainfo point at no web address" \
    bash -c '! grep -n "://" "$1"/usr/share/applications/* "$1"/usr/share/metainfo/*' - "$scratch/deb"

windows_zip_holds_three() {
    [ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "LICENSE.txt README.txt vop.exe " ] ||
        { unzip -Z1 "$zip"; return 1; }
    unzip -p "$zip" vop.exe | cmp - build/package-windows/app/vop.exe
}
check "$zip holds the built vop.exe, README.txt and LICENSE.txt" windows_zip_holds_three

# The same tree in another folder, every file with a new time: the programs must not change.
copy="$scratch/another/folder/vop"
mkdir -p "$copy"
git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -cf - |
    tar -C "$copy" --touch -xf -
SOURCE_DATE_EPOCH="$commit_time" bash "$copy/scripts/package.sh" --programs || die "the copy in $copy did not build"
check "the Linux program is the same built in another folder" \
    cmp build/package/app/vop "$copy/build/package/app/vop"
check "vop.exe is the same built in another folder" \
    cmp build/package-windows/app/vop.exe "$copy/build/package-windows/app/vop.exe"

checks_done packages
