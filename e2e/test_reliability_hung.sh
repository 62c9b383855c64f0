#!/usr/bin/env bash
# Programs that stop answering never freeze the program. Two sample windows
# whose thread sleeps (one for 10 s, one for good), the last of them in
# front, while the screen scrolls twice, once before the window manager calls
# them not responding and once after: nothing waits on the sleeping programs
# (the test build logs every main-loop pass; the longest is printed, and a
# pass that waited on them would last seconds), the other windows scroll on,
# the sleeping windows are left where they stand, the one that wakes goes to
# where the view says it belongs, to the pixel, and the exit command still
# ends the program at once. How long the passes take is measured by
# bench/wine_hung.sh.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/rel_lib.sh"
rel_begin

# Default settings: interval 30, so a pass lasts about 40 ms. A move that
# waited on a sleeping program would hold a pass for 2.5 s or more; passes of
# up to 300 ms are seen under Wine on a loaded machine without any.
waited_ms=1000

pointer_to 512 384
# The navigator hidden until the pointer meets an edge (mode 0 with its place
# at the corner): each run shows it in front of the sleeping windows, and
# hides it again a second later.
rm -f "$E2E_CWD/Wideroom.cfg"
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 0 0 0
rel_start hung "$REL_TEST_EXE" || exit 1
start_sample --window "Runner" 100 100 200 150 --window "Runner two" 150 450 220 120 || exit 1
read -r runner runner_two <<<"$SAMPLE_HANDLES"
start_sample --hang-after 2500 --hang-for 10000 --window "Sleeper ten" 400 250 200 150 || exit 1
ten=${SAMPLE_HANDLES%% *}
start_sample --hang-after 2500 --window "Sleeper forever" 650 400 200 150 || exit 1
forever=${SAMPLE_HANDLES%% *}
start=$(origins "$runner" "$runner_two" "$ten" "$forever")
sleepers_start=$(origins "$ten" "$forever")
sleep 3

# --- 1. scrolling while the sleepers have just stopped answering ------------
rel_hold 1023 384 1
first=$(settled_origins "$runner" "$runner_two")
dx1=$(($(echo "$first" | head -n 1 | cut -d' ' -f2) - 100))
expect "the answering windows scroll while others sleep" [ "$dx1" -lt 0 ]
expect_eq "both answering windows move alike" "$(shifted "$(echo "$start" | head -n 2)" "$dx1" 0)" "$first"
expect_eq "the sleeping windows stand where they were" "$sleepers_start" "$(origins "$ten" "$forever")"

# --- 2. scrolling while they are known not to respond -------------------
expect "the window manager reports both sleepers as not responding" \
    "$WE_WINE" "$REL_TOOL" wait "$ten" hung --timeout 15000
"$WE_WINE" "$REL_TOOL" wait "$forever" hung --timeout 15000
expect "the 10 s sleeper has not woken yet" "$WE_WINE" "$REL_TOOL" wait "$ten" hung --timeout 0
rel_hold 0 384 1.5
second=$(settled_origins "$runner" "$runner_two")
dx=$(($(echo "$second" | head -n 1 | cut -d' ' -f2) - 100))
expect "the answering windows scroll on" [ "$dx" -gt "$dx1" ]
expect_eq "both answering windows keep moving alike" "$(shifted "$(echo "$start" | head -n 2)" "$dx" 0)" \
    "$second"
expect_eq "the sleeping windows are still left where they were" "$sleepers_start" "$(origins "$ten" "$forever")"
expect "the 10 s sleeper was still asleep through the second run" \
    "$WE_WINE" "$REL_TOOL" wait "$ten" hung --timeout 0

# --- 3. the 10 s sleeper wakes ------------------------------------------------
expect "the 10 s sleeper answers again" "$WE_WINE" "$REL_TOOL" wait "$ten" answering --timeout 20000
woken=$(settled_origins "$ten" "$runner")
ten_expected=$(echo "$sleepers_start" | head -n 1 | awk -v dx="$dx" '{ print $1, $2 + dx, $3 }')
expect_eq "the woken window stands where the view puts it: moved as the others did, to the pixel" \
    "$ten_expected" "$(echo "$woken" | head -n 1)"
expect_eq "the answering windows did not move meanwhile" "$second" "$(origins "$runner" "$runner_two")"
expect_eq "the window that sleeps for good is still where it was" "$(echo "$sleepers_start" | tail -n 1)" \
    "$(origins "$forever")"

# --- 4. no pass of the main loop was held up --------------------------------
read -r passes longest mean <<<"$(rel_tick_stats "$E2E_CWD/ticks.hung.log")"
echo "measured: $passes main-loop passes, longest $longest ms, mean $mean ms"
expect "the main loop ran throughout" [ "$passes" -gt 200 ]
expect "no pass waited on a sleeping program (longest $longest ms)" \
    awk -v m="$longest" -v limit="$waited_ms" 'BEGIN { exit !(m < limit) }'

# --- 5. the exit command ends the program at once -------------------------
t0=$SECONDS
rel_exit 15
expect_eq "exit with a sleeping window present: code 0" 0 "$REL_RC"
expect "the exit took less than 10 s" [ $((SECONDS - t0)) -lt 10 ]
expect "no recovery record is left" [ ! -e "$REL_RECORD" ]
