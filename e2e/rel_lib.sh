# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Helpers of the reliability tests (hung windows, the recovery record); source
# after lib.sh.
#
# The program runs as its test build, wideroom-test.exe, which appends the
# length of every main-loop pass to the file named by WIDEROOM_TICK_LOG and
# faults when the file named by WIDEROOM_CRASH_FILE appears.

REL_TOOL=$E2E_WIN64/wrreltool.exe
REL_TEST_EXE=$E2E_WIN64/wideroom-test.exe
REL_RECORD=$E2E_CWD/Wideroom.rcv
REL_PID=
REL_PROCESS=
# The exit code of the last end waited for, or "timeout"; read by the tests.
# shellcheck disable=SC2034
REL_RC=

rel_begin() {
    local f
    for f in "$REL_TOOL" "$REL_TEST_EXE"; do
        if [ ! -f "$f" ]; then
            echo "missing $f: build the win64 folder first" >&2
            exit 1
        fi
    done
    e2e_begin
    REL_RECORD=$E2E_CWD/Wideroom.rcv
}

# rel_start NAME EXE: starts EXE (a path) in E2E_CWD with its tick log in
# ticks.NAME.log there, and waits until start-up is over. REL_PID is its
# process.
rel_start() {
    local name=$1 exe=$2
    REL_PROCESS=$(basename "$exe")
    env WIDEROOM_TICK_LOG="ticks.$name.log" WIDEROOM_CRASH_FILE="crash.now" "$WE_WINE" "$exe" \
        >"$E2E_WORK/$REL_PROCESS.$name.out" 2>"$E2E_WORK/$REL_PROCESS.$name.err" &
    REL_PID=$!
    WE_PIDS+=("$REL_PID")
    wait_wideroom_ready "$REL_PROCESS"
}

# rel_exit: the exit command, as the tray menu sends it; waits up to SECONDS
# (default 30) for the end. REL_RC is the exit code, or "timeout".
rel_exit() {
    post_exit_command "$REL_PROCESS"
    rel_wait_end "${1:-30}"
    we_stop "$REL_PID"
}

# rel_wait_end SECONDS: waits for the program to end by itself; REL_RC.
rel_wait_end() {
    # shellcheck disable=SC2034
    if we_wait_exit "$REL_PID" "$1"; then REL_RC=$WE_RC; else REL_RC=timeout; fi
}

# rel_hold X Y SECONDS: the pointer at (X, Y) for that long, then back in the
# middle of the screen.
rel_hold() {
    pointer_to "$1" "$2"
    sleep "$3"
    pointer_to 512 384
}

# rel_on_screen H...: every window lies wholly on the 1024 x 768 screen.
rel_on_screen() {
    local h l t r b
    for h in "$@"; do
        read -r l t r b <<<"$(drv rect "$h")"
        [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1024 ] && [ "$b" -le 768 ] || return 1
    done
}

# rel_tick_stats FILE [SKIP]: "passes longest_ms mean_ms" over the tick log,
# leaving out its first SKIP lines (default 0).
rel_tick_stats() {
    if [ ! -s "$1" ]; then
        echo "0 0 0"
        return
    fi
    awk -v skip="${2:-0}" 'NR > skip { n++; s += $1; if ($1 > m) m = $1 }
        END { if (n == 0) print "0 0 0"; else printf "%d %.1f %.1f\n", n, m / 1000, s / n / 1000 }' "$1"
}

# rel_run_to X Y H: holds the pointer at (X, Y) until window H has stood
# still for a second (the view met the desktop's border), then takes the
# pointer back to the middle of the screen.
rel_run_to() {
    local previous current still=0
    pointer_to "$1" "$2"
    previous=$(origin "$3")
    for _ in $(seq 100); do
        sleep 0.25
        current=$(origin "$3")
        if [ "$current" = "$previous" ]; then
            still=$((still + 1))
            [ "$still" -ge 4 ] && break
        else
            still=0
        fi
        previous=$current
    done
    pointer_to 512 384
}

# rel_record_handles: the window handles the recovery record lists, sorted,
# one a line (0x-prefixed hex, as wrdriver prints them).
rel_record_handles() {
    local n i
    n=$(od -An -t u4 -j 16 -N 4 "$REL_RECORD" | tr -d ' ')
    for ((i = 0; i < n; i++)); do
        printf '0x%x\n' "$((16#$(od -An -t x8 -j $((32 + 112 * i)) -N 8 "$REL_RECORD" | tr -d ' ')))"
    done | sort
}
