#!/usr/bin/env bash
# make run: starts Wideroom under Wine, with a few windows to move about.
#   bash scripts/run.sh <win64 build dir> <run dir>
# With DISPLAY set, the Wine desktop opens on that display and the program
# runs until it is ended from its tray menu. Without one, it runs on a
# private X server: screenshots are taken after start-up, after a push
# against the right screen edge, of the settings dialog, the about box, the
# tray menu, the help window and at the end (scripts/shots_lib.sh, which also
# makes the README's pictures), and the program is ended through its exit
# command. Its files stay in the run dir between runs.
set -u
win64=$(cd "${1:?win64 build dir}" && pwd) || exit 1
run=${2:?run dir}
mkdir -p "$run" || exit 1
run=$(cd "$run" && pwd)
source "$(dirname "$0")/wine-env.sh"
source "$(dirname "$0")/shots_lib.sh"

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
SHOTS_SAMPLE=$sample
SHOTS_SETTOOL=$win64/wrsettool.exe

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

shots_clients "$run"

shots_start "$exe" "$run"
wideroom=$SHOTS_PID
echo "Wideroom is running (pid $wideroom), files in $run"

if [ "$headless" = 0 ]; then
    echo "End it from its tray icon's menu (終了, Exit); Ctrl-C ends everything."
    while kill -0 "$wideroom" 2>/dev/null; do sleep 0.5; done
    we_wait_exit "$wideroom" 5
    echo "Wideroom ended with code $WE_RC"
    exit "$WE_RC"
fi

shots_all "$run" ""
echo "Wideroom ended with code $SHOTS_RC; screenshots in $run"
exit "$SHOTS_RC"
