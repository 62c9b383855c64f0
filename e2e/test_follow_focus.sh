#!/usr/bin/env bash
# A window out of view that comes to the front, as a new user meets it: three
# windows two screens off to the left, one of them brought forward as Alt+Tab
# does (SetForegroundWindow). By default the view goes to it: it stands wholly
# on the screen and the other two have moved by the same amount; a window
# minimized off the view and restored by a click on its taskbar button brings
# the view too. With FollowFocus=off nothing moves; with FollowFocus=window
# the window comes onto the screen and nothing else moves.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

pointer_to 512 384
start_sample --window "Sample A" 100 100 300 200 --window "Sample B" 450 150 260 180 \
    --window "Sample C" 200 400 280 160 || exit 1
read -r a b c <<<"$SAMPLE_HANDLES"
name_windows "$a" "window A" "$b" "window B" "$c" "window C"

# far_left: the three windows two screens off to the left.
far_left() {
    drv move "$a" -1708 100 && drv move "$b" -1900 300 && drv move "$c" -1400 450
}

# in_view H: the whole window on the 1024 x 768 screen.
in_view() {
    local l t r bt
    read -r l t r bt <<<"$(drv rect "$1")"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1024 ] && [ "$bt" -le 768 ]
}

# minimized H: the window is shown minimized.
minimized() {
    [ "$(drv info "$1" | col 4)" = 2 ]
}

# left_of H: the window's left edge.
left_of() {
    origin "$1" | cut -d' ' -f1
}

# moved_alike BEFORE H...: each window's origin moved by the same (dx, dy)
# as the first one's, given the lines "H x y" from before.
moved_alike() {
    local before=$1 h x y dx='' dy='' nx ny
    while read -r h x y; do
        read -r nx ny <<<"$(origin "$h")"
        if [ -z "$dx" ]; then
            dx=$((nx - x))
            dy=$((ny - y))
        fi
        expect_eq "$(nm "$h") moves with the view" "$dx $dy" "$((nx - x)) $((ny - y))"
    done <<<"$before"
}

run_with() {
    printf '[Focus]\r\nFollowFocus=%s\r\n' "$2" >"$E2E_CWD/Wideroom.ini"
    start_wideroom_ready "$1" || exit 1
    far_left || exit 1
    # A tick to see the windows where they stand now.
    sleep 0.5
}

# --- the default: the view goes to the window ---------------------------------
run_with view view
before=$(origins "$a" "$b" "$c")
drv front "$a" || fail "window A comes to the front"
if retry 15 in_view "$a"; then pass "the view goes to window A"; else fail "window A stays out of view"; fi
expect_eq "window A: the smallest move (its left edge at the screen's)" 0 "$(left_of "$a")"
moved_alike "$before"

# Window B minimized off the view (on the desktop: the view stands at x = 340),
# restored from its taskbar button.
drv move "$b" -300 300
sleep 1.2
drv post "$b" 274 0xF020 0 # WM_SYSCOMMAND, SC_MINIMIZE
retry 10 minimized "$b" || fail "window B minimizes"
before=$(origins "$a" "$c")
taskbar=$(drv find --class Shell_TrayWnd --visible | col 1)
# Wine's taskbar buttons carry no title: after the start button (at the left
# end), one a window in the order the windows came, A, B, C; B's is the second.
button=$(drv children "$taskbar" | awk -F'\t' '$4 == 1 && $7 > 0 { print $7, $8, $9, $10 }' | sort -n |
    sed -n 2p)
if [ -z "$button" ]; then
    fail "window B has a button on the taskbar"
else
    read -r l t r bt <<<"$button"
    xdotool mousemove $(((l + r) / 2)) $(((t + bt) / 2)) click 1
    pointer_to 512 384
    if retry 15 in_view "$b"; then pass "a click on its taskbar button brings the view to window B"; else
        fail "window B, restored from the taskbar, stays out of view: $(drv rect "$b")"
    fi
    before_a=$(echo "$before" | head -n 1)
    read -r _ ax _ <<<"$before_a"
    shift_x=$(($(left_of "$a") - ax))
    expect "the view moved for window B" [ "$shift_x" -ne 0 ]
    moved_alike "$before"
fi
exit_wideroom
expect_eq "exit code (view)" 0 "$WR_RC"

# --- off: nothing moves --------------------------------------------------------
run_with off off
before=$(origins "$a" "$b" "$c")
drv front "$a" || fail "window A comes to the front (off)"
sleep 2
expect_eq "FollowFocus=off: nothing moves" "$before" "$(origins "$a" "$b" "$c")"
exit_wideroom

# --- window: the window comes onto the screen, nothing else moves --------------
run_with window window
before=$(origins "$b" "$c")
drv front "$a" || fail "window A comes to the front (window)"
if retry 15 in_view "$a"; then pass "window A comes onto the screen"; else fail "window A stays away: $(drv rect "$a")"; fi
sleep 0.5
expect_eq "FollowFocus=window: the other windows stay" "$before" "$(origins "$b" "$c")"
exit_wideroom
