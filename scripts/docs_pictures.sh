#!/usr/bin/env bash
# The README's pictures, in both languages, from the real program under Wine:
#   bash scripts/docs_pictures.sh <win64 build dir> <docs dir>
# Each language runs on its own private X server and Wine prefix, under a
# locale of that language (the help viewer shows a file's title in the ANSI
# code page), with the pictures of make run (scripts/shots_lib.sh): the
# navigator over a scrolled desktop, the settings and options dialogs, the
# about box, the tray menu and the help window, as docs/NAME-LANG.png.
set -u
win64=$(cd "${1:?win64 build dir}" && pwd) || exit 1
docs=${2:?docs dir}
mkdir -p "$docs" || exit 1
docs=$(cd "$docs" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

if [ "${3:-}" != --one ]; then
    rc=0
    for lang in ja en; do bash "$0" "$win64" "$docs" --one "$lang" || rc=1; done
    exit $rc
fi
lang=$4
source "$here/wine-env.sh"
source "$here/shots_lib.sh"
if [ "$lang" = ja ]; then
    { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
fi
work=$root/build/docs-$lang
rm -rf "$work"
mkdir -p "$work/cwd" || exit 1
drv() { "$WE_WINE" "$win64/wrdriver.exe" "$@"; }
SHOTS_SAMPLE=$win64/wrsample.exe
SHOTS_SETTOOL=$win64/wrsettool.exe
trap we_cleanup EXIT
trap 'exit 130' INT TERM
we_start_xvfb || exit 1
we_prefix "$work" || exit 1
cd "$work/cwd" || exit 1
drv find --class Shell_TrayWnd --visible --timeout 30000 >/dev/null 2>"$work/wine-system.err"
printf '[General]\r\nLanguage=%s\r\n' "$lang" >Wideroom.ini
shots_clients "$work"
shots_start "$win64/wideroom.exe" "$work" || exit 1
shots_all "$work" "-$lang" || exit 1
for name in scrolled settings options about tray-menu help; do
    cp "$work/$name-$lang.png" "$docs/$name-$lang.png" || exit 1
done
echo "pictures of $lang in $docs"
