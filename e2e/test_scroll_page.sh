#!/usr/bin/env bash
# Page mode from the settings file, on one program start, on the default
# 5 x 5 desktop: each contact with an edge moves every window one screen the
# other way in a single step and puts the pointer at the screen's centre, at
# every edge, the one on the taskbar included; at the desktop's border
# nothing moves and the pointer stays at the edge.
#
# Under Wine a pointer put elsewhere by SetCursorPos can read back at its old
# place for about 100 ms: the program ignores the edge after a page until it
# has seen the pointer away from it, so that one contact never makes two or
# three pages where there is room for them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

start_movers || exit 1

# 5 x 5 screens, steps 1..64, map 1/25, 30 ms, no keys, pages, maximized moved.
write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 64 25 30 0 0 1 1
rm -f "$E2E_CWD/Wideroom.prv"
start_wideroom_ready page || exit 1

# touch_edge MODE NAME X Y: the pointer touches (X, Y) and stays there until
# the windows have been still for a while (MODE moves), or for a while
# (MODE still).
touch_edge() {
    local arg=--settle
    [ "$1" = still ] && arg=--for
    # shellcheck disable=SC2086
    trace_start "$E2E_WORK/$2.trace" $arg 1500 --timeout 20000 $movers || return 1
    pointer_to "$3" "$4"
    trace_wait 60
}

# The real pointer's place, "X Y".
x_pointer() {
    xdotool getmouselocation | sed 's/^x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/'
}

# contact NAME X Y DX DY: the pointer touches (X, Y); every window moves once,
# by (DX, DY), and the pointer ends at the centre.
contact() {
    local name=$1 before h x y
    # shellcheck disable=SC2086
    before=$(origins $movers)
    # The pointer comes from the middle of the screen, as a hand moves it (two
    # moves: one that Wine cannot take for the place it already has).
    pointer_to 500 380
    sleep 0.1
    pointer_to 512 384
    sleep 0.3
    touch_edge moves "$name" "$2" "$3" || return 1
    while read -r h x y; do
        expect_eq "$name: $(nm "$h") moves in one step" "$((x + $4)) $((y + $5))" \
            "$(awk -v h="$h" '$1 == "move" && $3 == h { print $4, $5 }' "$E2E_WORK/$name.trace" | paste -sd'|')"
    done <<<"$before"
    # shellcheck disable=SC2086
    expect_eq "$name: every window moves one screen" "$(named "$(shifted "$before" "$4" "$5")")" \
        "$(named "$(origins $movers)")"
    # Read from the X server: a stale report of the edge that Wine may take
    # after the program's SetCursorPos does not move the real pointer.
    expect_eq "$name: the pointer goes to the centre of the screen" "512 384" "$(x_pointer)"
}

# border NAME X Y: at the border the contact moves nothing and the pointer stays.
border() {
    touch_edge still "$1" "$2" "$3" || return 1
    expect_eq "$1: nothing moves at the border" "" "$(trace_moved "$E2E_WORK/$1.trace")"
    expect_eq "$1: the pointer stays at the edge" "$2 $3" "$(drv getcursor)"
    pointer_to 512 384
}

# The view starts in the desktop's middle, (2048, 1536): two pages to the
# right border, then one each way, the bottom edge (on the taskbar) down to
# the bottom border.
contact right 1023 300 -1024 0
contact right-again 1023 500 -1024 0
border right-border 1023 300
contact left 0 300 1024 0
contact up 600 0 0 768
contact down 600 767 0 -768
contact down-again 300 767 0 -768
contact down-to-the-border 600 767 0 -768
border bottom-border 600 767

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
