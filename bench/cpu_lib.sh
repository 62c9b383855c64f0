# shellcheck shell=bash
# CPU readings of the benchmarks under Wine, from /proc.

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
