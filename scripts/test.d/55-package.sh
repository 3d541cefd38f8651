#!/usr/bin/env bash
# The packages a user installs: scripts/package.sh makes them (the .deb with
# dpkg-buildpackage, lintian clean, or it fails), they hold what they should, the .deb's
# program is hardened, and vop.exe comes out byte for byte the same from the copy of the
# tree package.sh builds it in, another folder with other file times, as from the clone
# (stage 30's build): the proof costs no build of its own. The whole packaging done twice,
# the .deb's included, is on demand: scripts/package.sh --check.
source "$(dirname "${BASH_SOURCE[0]}")/../lib.sh"
cd "$VOP_ROOT"
need_packages git unzip binutils dpkg devscripts
# package.sh dates everything by the last commit itself.
unset SOURCE_DATE_EPOCH
commit_time="$(git log -1 --format=%ct)" || die "no git history to date the packages"

bash scripts/package.sh || die "scripts/package.sh failed"
scratch="$(mktemp -d)"
at_exit rm -rf "$scratch"

version="$(cat build/package-windows/release/version.txt)"
debs=(dist/vop_*.deb)
[ ${#debs[@]} -eq 1 ] || die "dist/ holds ${#debs[@]} .deb files, not one"
deb="${debs[0]}"
zip="dist/vop-$version-windows-x86.zip"
dpkg-deb -x "$deb" "$scratch/deb"

sums_cover_everything() {
    (cd dist && sha256sum --strict -c SHA256SUMS) || return 1
    [ "$(wc -l <dist/SHA256SUMS)" -eq "$(($(find dist -type f | wc -l) - 1))" ] ||
        { echo "SHA256SUMS does not list every file in dist/"; return 1; }
}
check "SHA256SUMS lists and matches every artefact" sums_cover_everything

deb_holds_everything() {
    local listing absent=0 file
    listing="$(dpkg-deb -c "$deb")"
    for file in usr/games/vop usr/share/applications/net.vopgame.Vop.desktop \
        usr/share/metainfo/net.vopgame.Vop.metainfo.xml usr/share/man/man6/vop.6.gz \
        usr/share/icons/hicolor/scalable/apps/net.vopgame.Vop.svg \
        usr/share/icons/hicolor/16x16/apps/net.vopgame.Vop.png \
        usr/share/icons/hicolor/256x256/apps/net.vopgame.Vop.png \
        usr/share/doc/vop/copyright usr/share/doc/vop/changelog.Debian.gz; do
        grep -q " \./$file\$" <<<"$listing" || { echo "missing: /$file"; absent=1; }
    done
    return $absent
}
check "the .deb holds the program, entry, metainfo, icons, manual, copyright, changelog" \
    deb_holds_everything

# Every library the program loads is named in Depends, by the package that has it.
depends_cover_libraries() {
    local depends needed soname package multiarch lacking=0
    depends="$(dpkg-deb -f "$deb" Depends)"
    multiarch="$(gcc -print-multiarch)"
    needed="$(objdump -p "$scratch/deb/usr/games/vop" | awk '$1 == "NEEDED" {print $2}')"
    [ -n "$needed" ] || { echo "objdump found no NEEDED library"; return 1; }
    for soname in $needed; do
        package="$({ dpkg -S "/usr/lib/$multiarch/$soname" || dpkg -S "/lib/$multiarch/$soname"; } \
            2>/dev/null | cut -d: -f1)"
        tr ',' '\n' <<<"$depends" | awk '{print $1}' | grep -qxF "$package" ||
            { echo "Depends lacks $package (for $soname): $depends"; lacking=1; }
    done
    return $lacking
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
    grep -q "<release version=\"$version\" date=\"$(date -u -d "@$commit_time" +%F)\">" \
        "$metainfo" || { grep '<release ' "$metainfo"; return 1; }
}
check "the .deb, its name and its metainfo's release carry version $version" versions_agree
no_web_address() { ! grep -n "://" "$1"/usr/share/applications/* "$1"/usr/share/metainfo/*; }
check "the desktop entry and metainfo point at no web address" no_web_address "$scratch/deb"

# debian/copyright is LICENSE in Debian's machine-readable form: the same holder and text.
copyright_is_license() {
    local copyright="$scratch/deb/usr/share/doc/vop/copyright"
    grep -qxF "Copyright: $(sed -n 's/^Copyright (c) //p' LICENSE)" "$copyright" ||
        { echo "debian/copyright names another holder than LICENSE"; return 1; }
    diff <(sed '1,/^Copyright (c) /d' LICENSE | sed '/./,$!d') \
        <(awk '/^License: MIT$/ {n++; next} n == 2 {sub(/^ /, ""); if ($0 == ".") $0 = ""; print}' \
            "$copyright")
}
check "the .deb's copyright holds LICENSE's holder and text" copyright_is_license

windows_zip_holds_three() {
    [ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "LICENSE.txt README.txt vop.exe " ] ||
        { unzip -Z1 "$zip"; return 1; }
    unzip -p "$zip" vop.exe | cmp - build/package-windows/app/vop.exe
}
check "$zip holds the built vop.exe, README.txt and LICENSE.txt" windows_zip_holds_three

# Debian 12's start files carry no CET marks: hardening-check's control-flow check is left out.
check "the .deb's program is hardened (hardening-check)" \
    hardening-check --nocfprotection "$scratch/deb/usr/games/vop"

# vop.exe as the clone builds it (stage 30 did, unless this stage runs alone).
cmake --preset windows >/dev/null
cmake --build --preset windows --target vop
check "vop.exe is the same built in another folder" \
    cmp build/windows/app/vop.exe build/package-windows/app/vop.exe

checks_done packages
