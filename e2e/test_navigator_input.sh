#!/usr/bin/env bash
# The real pointer in the navigator's map: a right drag over a window's
# rectangle moves that real window (Wine's notepad) by 25 pixels per map
# pixel, a right drag from an empty spot moves nothing, and a left press or
# a left drag centres the view on the map point, moving every window by
# minus the view's change while the map's viewport frame follows.
# Screen 1024 x 768, 5 x 5 screens, divisor 25, view starting at (2048, 1536).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nav_lib.sh"
e2e_begin

start_sample --window "Sample A" 100 50 300 200 || exit 1
sample=${SAMPLE_HANDLES%% *}
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 2 700 450
xdotool mousemove 300 650
start_wideroom input
nav_wait_started || {
    fail "the program did not finish starting"
    exit 1
}

# Wine's own notepad, ended by its pid with the rest. Started by its full
# Windows path: a bare "notepad" goes through a launcher, whose pid is not
# notepad's.
we_start "$E2E_WORK/notepad.out" "$E2E_WORK/notepad.err" 'C:\windows\system32\notepad.exe'
notepad=$(drv find --process notepad.exe --class Notepad --visible --timeout 20000 | col 1)
if [ -z "$notepad" ]; then
    fail "notepad did not start"
    exit 1
fi
drv move "$notepad" 200 300 400 300

rect_is() {
    [ "$(drv rect "$1")" = "$2" ]
}

# expect_rect WHAT H "L T R B": waits a while for the window to get there.
expect_rect() {
    retry 10 rect_is "$2" "$3"
    expect_eq "$1" "$3" "$(drv rect "$2")"
}

expect_rect "notepad placed for the test" "$notepad" "200 300 600 600"
# Its map rectangle, drawn as (89, 73, 104, 84) and hovered for columns 90
# to 105 and rows 74 to 85, must be in the window table before the drag.
nav_shot_showing "$E2E_WORK/notepad-placed.png" 92,76 "$NAV_WINDOW" ||
    fail "notepad's new place never showed in the map"

# right_drag MX,MY...: press the right button on the first map point, move
# through the others, release on the last; drag_midway runs after the first
# move.
# shellcheck disable=SC2317 # called by right_drag
drag_midway() { :; }
right_drag() {
    local point midway=1
    nav_point_map "${1%,*}" "${1#*,}"
    sleep 0.2
    xdotool mousedown 3
    sleep 0.1
    shift
    for point in "$@"; do
        nav_point_map "${point%,*}" "${point#*,}"
        sleep 0.05
        [ "$midway" = 1 ] && drag_midway
        midway=0
    done
    sleep 0.2
    xdotool mouseup 3
}

# Its program renames the window during the drag: the tooltip afterwards
# shows the name it has now, not the one read when the drag began.
new_title="Renamed while dragged"
drag_midway() {
    drv title "$notepad" "$new_title"
    expect "the window's program renames it during the drag" [ "$(drv info "$notepad" | col 13)" = "$new_title" ]
}
tip_shows() {
    nav_is_visible "$NAV_TIP" && [ "$(navtool tiptext "$NAV_TIP")" = "$1" ]
}
right_drag 95,78 97,79 99,80 101,81 103,82
drag_midway() { :; }
expect_rect "right drag of 8 map pixels right and 4 down moves notepad 200 right and 100 down" \
    "$notepad" "400 400 800 700"
expect "the tooltip shows the dragged window's title as it is after the drag" retry 10 tip_shows "$new_title"
right_drag 105,84 106,84 107,84 108,83
expect_rect "right drag of 3 map pixels right and 1 up moves notepad 75 right and 25 up" \
    "$notepad" "475 375 875 675"
# Nothing is under map point (30, 30): no window follows the pointer.
right_drag 30,30 32,32 34,34 36,36
sleep 0.5
expect_eq "right drag from an empty spot leaves notepad in place" "475 375 875 675" "$(drv rect "$notepad")"
expect_eq "right drags leave the other window in place" "100 50 400 250" "$(drv rect "$sample")"

# --- left presses and a left drag move the view -----------------------------
clamp() {
    local v=$1 low=$2 high=$3
    if [ "$v" -lt "$low" ]; then v=$low; elif [ "$v" -gt "$high" ]; then v=$high; fi
    echo "$v"
}

view_x=2048
view_y=1536
# check_view NAME X Y: the windows and the viewport frame after the view
# went to (X, Y).
check_view() {
    local name=$1 x=$2 y=$3
    local dx=$((x - view_x)) dy=$((y - view_y))
    view_x=$x
    view_y=$y
    local s n
    read -r -a s <<<"$sample_rect"
    read -r -a n <<<"$notepad_rect"
    sample_rect="$((s[0] - dx)) $((s[1] - dy)) $((s[2] - dx)) $((s[3] - dy))"
    notepad_rect="$((n[0] - dx)) $((n[1] - dy)) $((n[2] - dx)) $((n[3] - dy))"
    expect_rect "$name: the sample window moves by minus the view's change" "$sample" "$sample_rect"
    expect_rect "$name: notepad moves by minus the view's change" "$notepad" "$notepad_rect"
    local left=$((x / 25)) top=$((y / 25))
    local shot=$E2E_WORK/view-$x-$y.png
    nav_shot_showing "$shot" "$left,$((top + 15))" "$NAV_VIEW"
    expect_eq "$name: the viewport frame's left side is drawn at x=$left" "$NAV_VIEW" \
        "$(nav_map_colours "$shot" "$left,$((top + 15))")"
    expect_eq "$name: the viewport frame's top side is drawn at y=$top" "$NAV_VIEW" \
        "$(nav_map_colours "$shot" "$((left + 20)),$top")"
}

sample_rect=$(drv rect "$sample")
notepad_rect=$(drv rect "$notepad")

# name | map point: the view goes to (25 mx - 512, 25 my - 384), clamped to
# the virtual desktop (0..4096, 0..3072).
clicks=(
    "left press near the centre|102 76"
    "left press to the lower right|150 100"
    "left press at the top-left corner stops at the border|0 0"
    "left press at the bottom-right corner stops at the border|203 152"
    "left press back to the middle|102 76"
)
for row in "${clicks[@]}"; do
    IFS='|' read -r name point <<<"$row"
    read -r mx my <<<"$point"
    nav_point_map "$mx" "$my"
    xdotool click 1
    check_view "$name" "$(clamp $((25 * mx - 512)) 0 4096)" "$(clamp $((25 * my - 384)) 0 3072)"
done

# A left drag: the view follows the pointer and ends centred on the release
# point (120, 75). It starts away from the last press, which a press nearby
# would turn into a double click.
nav_point_map 110 70
xdotool mousedown 1
for i in 2 4 6 8 10; do
    nav_point_map $((110 + i)) $((70 + i / 2))
    sleep 0.05
done
sleep 0.2
xdotool mouseup 1
check_view "left drag" $((25 * 120 - 512)) $((25 * 75 - 384))
