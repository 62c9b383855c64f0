#!/usr/bin/env bash
# Side by side under Wine, 50 sample windows: the program before idle ticks
# (built from an earlier commit in a scratch folder) and this one, in one
# run, the two taking turns so that the load of the machine weighs on both.
#   bash bench/wine_compare.sh <win64 build dir> <work dir> [commit] [rounds]
#
# commit: the program to compare with (default: the commit this work started
# from); it is exported with git archive and its test build made under
# build/bench-before/<commit> (kept for later runs). rounds: default 3.
#
# Per build and round, each with a fresh set of 50 sample windows:
#   hidden    default settings, navigator hidden: CPU of the program's Wine
#             process and of the prefix's wineserver over 10 s idle, the idle
#             passes of that time, then the pointer held 2.3 s at the right
#             edge and at the left, four times (scrolling passes);
#   shown     the same 10 s idle with the navigator pinned;
#   interval0 interval 0 and steps of 1 px, navigator hidden: the tick's work
#             (the logged tick less its fixed 10 ms sleep), idle and scrolling.
# Once per build, calls per idle tick: the program under Wine's relay trace of
# user32 and gdi32 for 4 s idle, navigator hidden; the calls made from the
# program itself, divided by its main-loop passes (a tick each, with the
# pass's own five: the button latches, the hover test's pointer and the one
# message).
#
# The tick log of the test build (WIDEROOM_TICK_LOG): per pass, its length and
# its tick's length with the sleeps, in microseconds.
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
commit=${3:-9923510492d71b1e6e307bdead82563dfb444fff}
rounds=${4:-3}

short=$(git -C "$root" rev-parse --short "$commit") || exit 1
scratch=$root/build/bench-before/$short
before_exe=$scratch/build/wideroom-test.exe
if [ ! -f "$before_exe" ]; then
    echo "wine_compare: building $short in $scratch"
    rm -rf "$scratch"
    mkdir -p "$scratch/src" || exit 1
    git -C "$root" archive "$commit" | tar -x -C "$scratch/src" || exit 1
    cmake -S "$scratch/src" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$scratch/src/cmake/mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
    cmake --build "$scratch/build" --target wideroom_test -j"${JOBS:-2}" >"$scratch/build.log" 2>&1 || {
        tail -n 20 "$scratch/build.log"
        exit 1
    }
fi

source "$here/../e2e/lib.sh"
source "$here/cpu_lib.sh"
source "$here/../e2e/rel_lib.sh"
rel_begin

after_exe=$REL_TEST_EXE
idle_seconds=10
hz=$(getconf CLK_TCK)
mkdir -p "$E2E_WORK/logs"

exe_of() {
    if [ "$1" = before ]; then echo "$before_exe"; else echo "$after_exe"; fi
}

percent() {
    awk -v d="$1" -v hz="$hz" -v s="$idle_seconds" 'BEGIN { printf "%.1f", 100 * d / (hz * s) }'
}

# A fresh set of 50 sample windows (those of the last run are ended).
samples() {
    [ -n "${many_pid:-}" ] && we_stop "$many_pid"
    start_sample --many 50 40 30 300 200 || exit 1
    many_pid=$SAMPLE_PID
}

# navigator MODE: the placement file that start-up reads (0 hidden, 2 pinned).
navigator() {
    write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 "$1" 800 560
}

# start BUILD NAME: the build's test program with its tick log ticks.NAME.log.
start() {
    rm -f "$REL_RECORD" "$E2E_CWD/ticks.$2.log"
    pointer_to 512 384
    rel_start "$2" "$(exe_of "$1")" || exit 1
    sleep 2
}

# idle_cpu NAME: "program% server%" over idle_seconds; the passes of that time
# go to logs/NAME.idle.
idle_cpu() {
    local log=$E2E_CWD/ticks.$1.log server a0 a1 s0 s1 from to
    server=$(our_wineserver)
    from=$(lines_of "$log")
    a0=$(cpu_ticks "$REL_PID")
    s0=$(cpu_ticks "$server")
    sleep "$idle_seconds"
    a1=$(cpu_ticks "$REL_PID")
    s1=$(cpu_ticks "$server")
    to=$(lines_of "$log")
    sed -n "$((from + 1)),${to}p" "$log" >"$E2E_WORK/logs/$1.idle"
    echo "$(percent $((a1 - a0))) $(percent $((s1 - s0)))"
}

# scroll NAME: four holds at the right and the left edge; the passes that
# began and ended there go to logs/NAME.scroll.
scroll() {
    local h edge=1023
    : >"$E2E_WORK/logs/$1.scroll"
    for ((h = 1; h <= 4; h++)); do
        hold_passes "$E2E_CWD/ticks.$1.log" "$E2E_WORK/logs/$1.scroll" "$edge"
        edge=$((1023 - edge))
    done
}

