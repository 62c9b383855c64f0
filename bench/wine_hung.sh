#!/usr/bin/env bash
# The main loop's pass length under Wine with 50 sample windows, side by side:
# all answering, and one among them whose thread sleeps for good from 2 s
# into the run (so the run covers the 5 s before the window manager calls it
# not responding and the time after). The pointer goes from one screen edge
# to the other every 3 s for 14 s; the test build logs every pass.
#   bash bench/wine_hung.sh <win64 build dir> <work dir>
# Prints, per case and round, the passes, the longest and the mean pass, the
# 99th percentile and the passes over interval + 10 + 50 ms (90 ms), over the
# whole scrolling run. Two rounds, the cases alternating, so that the load of
# the machine weighs on both alike.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/../e2e/rel_lib.sh"
rel_begin

# The passes logged while the pointer moved, as
# "count longest mean p99 over90" (times in ms).
pass_figures() {
    sort -n "$1" | awk '{ v[NR] = $1; s += $1; if ($1 > 90000) over++ } END {
        if (NR == 0) { print "0 0 0 0 0"; exit }
        p = int(NR * 0.99); if (p < 1) p = 1
        printf "%d %.1f %.1f %.1f %d\n", NR, v[NR] / 1000, s / NR / 1000, v[p] / 1000, over }'
}

for run in answering:1 hung:1 answering:2 hung:2; do
    case=${run%%:*}
    round=${run##*:}
    pointer_to 512 384
    rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv" "$E2E_CWD/ticks.$case.log"
    start_sample --many 49 40 30 300 200 || exit 1
    many_pid=$SAMPLE_PID
    if [ "$case" = hung ]; then
        start_sample --hang-after 2000 --window "sleeper" 500 300 300 200 || exit 1
    else
        start_sample --window "sleeper" 500 300 300 200 || exit 1
    fi
    sleeper_pid=$SAMPLE_PID
    rel_start "$case" "$REL_TEST_EXE" || exit 1
    # Start of the run: lines logged so far are start-up and idle passes.
    sleep 0.5
    first=$(wc -l <"$E2E_CWD/ticks.$case.log")
    for edge in 1023 0 1023 0; do
        pointer_to "$edge" 384
        sleep 3.5
    done
    pointer_to 512 384
    rel_exit 30
    tail -n +"$((first + 1))" "$E2E_CWD/ticks.$case.log" >"$E2E_WORK/run.$case.$round.log"
    read -r passes longest mean p99 over <<<"$(pass_figures "$E2E_WORK/run.$case.$round.log")"
    printf 'wine_hung %-9s round %d, 50 windows: %4d passes, longest %5.1f ms, mean %4.1f ms, 99th pct %5.1f ms, over 90 ms: %d\n' \
        "$case" "$round" "$passes" "$longest" "$mean" "$p99" "$over"
    we_stop "$sleeper_pid"
    we_stop "$many_pid"
done
