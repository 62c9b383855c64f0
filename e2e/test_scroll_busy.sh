#!/usr/bin/env bash
# A program that stops answering for half a second in the middle of a run to
# the right border: its window must still end exactly 2048 px left of where
# it started, like every other window. Each tick takes the windows' places
# afresh; a move that the busy program has not carried out yet must not be
# lost, or the window drifts across the virtual desktop for good.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

pointer_to 512 384
start_stranger notepad 120 80 || exit 1
notepad=$STRANGER_HANDLE
start_sample --window "Sample A" 300 420 260 180 || exit 1
sample=${SAMPLE_HANDLES%% *}
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready busy || exit 1

# The busy program stops pumping 1.5 s after its start, for 0.5 s: within
# the 2.6 s that the run takes once the pointer is at the edge.
start_sample --hang-after 1500 --hang-for 500 --window "Busy sample" 500 200 300 200 || exit 1
busy=${SAMPLE_HANDLES%% *}
name_windows "$notepad" notepad "$sample" "sample window" "$busy" "busy program's window"
movers="$notepad $sample $busy"
# shellcheck disable=SC2086
start=$(origins $movers)
# shellcheck disable=SC2086
trace_start "$E2E_WORK/right.trace" --settle 1500 --timeout 20000 $movers || exit 1
pointer_to 1023 300
trace_wait 120
pointer_to 512 384

while read -r h x y; do
    distances=$(trace_distances "$E2E_WORK/right.trace" "$h" x -1 "$x")
    expect "$(nm "$h") moves by steps growing from 1 to 64 px" on_path "$distances" \
        "$(accelerating_path 1 64 2048)"
done <<<"$start"
# shellcheck disable=SC2086
expect_eq "after a busy spell every window stands 2048 px left of its start" \
    "$(named "$(shifted "$start" -2048 0)")" "$(named "$(origins $movers)")"

exit_wideroom
expect_eq "exit command ends the program with code 0" 0 "$WR_RC"
