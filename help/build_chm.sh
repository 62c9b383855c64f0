#!/usr/bin/env bash
# Compiles one language's help pages into a CHM file:
#   bash help/build_chm.sh <language folder> <work folder> <output .chm> <code page>
# The project and contents files are written in UTF-8 here; the help viewer
# reads their title and page names in the code page of the help file's
# language, so they are converted first. The pages say their own charset.
set -eu
src=$1 work=$2 out=$3 codepage=$4
rm -rf "$work"
mkdir -p "$work"
cp "$src"/*.html "$(dirname "$0")/help.css" "$work"/
for f in wideroom.hhp toc.hhc; do
    iconv -f UTF-8 -t "$codepage" "$src/$f" >"$work/$f"
done
compiled=$(sed -n 's/^Compiled file=//p' "$src/wideroom.hhp")
(cd "$work" && chmcmd --no-html-scan wideroom.hhp >chmcmd.log 2>&1) || {
    cat "$work/chmcmd.log" >&2
    exit 1
}
mv "$work/$compiled" "$out"
