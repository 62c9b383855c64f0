#!/usr/bin/env bash
# make run: starts Wideroom under Wine, with a few windows to move about.
#   bash scripts/run.sh <win64 build dir> <run dir>
# With DISPLAY set, the Wine desktop opens on that display and the program
# runs until it is ended from its tray menu. Without one, it runs on a
# private X server: screenshots are taken after start-up, after a push
# against the right screen edge, of the settings dialog, of the tray menu and
# at the end, and the program is ended through its exit command. Its two files
# stay in the run dir between runs.
set -u
win64=$(cd "${1:?win64 build dir}" && pwd) || exit 1
run=${2:?run dir}
mkdir -p "$run" || exit 1
run=$(cd "$run" && pwd)
source "$(dirname "$0")/wine-env.sh"

exe=$win64/wideroom.exe
driver=$win64/wrdriver.exe
sample=$win64/wrsample.exe
for f in "$exe" "$driver" "$sample"; do
    if [ ! -f "$f" ]; then
        echo "run.sh: missing $f" >&2
        exit 1
    fi
done

drv() { "$WE_WINE" "$driver" "$@"; }
shot() {
    import -window root "$run/$1" && echo "screenshot: $run/$1"
}

headless=0
if [ -z "${DISPLAY:-}" ]; then headless=1; fi

trap we_cleanup EXIT
trap 'exit 130' INT TERM
if [ "$headless" = 1 ]; then
    we_start_xvfb || exit 1
fi
we_prefix "$run/wine" || exit 1
cd "$run" || exit 1
# Wine's own processes (explorer, services) inherit this first call's errors.
drv find --class Shell_TrayWnd --visible --timeout 30000 >/dev/null 2>"$run/wine-system.err"

# Windows to move: our own (one with a Japanese title) and two of Wine's.
we_start "$run/sample.out" "$run/sample.err" "$sample" --window "Sample 1" 120 300 360 240 \
    --window "サンプル 2" 560 420 360 240
we_start /dev/null /dev/null 'C:\windows\system32\notepad.exe'
we_start /dev/null /dev/null 'C:\windows\system32\winemine.exe'
# Wine's virtual desktop draws the window last activated above the
# always-on-top navigator: keep the clients clear of its corner.
place=(notepad.exe 250 200 winemine.exe 760 220)
for ((i = 0; i < ${#place[@]}; i += 3)); do
    client=$(drv find --process "${place[i]}" --visible --timeout 30000 | cut -f1)
    [ -n "$client" ] && drv move "$client" "${place[i + 1]}" "${place[i + 2]}"
done

we_start "$run/wideroom.out" "$run/wideroom.err" "$exe"
wideroom=$WE_PID
echo "Wideroom is running (pid $wideroom), files in $run"
# The map pane's tooltip is the last thing start-up creates.
drv find --class tooltips_class32 --process wideroom.exe --timeout 30000 >/dev/null

if [ "$headless" = 0 ]; then
    echo "End it from its tray icon's menu (終了); Ctrl-C ends everything."
    while kill -0 "$wideroom" 2>/dev/null; do sleep 0.5; done
    we_wait_exit "$wideroom" 5
    echo "Wideroom ended with code $WE_RC"
    exit "$WE_RC"
fi

sleep 1
shot started.png
# Half a second against the right edge scrolls every window to the left.
drv cursor 1023 384
sleep 0.5
drv cursor 512 384
sleep 0.5
shot scrolled.png

main=$(drv find --class Wideroom --timeout 10000 | cut -f1)
# The settings dialog, opened and closed again as its tray menu item does.
drv post "$main" 273 40002 0
if drv find --class '#32770' --title "Wideroom 設定" --visible --timeout 10000 >/dev/null; then
    sleep 0.5
    shot settings.png
fi
drv post "$main" 273 40002 0
drv gone --title "Wideroom 設定" --timeout 10000
# The tray menu: a right click on the icon, the first at the taskbar's right
# end; failing that, the message such a click sends.
xdotool mousemove 1013 758 click 3
if ! drv find --class '#32768' --visible --timeout 3000 >/dev/null; then
    drv post "$main" 50001 0 516
fi
if drv find --class '#32768' --visible --timeout 10000 >/dev/null; then
    sleep 0.3
    shot tray-menu.png
fi
# Esc closes the menu.
drv key down 27
drv key up 27
drv gone --class '#32768' --visible --timeout 5000
drv cursor 512 384

drv post "$main" 273 40003 0
if ! we_wait_exit "$wideroom" 30; then
    echo "Wideroom did not end within 30 s" >&2
    exit 1
fi
shot ended.png
echo "Wideroom ended with code $WE_RC; screenshots in $run"
exit "$WE_RC"
