#!/usr/bin/env bash
# Two monitors side by side, 1024 x 768 (primary) and 800 x 600, on Xephyr
# with two Xinerama heads. The viewport is the 1824 x 768 rectangle around
# both, so the map is 364 x 153 with both monitors outlined in it; at exit a
# window 3000 px right of the view is gathered onto the second monitor and
# the windows on either monitor stay. Edges: x = 1023 at y = 300 lies
# between the monitors and scrolls nothing; at y = 700 nothing is right of
# the first monitor, so it scrolls; x = 1823 is the layout's right edge.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
source "$(dirname "$0")/nav_lib.sh"
source "$(dirname "$0")/xephyr_lib.sh"
xe_begin 1024x768 800x600

display_tool() { "$WE_WINE" "$E2E_WIN64/wrdisplaytool.exe" "$@"; }
expect_eq "Wine sees two monitors, the virtual screen 1824 x 768" "0 0 1824 768 2" "$(display_tool screen)"

pointer_to 512 384
start_sample --window "On first" 100 100 300 200 --window "On second" 1200 100 300 200 \
    --window "Far right" 4824 200 300 200 || exit 1
read -r first second far <<<"$SAMPLE_HANDLES"
name_windows "$first" "window on the first monitor" "$second" "window on the second monitor" \
    "$far" "window 3000 px right of the view"
windows="$first $second $far"

# --- the gathering at exit, per monitor -----------------------------------
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready gather || exit 1
exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
gathered="$first 100 100
$second 1200 100
$far 1524 200"
# shellcheck disable=SC2086
all_gathered() { [ "$(origins $windows)" = "$gathered" ]; }
retry 10 all_gathered
# shellcheck disable=SC2086
expect_eq "at exit the far window comes onto the second monitor's work area and the others stay" \
    "$(named "$gathered")" "$(named "$(origins $windows)")"
expect_eq "the placement file records the virtual screen, 1824 x 768" "24 1824 768" \
    "$(read_words "$E2E_CWD/Wideroom.prv" | cut -d' ' -f1-3)"

# --- the map and the edges --------------------------------------------------
start_wideroom edges
nav_wait_started || {
    fail "the program did not finish starting"
    exit 1
}
expect_eq "the map is 364 x 153" "364	153" "$(drv info "$NAV_FRAME" | cut -f 10,11)"
# View (3648, 1536) at 1/25: the frame spans (145, 61)-(216, 90); the first
# monitor's outline ends at column 183, the second's bottom lies on row 83.
shot=$E2E_WORK/map.png
nav_shot_showing "$shot" 183,75 "$NAV_VIEW"
read -r -d '' -a colours < <(nav_map_colours "$shot" 183,75 200,83 200,87)
expect_eq "the first monitor's right outline is drawn at column 183" "$NAV_VIEW" "${colours[0]}"
expect_eq "the second monitor's bottom outline is drawn at row 83" "$NAV_VIEW" "${colours[1]}"
expect_eq "below the second monitor lies the background" "$NAV_BACK" "${colours[2]}"

# still_at X Y: the pointer held there for 1.5 s moves nothing.
still_at() {
    local before
    # shellcheck disable=SC2086
    before=$(origins $windows)
    pointer_to "$1" "$2"
    sleep 1.5
    local after
    # shellcheck disable=SC2086
    after=$(origins $windows)
    pointer_to 512 384
    [ "$before" = "$after" ]
}
origin_differs() { [ "$(origin "$1")" != "$2" ]; }
# scrolls_at X Y: the pointer there moves the windows.
scrolls_at() {
    local before rc
    before=$(origin "$first")
    pointer_to "$1" "$2"
    retry 10 origin_differs "$first" "$before"
    rc=$?
    pointer_to 512 384
    sleep 0.5
    return $rc
}
expect "the pointer at (1023, 300), between the monitors, scrolls nothing" still_at 1023 300
expect "the pointer at (1023, 700), with nothing to the right, scrolls" scrolls_at 1023 700
expect "the pointer at (1823, 300), the layout's right edge, scrolls" scrolls_at 1823 300
expect "the pointer at (1024, 300), the second monitor's left edge, scrolls nothing" still_at 1024 300
exit_wideroom
expect_eq "the second run ends with code 0" 0 "$WR_RC"
