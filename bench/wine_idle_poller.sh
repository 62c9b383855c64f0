#!/usr/bin/env bash
# The idle program beside a bare pointer poller (wrpointerpoller.exe: the
# switch keys and the pointer read at the same 40 ms pace, nothing else) and
# beside the same poller doing also what the main loop does around the tick
# (a window's messages peeked, the button latches, the pointer in the map's
# coordinates), all under Wine in one prefix, with 10 sample windows open and the pointer
# in the middle: utime + stime of each Wine process over the same 10 s, and
# the program's share against the poller's. Once with [Focus] FollowFocus at
# its default (the foreground window read every tick) and once with it off.
#   bash bench/wine_idle_poller.sh <win64 build dir> <work dir>
source "$(dirname "$0")/../e2e/lib.sh"
source "$(dirname "$0")/cpu_lib.sh"
e2e_begin

seconds=20
hz=$(getconf CLK_TCK)
poller_exe=$E2E_WIN64/wrpointerpoller.exe

start_sample --many 10 60 40 320 220 || exit 1
drv cursor 512 384
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
we_start "$E2E_WORK/poller.out" "$E2E_WORK/poller.err" "$poller_exe"
poller=$WE_PID
we_start "$E2E_WORK/looper.out" "$E2E_WORK/looper.err" "$poller_exe" loop
looper=$WE_PID
# The engine's polling tick alone, in a folder of its own (it reads the
# settings file there and writes its placement file at the end).
mkdir -p "$E2E_WORK/ticker"
cd "$E2E_WORK/ticker" || exit 1
we_start "$E2E_WORK/ticker.out" "$E2E_WORK/ticker.err" "$poller_exe" tick
ticker=$WE_PID
cd "$E2E_CWD" || exit 1

percent() {
    awk -v d="$1" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * d / (hz * s) }'
}

# measure FOLLOW: one start of the program with that FollowFocus.
measure() {
    printf '[Focus]\r\nFollowFocus=%s\r\n' "$1" >"$E2E_CWD/Wideroom.ini"
    start_wideroom "idle-$1"
    drv find --class tooltips_class32 --process wideroom.exe --timeout 60000 >/dev/null || exit 1
    sleep 2
    local a0 p0 l0 t0 a1 p1 l1 t1
    a0=$(cpu_ticks "$WR_PID")
    p0=$(cpu_ticks "$poller")
    l0=$(cpu_ticks "$looper")
    t0=$(cpu_ticks "$ticker")
    sleep "$seconds"
    a1=$(cpu_ticks "$WR_PID")
    p1=$(cpu_ticks "$poller")
    l1=$(cpu_ticks "$looper")
    t1=$(cpu_ticks "$ticker")
    echo "wine_idle_poller FollowFocus=$1: wideroom.exe $(percent $((a1 - a0)))%," \
        "poller $(percent $((p1 - p0)))%, poller with the loop's calls $(percent $((l1 - l0)))%," \
        "the engine's tick alone $(percent $((t1 - t0)))%" \
        "of one core over ${seconds} s;" \
        "ratio $(awk -v a=$((a1 - a0)) -v p=$((p1 - p0)) 'BEGIN { if (p > 0) printf "%.2f", a / p; else print "n/a" }')"
    post_exit_command
    wait_wideroom_exit 30
    we_stop "$WR_PID"
}

measure view
measure off
