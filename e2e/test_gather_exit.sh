#!/usr/bin/env bash
# The gathering at exit, on one program start: windows left anywhere on the
# virtual desktop come back onto the work area above the taskbar (1024 x 748
# here), by the 50-pixel slack rules; maximized windows go to the work
# area's corner with their frame overhanging it; minimized and hidden
# windows and a window titled exactly like the navigator stay where they
# are; a window in the fixed-window list is gathered like any other.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

# title | left top width height | expected left top | inside the work area
# In the expected place, R stands for 1024 - width (right edge on the work
# area's right edge) and B for 748 - height (bottom edge on its bottom edge).
cases=(
    "far right|3000 200 400 300|R 200|yes"
    "far left and above|-2000 -1500 400 300|0 0|yes"
    "far below|400 2000 300 200|400 B|yes"
    "above the screen|500 -500 300 200|500 0|yes"
    "low on the screen|100 700 400 200|100 B|yes"
    "right edge 50 px into the screen|-350 100 400 300|0 100|yes"
    "right edge 51 px into the screen|-349 120 400 300|-349 120|no"
    "left edge 50 px from the right|974 300 200 100|974 300|no"
    "left edge 49 px from the right|975 320 200 100|R 320|yes"
    "top 50 px above the taskbar|200 698 200 100|200 698|no"
    "top 49 px above the taskbar|220 699 200 100|220 B|yes"
    # Wine keeps a window at most 780 px high: taller than the work area.
    "taller than the work area, low|50 720 300 900|50 B|no"
    "Sample fixed|-1500 300 300 200|0 300|yes"
    "Wideroom Navigator copy|2500 400 300 200|R 400|yes"
    "Wideroom Navigator|2500 300 300 200|2500 300|no"
)

pointer_to 512 384
args=()
for row in "${cases[@]}"; do
    IFS='|' read -r title place _ _ <<<"$row"
    # shellcheck disable=SC2206
    args+=(--window "$title" $place)
done
start_sample "${args[@]}" \
    --window "Sample maximized" 100 100 300 200 --maximized \
    --window "Sample minimized" 200 200 300 200 --minimized \
    --window "Sample hidden" 3000 0 300 200 --hidden || exit 1
# shellcheck disable=SC2206
handles=($SAMPLE_HANDLES)
count=${#cases[@]}
maximized=${handles[$count]}
minimized=${handles[$((count + 1))]}
hidden=${handles[$((count + 2))]}
frame_inset=$((-$(origin "$maximized" | cut -d' ' -f1)))
drv move "$maximized" 2000 500 || exit 1

start_stranger notepad 3000 -900 || exit 1
notepad=$STRANGER_HANDLE
start_stranger winemine -2000 500 || exit 1
mine=$STRANGER_HANDLE

# The default settings, with the fixed sample in the fixed-window list.
write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 64 25 30 0 0 0 1
set_fixed_entry "$E2E_CWD/Wideroom.cfg" 0 WrSample "Sample fixed"
rm -f "$E2E_CWD/Wideroom.prv"
start_wideroom_ready gather || exit 1

# The places to expect, from each window's rectangle just before the exit.
expected=()
sizes=()
for i in "${!cases[@]}"; do
    IFS='|' read -r title place want inside <<<"${cases[$i]}"
    read -r left top right bottom <<<"$(rect_of "${handles[$i]}")"
    expect_eq "$title: placed as asked before the exit" "$(echo "$place" | cut -d' ' -f1,2)" "$left $top"
    w=$((right - left))
    h=$((bottom - top))
    read -r want_x want_y <<<"$want"
    [ "$want_x" = R ] && want_x=$((SCREEN_W - w))
    [ "$want_y" = B ] && want_y=$((TASKBAR_TOP - h))
    expected[i]="$want_x $want_y"
    sizes[i]="$w $h"
done
read -r nl _ nr _ <<<"$(rect_of "$notepad")"
strangers_expected="notepad $((SCREEN_W - (nr - nl))) 0
winemine 0 500"
minimized_before=$(rect_of "$minimized")

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"

# The moves reach the other programs as they pump their messages.
all_places() {
    local h
    for h in "${handles[@]:0:count}" "$maximized" "$notepad" "$mine"; do origin "$h"; done
}
wanted_places=$(printf '%s\n' "${expected[@]}" "$((-frame_inset)) $((-frame_inset))"
    echo "$strangers_expected" | cut -d' ' -f2,3)
settled() { [ "$(all_places)" = "$wanted_places" ]; }
retry 10 settled

for i in "${!cases[@]}"; do
    IFS='|' read -r title _ _ inside <<<"${cases[$i]}"
    got=$(origin "${handles[$i]}")
    expect_eq "$title: at its place after the exit" "${expected[$i]}" "$got"
    if [ "$inside" = yes ]; then
        read -r x y <<<"$got"
        read -r w h <<<"${sizes[$i]}"
        if [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$SCREEN_W" ] && [ $((y + h)) -le "$TASKBAR_TOP" ]; then
            pass "$title: lies in the work area above the taskbar"
        else
            fail "$title: lies in the work area above the taskbar: at $x $y, $w x $h"
        fi
    fi
done
expect_eq "notepad and winemine come back onto the work area" "$strangers_expected" \
    "$(echo "notepad $(origin "$notepad")"; echo "winemine $(origin "$mine")")"
expect_eq "the maximized window goes to the corner, its frame overhanging by the inset" \
    "$((-frame_inset)) $((-frame_inset))" "$(origin "$maximized")"
expect_eq "the maximized window stays maximized" 3 "$(drv info "$maximized" | col 4)"
expect_eq "the minimized window stays where it is" "$minimized_before" "$(rect_of "$minimized")"
expect_eq "the hidden window stays where it is" "3000 0" "$(origin "$hidden")"
