#!/usr/bin/env bash
# What each kind of window query of the snapshot costs under Wine, with 50
# sample windows: wrsnapshotcalls (bench/win32/snapshot_calls.cpp) times
# every kind over the whole list of top-level windows at every tick, with
# the windows at rest and then with the sample windows moving each tick.
#   bash bench/wine_snapshot_calls.sh <win64 build dir> <work dir> [ticks]
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/cpu_lib.sh"
e2e_begin

ticks=${3:-300}
tool=$E2E_WIN64/wrsnapshotcalls.exe

# run NAME MOVE: one run; per kind, the time over the whole list.
run() {
    local out=$E2E_WORK/$1.out kind
    "$WE_WINE" "$tool" --ticks "$ticks" --move "$2" >"$out" 2>"$E2E_WORK/$1.err" || return 1
    echo "wine_snapshot_calls $1: $(awk '{ s += $2 } END { printf "%.0f", s / NR }' "$out") top-level windows"
    for kind in $(awk 'NR == 1 { for (i = 3; i < NF; i += 2) print $i }' "$out"); do
        read -r _ mean median p99 longest <<<"$(awk -v k="$kind" '{ for (i = 3; i < NF; i += 2) if ($i == k) print 1000 * $(i + 1) }' "$out" | stats)"
        printf 'wine_snapshot_calls %-6s %-10s mean %6.2f, median %6.2f, 99th %6.2f, longest %6.2f ms\n' \
            "$1" "$kind" "$mean" "$median" "$p99" "$longest"
    done
}

echo "wine_snapshot_calls: load average $(cut -d' ' -f1-3 /proc/loadavg)"
start_sample --many 50 40 30 300 200 || exit 1
run rest 0
run moving 1
we_stop "$SAMPLE_PID"
