#!/usr/bin/env bash
# A program that answers but does not obey: its window's WM_WINDOWPOSCHANGING
# handler keeps it at x >= 0 and y >= 0 (wrsample --clamp), beside two
# ordinary windows. The view runs 2048 px right to the desktop's border, part
# of the way back by the left edge, and then to where it started by a press
# in the map: the ordinary windows follow to the pixel; the keeper stops at
# the screen's left edge and stays there, drawn in the map where it stands,
# not where it was asked to go; once its place on the desktop is back on the
# screen it goes there, and it ends exactly where it started.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nav_lib.sh"
source "$(dirname "$0")/rel_lib.sh"
rel_begin

pointer_to 512 384
# 5 x 5 screens, steps 1..64, map 1/32 (so that a press at map point (80, 60)
# puts the view back at (2048, 1536) exactly), 30 ms, no keys, no pages.
write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 64 32 30 0 0 0 1
# The navigator pinned, out of the windows' way.
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 2 760 500
# Large enough that the map fills the middle of each window's rectangle.
start_sample --window "Keeper" 300 200 400 300 --clamp || exit 1
keeper=${SAMPLE_HANDLES%% *}
start_sample --window "Plain one" 750 80 200 100 --window "Plain two" 20 560 220 140 || exit 1
read -r one two <<<"$SAMPLE_HANDLES"
start=$(origins "$keeper" "$one" "$two")
rel_start refusing "$E2E_EXE" || exit 1
nav_wait_started || {
    fail "the navigator did not show"
    exit 1
}

# The view's left edge, from where the first ordinary window stands.
view_x() {
    echo $((2048 + 750 - $(origin "$one" | cut -d' ' -f1)))
}

# keeper_drawn WHAT: the map shows the keeper at the centre of its real
# rectangle (the view's top stays at 1536 throughout).
keeper_drawn() {
    local l t r b vx
    read -r l t r b <<<"$(drv rect "$keeper")"
    vx=$(view_x)
    expect "$1: the map draws the keeper where it stands" nav_shot_showing "$E2E_WORK/$2.png" \
        "$(((vx + (l + r) / 2) / 32)),$(((1536 + (t + b) / 2) / 32))" "$NAV_WINDOW"
}

# --- to the right border ------------------------------------------------------
rel_run_to 1023 384 "$one"
expect_eq "right: the ordinary windows moved 2048 px left" "$(shifted "$(echo "$start" | tail -n 2)" -2048 0)" \
    "$(settled_origins "$one" "$two")"
expect_eq "right: the keeper stopped at the screen's left edge" "$keeper 0 200" "$(origins "$keeper")"
keeper_drawn "right" right
# Where it was asked to go (its place, 300 px right of the view's start) is
# not where the map draws it.
expect_eq "right: nothing is drawn at the keeper's place on the desktop" "$NAV_BACK" \
    "$(nav_map_colours "$E2E_WORK/right.png" 79,58)"

# --- part of the way back by the left edge --------------------------------
rel_hold 0 384 1
back=$(settled_origins "$one" "$two")
dx=$(($(echo "$back" | head -n 1 | cut -d' ' -f2) - 750 + 2048))
expect "left: the view came part of the way back" [ "$dx" -gt 0 ]
expect_eq "left: the ordinary windows moved alike" \
    "$(shifted "$(echo "$start" | tail -n 2)" $((dx - 2048)) 0)" "$back"
keeper_drawn "left" left

# --- a press in the map puts the view back where it started ----------------
nav_point_map 80 60
sleep 0.2
xdotool mousedown 1
sleep 0.1
xdotool mouseup 1
pointer_to 512 384
expect_eq "home: every window stands exactly where it started, the keeper too" "$start" \
    "$(settled_origins "$keeper" "$one" "$two")"
keeper_drawn "home" home

rel_exit
expect_eq "the exit command ends the program with code 0" 0 "$REL_RC"
expect_eq "the exit leaves every window where it started" "$start" "$(origins "$keeper" "$one" "$two")"
