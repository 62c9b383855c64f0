#!/usr/bin/env bash
# What a scrolling tick's work is made of under Wine, with 50 sample windows:
# wrtickparts runs the engine's snapshot, view moves and map paint in its own
# process and times each part of every tick, the ways of moving the windows
# taking turns tick by tick (see bench/win32/tick_parts.cpp); the CPU of the
# X server, the wineserver and the sample program over the run shows the
# work that the moves cause elsewhere.
#   bash bench/wine_tick_parts.sh <win64 build dir> <work dir> [ticks]
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/cpu_lib.sh"
e2e_begin

ticks=${3:-600}
tool=$E2E_WIN64/wrtickparts.exe
hz=$(getconf CLK_TCK)


# run NAME ARGS...: one run of the tool; its CPU and that of the others.
run() {
    local name=$1 out server x0 x1 s0 s1 p0 p1 t0 t1
    shift
    out=$E2E_WORK/$name.out
    server=$(our_wineserver)
    x0=$(cpu_ticks "$WE_XVFB_PID")
    s0=$(cpu_ticks "$server")
    p0=$(cpu_ticks "$SAMPLE_PID")
    t0=$(date +%s.%N)
    "$WE_WINE" "$tool" --ticks "$ticks" "$@" >"$out" 2>"$E2E_WORK/$name.err" || return 1
    t1=$(date +%s.%N)
    x1=$(cpu_ticks "$WE_XVFB_PID")
    s1=$(cpu_ticks "$server")
    p1=$(cpu_ticks "$SAMPLE_PID")
    awk -v n="$name" -v t="$(echo "$t1 - $t0" | bc)" -v hz="$hz" -v x=$((x1 - x0)) -v s=$((s1 - s0)) -v p=$((p1 - p0)) \
        'BEGIN { printf "wine_tick_parts %-10s %.1f s; CPU of one core: Xvfb %.1f %%, wineserver %.1f %%, sample program %.1f %%\n", n, t, 100 * x / hz / t, 100 * s / hz / t, 100 * p / hz / t }'
    grep '^cpu' "$out" | sed "s/^/wine_tick_parts $name tool /"
    local mode part
    for mode in $(awk '/^tick/ { print $2 }' "$out" | sort -u); do
        for part in snapshot moves paint; do
            read -r _ mean median p99 longest <<<"$(awk -v m="$mode" -v p="$part" '$1 == "tick" && $2 == m { for (i = 3; i < NF; i += 2) if ($i == p) print 1000 * $(i + 1) }' "$out" | stats)"
            printf 'wine_tick_parts %-10s %-7s %-8s mean %6.2f, median %6.2f, 99th %6.2f, longest %6.2f ms\n' \
                "$name" "$mode" "$part" "$mean" "$median" "$p99" "$longest"
        done
    done
}

echo "wine_tick_parts: load average $(cut -d' ' -f1-3 /proc/loadavg)"
start_sample --many 50 40 30 300 200 || exit 1
run rest --moves none
run scrolling --moves engine --moves direct --moves owner
run unpainted --moves engine --paint none
# Few ticks: a batch waits for every program in it.
ticks=60 run batch --moves batch --moves direct
we_stop "$SAMPLE_PID"
