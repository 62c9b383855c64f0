#!/usr/bin/env bash
# Twenty windows of one program, all on one thread, under 90 s of edge
# contacts as a hand makes them (right edge 0.7 s, middle 0.5 s, left edge
# 0.7 s, middle 0.5 s, again and again), then Ctrl+Alt+Home: every window is
# back on the pixel where it started. The thread carries out the moves of
# twenty windows late and one after another, and the window manager restacks
# them while it does; no window may lose or gain a step of the view.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
source "$(dirname "$0")/keys_lib.sh"
e2e_begin

pointer_to 512 384
start_sample --many 20 40 40 240 160 || exit 1
movers=$SAMPLE_HANDLES
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready places || exit 1
# shellcheck disable=SC2086
start=$(origins $movers)

first=${movers%% *}
moved=
end=$((SECONDS + 90))
while [ "$SECONDS" -lt "$end" ]; do
    pointer_to 1023 384
    sleep 0.7
    # Once: the contacts do scroll.
    [ -z "$moved" ] && moved=$(origin "$first")
    pointer_to 512 384
    sleep 0.5
    pointer_to 0 384
    sleep 0.7
    pointer_to 512 384
    sleep 0.5
done
expect "the right edge moves the windows" [ "$moved" != "$(echo "$start" | head -n 1 | cut -d' ' -f2,3)" ]
sleep 1
press_keys ctrl+alt+Home || exit 1
sleep 2
expect_origins "after 90 s of edge contacts and Ctrl+Alt+Home every window stands on its starting pixel" "$start"

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
