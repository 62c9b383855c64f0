#!/usr/bin/env bash
# Builds the release files in OUT from the two Windows build folders:
#   bash dist/make_dist.sh <win64 build> <win32 build> <out folder>
# Wideroom-<version>-setup.exe (64-bit installer), Wideroom-<version>-x64.zip
# and Wideroom-<version>-i686.zip (portable: the exe, its command-line companion
# wideroomc.exe, the help files, the licence and the readme), with the version of VERSION.
set -eu
win64=$(cd "$1" && pwd)
win32=$(cd "$2" && pwd)
out=$3
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(head -n 1 "$root/VERSION" | tr -d '[:space:]')
mkdir -p "$out"
out=$(cd "$out" && pwd)

# zip_of BUILD ARCH: the portable zip of one build, its files in a Wideroom
# folder.
zip_of() {
    local stage=$out/stage-$2
    rm -rf "$stage"
    mkdir -p "$stage/Wideroom"
    cp "$1/wideroom.exe" "$1/wideroomc.exe" "$1/Wideroom.chm" "$1/Wideroom-en.chm" "$root/README.md" "$root/LICENSE.txt" "$stage/Wideroom/"
    rm -f "$out/Wideroom-$version-$2.zip"
    (cd "$stage" && zip -q -X -r "$out/Wideroom-$version-$2.zip" Wideroom)
    rm -rf "$stage"
}
zip_of "$win64" x64
zip_of "$win32" i686

stage=$out/stage-setup
rm -rf "$stage"
mkdir -p "$stage"
cp "$win64/wideroom.exe" "$win64/wideroomc.exe" "$win64/Wideroom.chm" "$win64/Wideroom-en.chm" "$root/README.md" "$root/LICENSE.txt" "$stage/"
makensis -V2 -WX -DVERSION="$version" -DSRC="$stage" -DSRC_ICON="$root/res/wideroom.ico" \
    -DOUT="$out/Wideroom-$version-setup.exe" "$root/dist/wideroom.nsi"
rm -rf "$stage"
ls "$out"/Wideroom-"$version"-*
