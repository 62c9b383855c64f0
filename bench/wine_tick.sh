#!/usr/bin/env bash
# The main loop's tick period under Wine, measured from outside: with a step
# of exactly one pixel (minStep = maxStep = 1) and the pointer held at the
# right screen edge, every tick moves a sample window one pixel to the left,
# so the time a window takes to travel 100 pixels is 100 ticks.
#   bash bench/wine_tick.sh <win64 build dir> <work dir>
# Prints one line per interval: the mean period against interval + 10 ms.
source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin

start_sample --window "tick probe" 400 300 240 160 || exit 1
probe=${SAMPLE_HANDLES%% *}

for interval in 10 30 100; do
    drv cursor 512 384
    # 5 x 5 screens, step 1..1, map 1/25, the interval, no keys, no pages.
    write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 1 25 "$interval" 0 0 0 1
    rm -f "$E2E_CWD/Wideroom.prv"
    start_wideroom_ready "tick$interval" || exit 1
    we_start "$E2E_WORK/track$interval.txt" /dev/null "$E2E_DRIVER" track "$probe" --pixels 100 --timeout 60000
    tracker=$WE_PID
    sleep 0.5
    drv cursor 1023 384
    we_wait_exit "$tracker" 70
    drv cursor 512 384
    result=$(cat "$E2E_WORK/track$interval.txt")
    period=$(echo "$result" | awk '{ print $8 }')
    printf 'wine_tick interval %3d ms: %s ms per tick over 100 ticks (expected about %d)\n' \
        "$interval" "${period:-?}" $((interval + 10))
    post_exit_command
    wait_wideroom_exit 30
    we_stop "$WR_PID"
done
