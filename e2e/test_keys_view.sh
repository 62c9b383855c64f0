#!/usr/bin/env bash
# The hotkeys and the wheel over the map with the default keys, real key and
# pointer input through X: Ctrl+Alt+Right moves every ordinary window one
# screen (1024 px) left and Ctrl+Alt+Home brings them back; Ctrl+Alt+Shift+Right
# leaves the focused notepad where it is while the others move; each notch of
# the wheel over the map moves the view one screen height, with Shift one
# screen width. Then a second start with Ctrl+Alt+Right held by another
# program: that key does nothing to the windows, the others still work.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
source "$(dirname "$0")/nav_lib.sh"
source "$(dirname "$0")/keys_lib.sh"
e2e_begin

start_movers || exit 1
# shellcheck disable=SC2086
start=$(origins $movers)

rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready keys || exit 1
nav_wait_started || exit 1

keys_move "Ctrl+Alt+Right moves every window 1024 px left" ctrl+alt+Right "$(shifted "$start" -1024 0)"
keys_move "Ctrl+Alt+Home brings them back" ctrl+alt+Home "$start"
keys_move "Ctrl+Alt+Down moves every window 768 px up" ctrl+alt+Down "$(shifted "$start" 0 -768)"
keys_move "Ctrl+Alt+Home again" ctrl+alt+Home "$start"

# Carry: notepad in front (a click on its title bar), then Ctrl+Alt+Shift+Right.
read -r nx ny _ <<<"$(rect_of "$notepad")"
pointer_to $((nx + 150)) $((ny + 10))
xdotool click 1
sleep 0.5
pointer_to 512 384
carried=$(printf '%s\n' "$notepad $nx $ny" "$(shifted "$(origins "$mine" "$sample")" -1024 0)")
keys_move "Ctrl+Alt+Shift+Right keeps the focused notepad in place, the others move" ctrl+alt+shift+Right "$carried"
# notepad now stands a screen further right on the virtual desktop.
keys_move "Ctrl+Alt+Home: the others back, notepad a screen right" ctrl+alt+Home \
    "$(printf '%s\n' "$notepad $((nx + 1024)) $ny" "$(echo "$start" | grep -v "^$notepad ")")"
drv move "$notepad" "$nx" "$ny"
# shellcheck disable=SC2086
start=$(origins $movers)

# The wheel over the map: one notch down moves the view one screen height
# down, so every window 768 px up; up brings it back; with Shift, 1024 px.
# wheel BUTTON [KEY]: one notch with the pointer over the map's middle.
wheel() {
    nav_point_map 100 75
    sleep 0.2
    if [ $# -gt 1 ]; then
        xdotool keydown "$2" click "$1" keyup "$2"
    else
        xdotool click "$1"
    fi
}
wheel_moves() {
    wheel "$2" "${4:-}"
    expect_origins "$1" "$3"
}
wheel_moves "a wheel notch down over the map moves the view a screen height" 5 "$(shifted "$start" 0 -768)"
wheel_moves "a notch up brings it back" 4 "$start"
wheel_moves "two notches up: two screen heights" 4 "$(shifted "$start" 0 768)"
wheel 4
expect_origins "the second notch too" "$(shifted "$start" 0 1536)"
wheel 4
sleep 1
# shellcheck disable=SC2086
expect_eq "at the top border a notch moves nothing" "$(named "$(shifted "$start" 0 1536)")" \
    "$(named "$(origins $movers)")"
keys_move "Ctrl+Alt+Home" ctrl+alt+Home "$start"
wheel_moves "Shift and a notch down: one screen width right" 5 "$(shifted "$start" -1024 0)" shift
keys_move "Ctrl+Alt+Home" ctrl+alt+Home "$start"
pointer_to 512 384

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"

# Ctrl+Alt+Right taken by another program before the start.
hold_keys "$E2E_WORK/holder.out" 3 0x27 || exit 1
expect_eq "the helper holds Ctrl+Alt+Right" "taken 3 39" "$(head -n 1 "$E2E_WORK/holder.out")"
start_wideroom_ready held || exit 1
press_keys ctrl+alt+Right
sleep 1.5
# shellcheck disable=SC2086
expect_eq "the taken key moves nothing" "$(named "$start")" "$(named "$(origins $movers)")"
keys_move "Ctrl+Alt+Left still works" ctrl+alt+Left "$(shifted "$start" 1024 0)"
keys_move "Ctrl+Alt+Home still works" ctrl+alt+Home "$start"
exit_wideroom
expect_eq "exit code 0 with a key taken" 0 "$WR_RC"
