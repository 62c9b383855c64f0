# shellcheck shell=bash
# CPU readings of the benchmarks under Wine, from /proc, the figures of their
# timings, and the pointer held at an edge while a tick log grows.

# utime + stime of a process, in clock ticks.
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# The wineserver of this prefix (others may run beside it).
our_wineserver() {
    local p
    for p in $(pgrep -x wineserver64; pgrep -x wineserver); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            echo "$p"
            return 0
        fi
    done
    return 1
}

# "count mean median p99 longest [over...]" of the microsecond values on
# stdin, in ms (the 99th percentile by nearest rank), and for each LIMIT
# given (microseconds) the count of the values above it.
stats() {
    sort -n | awk -v limits="$*" 'BEGIN { n = split(limits, lim, " ") }
        { v[NR] = $1; s += $1; for (i = 1; i <= n; i++) if ($1 > lim[i] + 0) over[i]++ }
        END {
            if (NR == 0) { printf "0 0 0 0 0"; for (i = 1; i <= n; i++) printf " 0"; print ""; exit }
            p = NR * 0.99; if (p > int(p)) p = int(p) + 1
            printf "%d %.2f %.2f %.2f %.2f", NR, s / NR / 1000, v[int((NR + 1) / 2)] / 1000, v[p] / 1000, v[NR] / 1000
            for (i = 1; i <= n; i++) printf " %d", over[i] + 0
            print "" }'
}

lines_of() {
    wc -l <"$1"
}

# hold_passes LOG OUT X: the pointer 2.5 s at (X, 384), then back in the middle
# of the screen; the lines that LOG gained from 0.2 s after the pointer came
# (a line is logged as the next pass begins: the pass running when it came is
# left out) until it left are appended to OUT. Needs rel_lib.sh.
hold_passes() {
    local from to
    pointer_to "$3" 384
    sleep 0.2
    from=$(lines_of "$1")
    sleep 2.3
    to=$(lines_of "$1")
    pointer_to 512 384
    sed -n "$((from + 1)),${to}p" "$1" >>"$2"
    sleep 0.3
}
