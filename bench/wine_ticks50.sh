#!/usr/bin/env bash
# The main loop's tick under Wine with 50 sample windows: how long an idle
# tick and a scrolling tick take, and the program's CPU use while idle.
#   bash bench/wine_ticks50.sh <win64 build dir> <work dir>
#
# The tick times come from the test build's log (WIDEROOM_TICK_LOG), one
# line per main-loop pass, in microseconds:
#   1. the pass: from one tick's start to the next one's (the tick, then the
#      hover test and at most one dispatched message);
#   2. the tick: from its start to the end of its two sleeps.
# The tick's work without its sleeps is not logged. With the default
# interval of 30 ms the first sleep takes up whatever the work leaves of the
# 30 ms, so the second column is 40 ms plus the late wakes of the sleeps and
# hides the work. A second run with interval 0 (no first sleep) and steps of
# 1 px (the view stays far from the borders) shows it: its second column
# minus the 10 ms sleep is the work plus the late wake of that one sleep.
#
# Idle: the pointer in the middle of the screen for 10 s. Scrolling: the
# pointer held 2.5 s at the right edge, then the left, six times, back in the
# middle for a moment in between so that the step starts again from 1 (with
# the default steps the view would meet a border after about 2.6 s). Only the
# passes that began and ended while the pointer was at the edge count.
# CPU: utime + stime of wideroom.exe's Wine process (the release build) and
# of this prefix's wineserver over 10 s idle, as in wine_idle.sh.
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/cpu_lib.sh"
source "$(dirname "$0")/../e2e/rel_lib.sh"
rel_begin

idle_seconds=10
holds=6
hz=$(getconf CLK_TCK)

percent() {
    awk -v d="$1" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.1f", 100 * d / (hz * s) }'
}


# report RUN CASE WHAT FILE AWK-EXPR [LIMIT-US]: one line of figures of the
# expression over the log lines in FILE, with the count above LIMIT-US.
report() {
    local n mean median p99 longest over tail=""
    read -r n mean median p99 longest over <<<"$(awk "{ print $5 }" "$4" | stats "${6:-0}")"
    [ "${6:-0}" -gt 0 ] && tail=$(printf ', over %d ms: %d' "$(($6 / 1000))" "$over")
    printf 'wine_ticks50 %-9s %-9s %-23s %4d passes: mean %6.2f, median %6.2f, 99th pct %6.2f, longest %6.2f ms%s\n' \
        "$1" "$2" "$3" "$n" "$mean" "$median" "$p99" "$longest" "$tail"
}

# ticks_run NAME: the test build in E2E_CWD with whatever settings file lies
# there; the idle and the scrolling passes of its log go to NAME.idle and
# NAME.scroll in E2E_WORK.
ticks_run() {
    local name=$1 log from to h edge=1023 before after
    rm -f "$E2E_CWD/Wideroom.prv" "$REL_RECORD"
    pointer_to 512 384
    rel_start "$name" "$REL_TEST_EXE" || return 1
    log=$E2E_CWD/ticks.$name.log
    sleep 2
    from=$(lines_of "$log")
    sleep "$idle_seconds"
    to=$(lines_of "$log")
    sed -n "$((from + 1)),${to}p" "$log" >"$E2E_WORK/$name.idle"

    : >"$E2E_WORK/$name.scroll"
    for ((h = 1; h <= holds; h++)); do
        before=$(origin "$first_window" | cut -d' ' -f1)
        hold_passes "$log" "$E2E_WORK/$name.scroll" "$edge"
        after=$(origin "$first_window" | cut -d' ' -f1)
        echo "wine_ticks50 $name: hold $h at x = $edge moved the windows $((after - before)) px"
        edge=$((1023 - edge))
    done
    rel_exit 30
    [ "$REL_RC" = 0 ] || echo "wine_ticks50 $name: exit code $REL_RC" >&2
}

start_sample --many 50 40 30 300 200 || exit 1
first_window=${SAMPLE_HANDLES%% *}

# Idle CPU of the release build, before anything has moved the windows.
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv" "$REL_RECORD"
drv cursor 512 384
start_wideroom_ready idle || exit 1
sleep 2
server=$(our_wineserver)
a0=$(cpu_ticks "$WR_PID")
s0=$([ -n "$server" ] && cpu_ticks "$server")
sleep "$idle_seconds"
a1=$(cpu_ticks "$WR_PID")
s1=$([ -n "$server" ] && cpu_ticks "$server")
post_exit_command
wait_wideroom_exit 30 || we_stop "$WR_PID"

# Default settings, then interval 0 with steps of 1 px.
rm -f "$E2E_CWD/Wideroom.cfg"
ticks_run default || exit 1
write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 1 25 0 0 0 0 1
ticks_run interval0 || exit 1

echo "wine_ticks50 idle CPU, 50 sample windows, ${idle_seconds} s: wideroom.exe $(percent $((a1 - a0)))% of one core"
if [ -n "$server" ]; then
    echo "wine_ticks50 idle CPU, same ${idle_seconds} s: the prefix's wineserver $(percent $((s1 - s0)))% of one core"
fi
# The last argument of report is an awk expression over the log's columns.
# shellcheck disable=SC2016
for c in idle scroll; do
    label=$([ "$c" = idle ] && echo idle || echo scrolling)
    report default "$label" "pass" "$E2E_WORK/default.$c" '$1'
    # Over 42 ms: the work outlasted the 30 ms interval (the tick count's
    # rounding and late wakes alone rarely come to 2 ms: see the idle line).
    report default "$label" "tick with its sleeps" "$E2E_WORK/default.$c" '$2' 42000
    report default "$label" "rest of the pass" "$E2E_WORK/default.$c" '$1 - $2'
done
# shellcheck disable=SC2016
for c in idle scroll; do
    label=$([ "$c" = idle ] && echo idle || echo scrolling)
    report interval0 "$label" "pass" "$E2E_WORK/interval0.$c" '$1'
    report interval0 "$label" "tick's work + late wake" "$E2E_WORK/interval0.$c" '$2 - 10000'
done