# relay_calls BUILD: calls per idle tick from the relay trace.
relay_calls() {
    local err=$E2E_WORK/relay.$1.err pid
    rm -f "$REL_RECORD"
    navigator 0
    pointer_to 512 384
    WINEDEBUG=+relay we_start "$E2E_WORK/relay.$1.out" "$err" "$(exe_of "$1")"
    pid=$WE_PID
    drv find --class tooltips_class32 --process "$(basename "$(exe_of "$1")")" --timeout 60000 >/dev/null || return 1
    sleep 2
    local from
    from=$(wc -l <"$err")
    sleep 4
    head -n "$(wc -l <"$err")" "$err" | tail -n +"$((from + 1))" >"$E2E_WORK/relay.$1.idle"
    post_exit_command_of "$(basename "$(exe_of "$1")")"
    we_wait_exit "$pid" 60 || we_stop "$pid"
    # Calls returning into the program itself (image base 0x140000000); a
    # pass of the main loop ends with its one PeekMessageA.
    awk '/:Call (user32|gdi32)\./ && / ret=0*14/ { calls++; if (/PeekMessageA/) passes++ }
        END { if (passes < 1) { print "no passes"; exit } printf "%.1f calls per pass over %d passes\n", calls / passes, passes }' \
        "$E2E_WORK/relay.$1.idle"
}

post_exit_command_of() {
    local main
    main=$(drv find --class Wideroom --process "$1" --timeout 10000 | col 1)
    [ -n "$main" ] && drv post "$main" 273 40003 0
}

# Relay tracing of user32 and gdi32 only (an entry without a module names a
# function).
"$WE_WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.*;gdi32.*' /f >/dev/null 2>&1

echo "wine_compare: before = $short, after = this build; load average $(cut -d' ' -f1-3 /proc/loadavg)"
samples
for build in before after; do
    echo "wine_compare $build idle, navigator hidden, relay trace: $(relay_calls "$build")"
done

for ((round = 1; round <= rounds; round++)); do
    for build in before after; do
        name=$build.$round
        samples
        rm -f "$E2E_CWD/Wideroom.cfg"
        navigator 0
        start "$build" "$name.hidden"
        read -r cpu server <<<"$(idle_cpu "$name.hidden")"
        echo "wine_compare $build round $round hidden: CPU wideroom $cpu %, wineserver $server % (load $(cut -d' ' -f1 /proc/loadavg))"
        scroll "$name.hidden"
        rel_exit 30

        samples
        navigator 2
        start "$build" "$name.shown"
        read -r cpu server <<<"$(idle_cpu "$name.shown")"
        echo "wine_compare $build round $round shown: CPU wideroom $cpu %, wineserver $server % (load $(cut -d' ' -f1 /proc/loadavg))"
        rel_exit 30

        samples
        navigator 0
        write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 1 25 0 0 0 0 1
        start "$build" "$name.interval0"
        from=$(lines_of "$E2E_CWD/ticks.$name.interval0.log")
        sleep 3
        to=$(lines_of "$E2E_CWD/ticks.$name.interval0.log")
        sed -n "$((from + 1)),${to}p" "$E2E_CWD/ticks.$name.interval0.log" >"$E2E_WORK/logs/$name.interval0.idle"
        scroll "$name.interval0"
        rel_exit 30
        rm -f "$E2E_CWD/Wideroom.cfg"
    done
done


# summary BUILD CASE KIND EXPR: the expression over the log lines of every
# round of that build.
summary() {
    local n mean median p99 longest a b c
    # shellcheck disable=SC2086
    read -r n mean median p99 longest a b c <<<"$(cat "$E2E_WORK"/logs/$1.*.$2.$3 | awk "{ print $4 }" | stats 42000 50000 90000)"
    printf 'wine_compare %-6s %-9s %-6s %-22s %5d: mean %6.2f, median %6.2f, 99th %6.2f, longest %6.2f ms; over 42 / 50 / 90 ms: %d / %d / %d\n' \
        "$1" "$2" "$3" "$5" "$n" "$mean" "$median" "$p99" "$longest" "$a" "$b" "$c"
}

for build in before after; do
    # shellcheck disable=SC2016
    {
        summary "$build" hidden idle '$1' "pass"
        summary "$build" hidden scroll '$1' "pass"
        summary "$build" hidden scroll '$2' "tick with its sleeps"
        summary "$build" interval0 idle '$2 - 10000' "tick's work + late wake"
        summary "$build" interval0 scroll '$2 - 10000' "tick's work + late wake"
    }
done
we_stop "$many_pid"
