#!/usr/bin/env bash
# One run of the program from start to exit: the splash, then the navigator;
# the tray icon; a second start that is turned away; the exit command and the
# placement file it leaves. The checks share one start because Wine's start-up
# and the splash cost seconds.
source "$(dirname "$0")/lib.sh"
e2e_begin

# Two ordinary windows of another program, to see that nothing moves them.
start_sample --window "Sample A" 200 150 300 200 --window "サンプル B" 420 260 300 200 || exit 1
samples_before=$(drv list --process wrsample.exe --class WrSample | col 1,6-9 | sort)

tray_shot_settled "$E2E_WORK/tray-before.png"

# --- start: the splash, and only after it the navigator ------------------
we_start "$E2E_WORK/watch1.txt" /dev/null "$E2E_DRIVER" watch --process wideroom.exe --children \
    --for 60000 --until "Wideroom Navigator"
watch1=$WE_PID
wait_for_line "$E2E_WORK/watch1.txt" '^ready$' 30 || exit 1
start_wideroom first
we_wait_exit "$watch1" 70

# Replays the watch log snapshot by snapshot. The splash is a visible dialog
# holding a 400 x 300 picture; prints what was seen and any snapshot in which
# the splash was visible while the navigator existed.
splash_report=$(awk -F'\t' '
    $1 == "+" || $1 == "~" { cur = $2; vis[cur] = $4; cls[cur] = $13; title[cur] = $14; next }
    $1 == "-" { delete vis[$2]; delete title[$2]; cur = ""; next }
    $1 == "child" && cur != "" && cls[cur] == "#32770" && $13 == "Static" && $11 == 400 && $12 == 300 {
        picture[cur] = 1; next }
    $1 == "@" {
        splash = 0; navi = 0
        for (h in vis) {
            if (picture[h] && vis[h] == 1) splash = 1
            if (title[h] == "Wideroom Navigator") navi = 1
        }
        if (splash) print "splash"
        if (navi) print "navigator"
        if (splash && navi) print "overlap"
    }' "$E2E_WORK/watch1.txt" | uniq)
expect_eq "the splash with its 400x300 picture shows, then the navigator" "$(printf 'splash\nnavigator')" \
    "$splash_report"

# --- the navigator: topmost, map-sized client, default place and mode -----
navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 10000)
expect_eq "navigator is visible (pinned by default)" 1 "$(echo "$navi" | col 3)"
expect_eq "navigator is topmost" 1 "$(echo "$navi" | col 5)"
expect_eq "navigator client area is exactly the map" "204 153" "$(echo "$navi" | col 10,11 | tr '\t' ' ')"
expect_eq "navigator opens at the default place" "0 0" "$(echo "$navi" | col 6,7 | tr '\t' ' ')"
navi_handle=$(echo "$navi" | col 1)
first_pid=$(echo "$navi" | col 2)
expect_eq "command window is never shown" 0 "$(drv find --class Wideroom --process wideroom.exe | col 3)"

# --- the tray icon appears in the notification area ------------------------
tray_changed() {
    tray_shot "$E2E_WORK/tray-running.png" && ! same_picture "$E2E_WORK/tray-before.png" "$E2E_WORK/tray-running.png"
}
expect "tray icon is shown in the notification area" retry 10 tray_changed

# --- a second start is turned away ---------------------------------------
we_start "$E2E_WORK/watch2.txt" /dev/null "$E2E_DRIVER" watch --process wideroom.exe --for 3000
watch2=$WE_PID
wait_for_line "$E2E_WORK/watch2.txt" '^ready$' 30 || exit 1
we_start "$E2E_WORK/wideroom.second.out" "$E2E_WORK/wideroom.second.err" "$E2E_EXE"
second=$WE_PID
if we_wait_exit "$second" 30; then second_rc=$WE_RC; else second_rc=timeout; fi
expect_eq "second start exits with code 1" 1 "$second_rc"
we_wait_exit "$watch2" 30
new_windows=$(awk -F'\t' -v pid="$first_pid" '$1 == "+" && $3 != pid' "$E2E_WORK/watch2.txt")
expect_eq "second start creates no window" "" "$new_windows"
samples_after=$(drv list --process wrsample.exe --class WrSample | col 1,6-9 | sort)
expect_eq "second start moves no window" "$samples_before" "$samples_after"
tray_shot "$E2E_WORK/tray-second.png"
expect "second start adds no tray icon" same_picture "$E2E_WORK/tray-running.png" "$E2E_WORK/tray-second.png"

# --- exit: code 0 and the placement file with the navigator's last place ---
drv move "$navi_handle" 300 200
expect_eq "navigator moved by the driver" "300 200" "$(drv rect "$navi_handle" | cut -d' ' -f1,2)"
post_exit_command
wait_wideroom_exit 30
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
expect_eq "placement file is 24 bytes" 24 "$(stat -c %s "$E2E_CWD/Wideroom.prv" 2>/dev/null)"
expect_eq "placement file holds size, screen, mode and the navigator's last place" "24 1024 768 2 300 200" \
    "$(read_words "$E2E_CWD/Wideroom.prv")"

tray_restored() {
    tray_shot "$E2E_WORK/tray-after.png" && same_picture "$E2E_WORK/tray-before.png" "$E2E_WORK/tray-after.png"
}
expect "tray icon is gone after exit" retry 10 tray_restored
