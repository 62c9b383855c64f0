#!/usr/bin/env bash
# Four minutes of use under Wine with many windows, not part of the tests:
# twenty windows of one program on one thread all along, small programs
# opened and closed, edge contacts as a hand makes them, the view keys and
# clicks in the map. Programs are opened while the view is home, so that
# every window's place on the virtual desktop is known.
#   bash bench/wine_soak_places.sh <win64 build dir> <work dir> [SECONDS]
# Reports every window's offset from its place once the view is home again,
# the program's memory (resident set, kB) after the first and in the last
# minute, and the windows left off the screen after the exit's gathering.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/scroll_lib.sh"
source "$(dirname "$0")/../e2e/keys_lib.sh"
source "$(dirname "$0")/../e2e/nav_lib.sh"
e2e_begin
SOAK_SECONDS=${3:-240}

# "handle left top right bottom" of every visible top-level window, in one call.
all_rects() {
    drv list | awk -F'\t' '$3 == 1 { print $1, $6, $7, $8, $9 }'
}

memory_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$WR_PID/status" 2>/dev/null
}

# Known places: "handle left top" where the window stands with the view home.
places=$E2E_WORK/places
: >"$places"
remember() {
    local h
    for h in $1; do echo "$h $(origin "$h")" >>"$places"; done
}
forget_process_windows() {
    local h
    for h in $1; do sed -i "/^$h /d" "$places"; done
}

pointer_to 512 384
start_sample --many 20 40 40 240 160 || exit 1
remember "$SAMPLE_HANDLES"
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready soak || exit 1
nav_wait_started || exit 1

# Small programs opened and closed meanwhile: "pid|handles" of those open.
opened=()
open_program() {
    local x=$((100 + RANDOM % 600)) y=$((60 + RANDOM % 400))
    press_keys ctrl+alt+Home
    sleep 1
    start_sample --window "soak $x" "$x" "$y" 220 140 --window "soak $y" "$((x + 30))" "$((y + 30))" 220 140 ||
        return 1
    remember "$SAMPLE_HANDLES"
    opened+=("$SAMPLE_PID|$SAMPLE_HANDLES")
}
close_program() {
    [ "${#opened[@]}" -gt 0 ] || return 0
    local entry=${opened[0]}
    opened=("${opened[@]:1}")
    we_stop "${entry%%|*}"
    forget_process_windows "${entry#*|}"
}
edge_contacts() {
    local _
    for _ in 1 2 3; do
        pointer_to 1023 384
        sleep 0.7
        pointer_to 512 384
        sleep 0.5
        pointer_to 0 $((200 + RANDOM % 300))
        sleep 0.7
        pointer_to 512 384
        sleep 0.5
    done
    pointer_to 512 767
    sleep 0.4
    pointer_to 512 0
    sleep 0.4
    pointer_to 512 384
}
map_click() {
    # The navigator shows while the pointer is at an edge.
    pointer_to 1023 384
    sleep 0.2
    nav_point_map $((RANDOM % 200)) $((RANDOM % 150))
    xdotool click 1
    sleep 0.3
    pointer_to 512 384
}

begin=$SECONDS
mem_first=
mem_last=
round=0
while [ $((SECONDS - begin)) -lt "$SOAK_SECONDS" ]; do
    round=$((round + 1))
    edge_contacts
    press_keys ctrl+alt+Right
    sleep 0.5
    map_click
    press_keys ctrl+alt+Down
    edge_contacts
    case $((round % 3)) in
        0) close_program ;;
        *) open_program || exit 1 ;;
    esac
    [ -z "$mem_first" ] && [ $((SECONDS - begin)) -ge 60 ] && mem_first=$(memory_kb)
    [ $((SECONDS - begin)) -ge $((SOAK_SECONDS - 60)) ] && mem_last=$(memory_kb)
done

pointer_to 512 384
sleep 1
press_keys ctrl+alt+Home
sleep 3
now=$(all_rects)
off=0
total=0
while read -r h x y; do
    read -r _ nx ny _ <<<"$(echo "$now" | grep "^$h ")"
    total=$((total + 1))
    dx=$((${nx:-0} - x))
    dy=$((${ny:-0} - y))
    [ "$dx" -ne 0 ] || [ "$dy" -ne 0 ] && off=$((off + 1))
    echo "soak window $h offset at home: $dx $dy"
done <"$places"
echo "soak: $round rounds in $((SECONDS - begin)) s, $off of $total windows off their place at home"
echo "soak: memory (VmRSS) after the first minute ${mem_first:-?} kB, in the last minute ${mem_last:-?} kB"

# Away from home, then the exit's gathering: every window must be on the screen.
press_keys ctrl+alt+Right
sleep 0.5
press_keys ctrl+alt+Down
sleep 2
exit_wideroom
sleep 2
left_off=$(all_rects | while read -r h l t r b; do
    grep -q "^$h " "$places" || continue
    if [ "$r" -le 0 ] || [ "$b" -le 0 ] || [ "$l" -ge "$SCREEN_W" ] || [ "$t" -ge 768 ]; then echo "$h"; fi
done | wc -l)
echo "soak: exit code $WR_RC, windows left off the screen after the gathering: $left_off"
