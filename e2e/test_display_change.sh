#!/usr/bin/env bash
# A resolution change while the program runs, inside the Wine virtual
# desktop: ChangeDisplaySettingsA to 800 x 600 and back to 1024 x 768. Each
# time the edges follow the new screen (x = 799 scrolls, 1023 is not
# there), the navigator's map takes the new size (160 x 120, then 204 x 153)
# and the windows that were on the screen are on it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

DISPLAY_TOOL=$E2E_WIN64/wrdisplaytool.exe
display_tool() { "$WE_WINE" "$DISPLAY_TOOL" "$@"; }

pointer_to 512 384
start_stranger notepad 600 80 || exit 1
notepad=$STRANGER_HANDLE
start_sample --window "Sample low" 100 430 300 200 --window "Sample right" 900 300 100 100 || exit 1
read -r low right <<<"$SAMPLE_HANDLES"
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready display || exit 1
navigator=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000 | col 1)
name_windows "$notepad" notepad "$low" "low sample window" "$right" "right sample window"
windows="$notepad $low $right"

client_size() { drv info "$navigator" | cut -f 10,11 | tr '\t' ' '; }
expect_eq "the map starts at 204 x 153" "204 153" "$(client_size)"

# on_screen W H: every window lies inside W x H.
on_screen() {
    local h r
    for h in $windows; do
        read -r -a r <<<"$(rect_of "$h")"
        [ "${r[0]}" -ge 0 ] && [ "${r[1]}" -ge 0 ] && [ "${r[2]}" -le "$1" ] && [ "${r[3]}" -le "$2" ] || return 1
    done
}
map_is() { [ "$(client_size)" = "$1" ]; }
# overlap W H: every window shows at least partly inside W x H.
overlap() {
    local h r
    for h in $windows; do
        read -r -a r <<<"$(rect_of "$h")"
        [ "${r[2]}" -gt 0 ] && [ "${r[3]}" -gt 0 ] && [ "${r[0]}" -lt "$1" ] && [ "${r[1]}" -lt "$2" ] || return 1
    done
}

# scrolls_at X Y: the pointer there moves the windows; back in the middle
# afterwards.
origin_differs() { [ "$(origin "$1")" != "$2" ]; }
scrolls_at() {
    local before rc
    before=$(origin "$notepad")
    pointer_to "$1" "$2"
    retry 10 origin_differs "$notepad" "$before"
    rc=$?
    pointer_to 400 300
    sleep 0.5
    return $rc
}

# reached X Y: where the pointer lands when a program puts it at (X, Y); the
# system keeps it on the screen. (The X server's own pointer may stray
# beyond the shrunk Wine desktop.)
reached() {
    local p
    pointer_to 400 300
    sleep 0.3
    drv cursor "$1" "$2"
    # The first report after a move from another process can still be the
    # pointer's earlier place.
    for _ in $(seq 30); do
        p=$(drv getcursor)
        [ "${p%% *}" != 400 ] && break
        sleep 0.1
    done
    echo "$p"
}

# --- 800 x 600 ------------------------------------------------------------
t0=$(date +%s%N)
expect_eq "ChangeDisplaySettingsA to 800 x 600 succeeds" 0 "$(display_tool set 800 600)"
expect "the map takes its new size, 160 x 120" retry 15 map_is "160 120"
echo "measured: the map had its new size $((($(date +%s%N) - t0) / 1000000)) ms after the change was asked for (polled every 0.2 s)"
expect "the windows that were on the screen are on the 800 x 600 screen" retry 15 on_screen 800 600
echo "after the change: $(named "$(origins $windows)")"
expect_eq "the navigator keeps its place on the screen" "0 0" "$(origin "$navigator")"
x=$(reached 1023 300 | cut -d' ' -f1)
if [ "$x" -le 799 ]; then pass "x = 1023 cannot be reached (the pointer stops at $x)"; else fail "the pointer reached x = $x"; fi
pointer_to 400 300
sleep 0.5
expect "the pointer at x = 799 scrolls" scrolls_at 799 300
expect "the pointer at x = 0 scrolls back" scrolls_at 0 300

# --- back to 1024 x 768 ---------------------------------------------------
before=$(origins $windows)
expect_eq "ChangeDisplaySettingsA back to 1024 x 768 succeeds" 0 "$(display_tool set 1024 768)"
expect "the map takes its old size again, 204 x 153" retry 15 map_is "204 153"
expect "the windows are on the 1024 x 768 screen" retry 15 on_screen 1024 748
expect_eq "nothing on the screen had to move" "$(named "$before")" "$(named "$(origins $windows)")"
expect_eq "x = 1023 can be reached again" "1023" "$(reached 1023 300 | cut -d' ' -f1)"
pointer_to 400 300
sleep 0.5
expect "the pointer at x = 1023 scrolls" scrolls_at 1023 300

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
expect "at exit every window is on the work area" retry 10 overlap 1024 748
