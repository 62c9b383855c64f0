# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Helpers of the scrolling and gathering tests; source after lib.sh.
#
# The windows under test come from three programs: Wine's notepad and
# winemine, which no one here wrote, and wrsample. Their rectangles are read
# back with wrdriver; wrscrolltool follows them while the screen scrolls.

SCROLL_TOOL=$E2E_WIN64/wrscrolltool.exe
# The test desktop: the screen's width and the taskbar's top edge.
# shellcheck disable=SC2034
SCREEN_W=1024
# shellcheck disable=SC2034
TASKBAR_TOP=748

# Names of the windows for the test's messages, by handle.
declare -A WINDOW_NAME

# name_windows H NAME [H NAME]...
name_windows() {
    while [ $# -ge 2 ]; do
        WINDOW_NAME[$1]=$2
        shift 2
    done
}

nm() {
    echo "${WINDOW_NAME[$1]:-$1}"
}

# start_stranger EXE X Y: starts one of Wine's own programs and puts its main
# window at (X, Y); STRANGER_HANDLE is that window. The process is ended by
# its pid with everything else the test started.
start_stranger() {
    local exe=$1 x=$2 y=$3 record
    we_start "$E2E_WORK/$exe.out" "$E2E_WORK/$exe.err" "$exe"
    record=$(drv find --process "$exe.exe" --visible --timeout 30000)
    # Wine's loader now and then fails to start a program of its own on a
    # loaded machine ("Application could not be started"): one more try.
    if [ -z "$record" ] && grep -q 'could not be started' "$E2E_WORK/$exe.err" 2>/dev/null; then
        we_start "$E2E_WORK/$exe.out" "$E2E_WORK/$exe.err" "$exe"
        record=$(drv find --process "$exe.exe" --visible --timeout 30000)
    fi
    [ -n "$record" ] || {
        echo "$exe did not open its window" >&2
        return 1
    }
    STRANGER_HANDLE=$(echo "$record" | head -n 1 | col 1)
    drv move "$STRANGER_HANDLE" "$x" "$y" || return 1
}

# The usual strangers of the scrolling tests, with the pointer in the middle
# of the screen: notepad at (120, 80) and winemine at (600, 300), their
# windows in $notepad and $mine.
start_notepad_and_mine() {
    pointer_to 512 384
    start_stranger notepad 120 80 || return 1
    notepad=$STRANGER_HANDLE
    start_stranger winemine 600 300 || return 1
    mine=$STRANGER_HANDLE
}

# The same two and a sample window "Sample A" at (300, 420) in $sample, all
# three named, in $movers.
start_movers() {
    start_notepad_and_mine || return 1
    start_sample --window "Sample A" 300 420 260 180 || return 1
    sample=${SAMPLE_HANDLES%% *}
    name_windows "$notepad" notepad "$mine" winemine "$sample" "sample window"
    movers="$notepad $mine $sample"
}

# named ORIGINS: the lines with each handle replaced by the window's name.
named() {
    local h rest
    while read -r h rest; do echo "$(nm "$h") $rest"; done <<<"$1"
}

# trace_start OUT ARGS...: wrscrolltool trace in the background, ready to
# see the first move; TRACE_PID is its process.
trace_start() {
    local out=$1
    shift
    we_start "$out" "$out.err" "$SCROLL_TOOL" trace "$@"
    TRACE_PID=$WE_PID
    wait_for_line "$out" '^ready$' 30
}

trace_wait() {
    we_wait_exit "$TRACE_PID" "${1:-60}"
}

# trace_distances FILE HANDLE AXIS SIGN START: the distances the window's
# left (AXIS x) or top (AXIS y) edge had covered at each position of the
# trace, counted from START, positive in the direction SIGN (-1 for a move
# left or up); in order, space-separated.
trace_distances() {
    awk -v h="$2" -v axis="$3" -v sign="$4" -v start="$5" '$1 == "move" && $3 == h {
        v = axis == "x" ? $4 : $5
        printf "%s%d", sep, sign * (v - start); sep = " "
    }' "$1"
}

# trace_moved FILE: the windows that moved in the trace.
trace_moved() {
    awk '$1 == "move" { print $3 }' "$1" | sort -u | tr '\n' ' ' | sed 's/ $//'
}

# The time from the first to the last move of a trace, in milliseconds.
trace_duration() {
    awk '$1 == "end" { print $2 }' "$1"
}

# accelerating_path MIN MAX TOTAL: the distances a window has covered after
# each tick of an uninterrupted run, tick n moving min(MIN + n - 1, MAX)
# pixels, the last tick shortened to end at TOTAL.
accelerating_path() {
    awk -v lo="$1" -v hi="$2" -v total="$3" 'BEGIN {
        step = lo; d = 0; sep = ""
        while (d < total) {
            d += step; if (d > total) d = total
            printf "%s%d", sep, d; sep = " "
            if (step < hi) step++
        }
    }'
}

# on_path OBSERVED PATH: every observed distance lies on the path, in the
# path's order (ticks the trace missed may be skipped, none invented).
on_path() {
    awk -v seen="$1" -v path="$2" 'BEGIN {
        n = split(seen, s, " "); m = split(path, p, " "); j = 1
        for (i = 1; i <= n; i++) {
            while (j <= m && p[j] != s[i]) j++
            if (j > m) exit 1
            j++
        }
        exit 0
    }'
}

# The Wine desktop's X window, for keys that the program must see held.
focus_wine_desktop() {
    local xid
    xid=$(xdotool search --name 'Wine desktop' | head -n 1)
    [ -n "$xid" ] && xdotool windowfocus --sync "$xid"
}

# key_down KEYSYM / key_up KEYSYM: explicit presses, as the program's polling
# only sees a key that stays down.
key_down() {
    focus_wine_desktop && xdotool keydown "$1"
}

key_up() {
    xdotool keyup "$1"
}

# set_fixed_entry FILE INDEX CLASS TITLE: one entry of a settings file's
# fixed-window list.
set_fixed_entry() {
    local file=$1 index=$2 offset
    offset=$((52 + 128 * index))
    { head -c 128 /dev/zero; } | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
    printf '%s' "$3" | dd of="$file" bs=1 seek="$offset" conv=notrunc status=none
    printf '%s' "$4" | dd of="$file" bs=1 seek="$((offset + 64))" conv=notrunc status=none
}
