#!/usr/bin/env bash
# Edge scrolling with the default settings, on one program start: the pointer
# held at the right edge moves every ordinary window left by steps of 1, 2,
# 3 ... 64 pixels until the view meets the desktop's right border, 2048
# pixels on, and then nothing moves; runs on to the left border and back
# leave every window exactly where the arithmetic puts it; minimized windows,
# the taskbar and the navigator never move. At exit the windows left off to
# the side come back onto the work area.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

start_notepad_and_mine || exit 1
start_sample --window "Sample A" 300 420 260 180 \
    --window "Wideroom Navigator copy" 500 100 200 120 \
    --window "Wideroom Navigator" 700 500 200 120 \
    --window "Sample maximized" 100 100 300 200 --maximized \
    --window "Sample minimized" 200 200 300 200 --minimized || exit 1
read -r sample longer_title navigator_title maximized minimized <<<"$SAMPLE_HANDLES"
# How far a maximized window's frame overhangs the screen's corner.
frame_inset=$((-$(origin "$maximized" | cut -d' ' -f1)))

rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready edge || exit 1
navigator=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000 | col 1)
taskbar=$(drv find --class Shell_TrayWnd --visible | col 1)
name_windows "$notepad" notepad "$mine" winemine "$sample" "sample window" \
    "$longer_title" "window titled 'Wideroom Navigator copy'" "$maximized" "maximized window" \
    "$minimized" "minimized window" "$navigator_title" "window titled 'Wideroom Navigator'" \
    "$navigator" navigator "$taskbar" taskbar

movers="$notepad $mine $sample $longer_title $maximized"
keepers="$minimized $navigator_title $navigator $taskbar"
# shellcheck disable=SC2086
start=$(origins $movers)
keeper_rects() {
    local h
    for h in $keepers; do echo "$(nm "$h") $(rect_of "$h")"; done
}
keepers_start=$(keeper_rects)

# run_to NAME X Y: holds the pointer at (X, Y) until the windows have been
# still for a while, then takes it back to the middle of the screen.
run_to() {
    # shellcheck disable=SC2086
    trace_start "$E2E_WORK/$1.trace" --settle 1500 --timeout 20000 $movers $keepers || return 1
    pointer_to "$2" "$3"
    trace_wait 120
    pointer_to 512 384
}

# check_run NAME SIGN TOTAL BEFORE: every mover went TOTAL pixels in the
# direction SIGN along x from its BEFORE origin, through the accelerating
# steps and nothing else; the keepers did not move.
check_run() {
    local name=$1 sign=$2 total=$3 before=$4 h x y distances path moved
    path=$(accelerating_path 1 64 "$total")
    while read -r h x y; do
        distances=$(trace_distances "$E2E_WORK/$name.trace" "$h" x "$sign" "$x")
        expect "$name: $(nm "$h") moves by steps growing from 1 to 64 px" on_path "$distances" "$path"
        expect_eq "$name: $(nm "$h") moves $total px in all" "$total" "${distances##* }"
    done <<<"$before"
    moved=$(trace_moved "$E2E_WORK/$name.trace")
    for h in $keepers; do
        case " $moved " in
            *" $h "*) fail "$name: $(nm "$h") moved" ;;
            *) pass "$name: $(nm "$h") does not move" ;;
        esac
    done
}

# --- right edge: 2048 pixels in steps of 1, 2, 3 ... 64, then nothing -------
run_to right 1023 300 || exit 1
check_run right -1 2048 "$start"
# shellcheck disable=SC2086
expect_eq "at the right border every window stands 2048 px left of its start" \
    "$(named "$(shifted "$start" -2048 0)")" "$(named "$(origins $movers)")"
echo "measured: the 2048 px run to the right border took $(trace_duration "$E2E_WORK/right.trace") ms"

# --- no drift: on to the left border and back to the right ---------------
# shellcheck disable=SC2086
before=$(origins $movers)
run_to left 0 300 || exit 1
check_run left 1 4096 "$before"
# shellcheck disable=SC2086
expect_eq "at the left border every window stands 2048 px right of its start" \
    "$(named "$(shifted "$start" 2048 0)")" "$(named "$(origins $movers)")"
echo "measured: the 4096 px run to the left border took $(trace_duration "$E2E_WORK/left.trace") ms"

# shellcheck disable=SC2086
before=$(origins $movers)
run_to right-again 1023 300 || exit 1
check_run right-again -1 4096 "$before"
# shellcheck disable=SC2086
expect_eq "back at the right border every window stands 2048 px left of its start" \
    "$(named "$(shifted "$start" -2048 0)")" "$(named "$(origins $movers)")"

expect_eq "minimized window, look-alike, navigator and taskbar keep their rectangles" "$keepers_start" \
    "$(keeper_rects)"
expect_eq "the minimized window stays minimized" 2 "$(drv info "$minimized" | col 4)"
expect_eq "the maximized window stays maximized" 3 "$(drv info "$maximized" | col 4)"

# --- exit: the windows 2048 px off to the left come back to the left edge ---
exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
gathered="$notepad 0 80
$mine 0 300
$sample 0 420
$longer_title 0 100
$maximized $((-frame_inset)) $((-frame_inset))"
# shellcheck disable=SC2086
all_gathered() { [ "$(origins $movers)" = "$gathered" ]; }
retry 10 all_gathered
# shellcheck disable=SC2086
expect_eq "at exit the windows off to the left stand at the work area's left edge, maximized at the inset" \
    "$(named "$gathered")" "$(named "$(origins $movers)")"
expect_eq "at exit the minimized window and the one titled like the navigator stay" \
    "$(named "$minimized -32000 -32000
$navigator_title 700 500")" "$(named "$(origins "$minimized" "$navigator_title")")"
expect_eq "at exit the taskbar keeps its place" "0 748 1024 768" "$(rect_of "$taskbar")"
