# shellcheck shell=bash disable=SC2034,SC2120 # sets variables for the tests; optional arguments
# Shared helpers of the end-to-end tests. A test is run as
#   bash e2e/test_x.sh <win64 build dir> <work dir>
# and sources this file, which sets up its own X server and Wine prefix under
# the work dir and ends everything it started when the test exits.
#
# Window records (wrdriver list/find/info) are tab-separated:
#   1 handle  2 pid  3 visible  4 showCmd  5 topmost  6 left  7 top  8 right
#   9 bottom  10 clientW  11 clientH  12 class  13 title
# wrdriver watch puts one more column in front: + (new), ~ (changed), - (gone),
# = (there at the start); its --children lines begin with "child".

set -u

E2E_WIN64=$(cd "${1:?win64 build dir}" && pwd)
E2E_WORK=${2:?work dir}
E2E_NAME=$(basename "$0" .sh)
E2E_FAILURES=0
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

source "$E2E_ROOT/scripts/wine-env.sh"

E2E_EXE=$E2E_WIN64/wideroom.exe
# The loader of the program under test, and the seconds it is given to start
# and to end: the 32-bit test sets its own.
E2E_LOADER=$WE_WINE
E2E_START_SECONDS=30
E2E_EXIT_SECONDS=30
E2E_DRIVER=$E2E_WIN64/wrdriver.exe
E2E_SAMPLE=$E2E_WIN64/wrsample.exe
# The current directory of the program under test: its two files land here.
E2E_CWD=$E2E_WORK/cwd

e2e_end() {
    local rc=$?
    [ "$E2E_FAILURES" -gt 0 ] && rc=1
    if [ "$rc" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
        import -window root "$E2E_WORK/failure.png" 2>/dev/null &&
            echo "screenshot at failure: $E2E_WORK/failure.png"
    fi
    if [ "$rc" -ne 0 ] && [ -s "$E2E_WORK/wine-system.err" ]; then
        echo "Wine's own processes reported:"
        tail -n 5 "$E2E_WORK/wine-system.err"
    fi
    we_cleanup
    # A test with servers of its own ends them last.
    [ -n "${E2E_AFTER_CLEANUP:-}" ] && "$E2E_AFTER_CLEANUP"
    if [ "$rc" -eq 0 ]; then echo "PASS $E2E_NAME"; else echo "FAIL $E2E_NAME"; fi
    exit "$rc"
}

e2e_begin() {
    local f
    for f in "$E2E_EXE" "$E2E_DRIVER" "$E2E_SAMPLE"; do
        if [ ! -f "$f" ]; then
            echo "missing $f: build the win64 folder first" >&2
            exit 1
        fi
    done
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK" || exit 1
    E2E_WORK=$(cd "$E2E_WORK" && pwd)
    E2E_CWD=$E2E_WORK/cwd
    mkdir -p "$E2E_CWD" || exit 1
    trap e2e_end EXIT
    trap 'exit 1' INT TERM
    we_start_xvfb || exit 1
    we_prefix "$E2E_WORK" || exit 1
    cd "$E2E_CWD" || exit 1
    # The first program brings up the Wine desktop and its taskbar; Wine's own
    # processes (explorer, services) inherit its error output, kept here.
    drv find --class Shell_TrayWnd --visible --timeout 30000 >/dev/null 2>"$E2E_WORK/wine-system.err" && return 0
    # On a loaded machine the first start of a prefix has once hung past
    # half a minute with nothing said; a second start of this prefix's server
    # comes up in seconds.
    echo "the Wine desktop is not up after 30 s; its server starts once more" >&2
    "$WE_WINESERVER" -k >/dev/null 2>&1
    timeout 30 "$WE_WINESERVER" -w >/dev/null 2>&1
    drv find --class Shell_TrayWnd --visible --timeout 60000 >/dev/null 2>>"$E2E_WORK/wine-system.err" || {
        echo "the Wine desktop did not come up" >&2
        exit 1
    }
}

drv() {
    "$WE_WINE" "$E2E_DRIVER" "$@"
}

# Column N of a record line.
col() {
    cut -f "$1"
}

pass() { echo "ok   $*"; }

fail() {
    echo "FAIL $*"
    E2E_FAILURES=$((E2E_FAILURES + 1))
}

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
    if [ "$2" == "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# expect WHAT COMMAND...: the command succeeds.
expect() {
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# wait_for_line FILE REGEX SECONDS: until a line of FILE matches.
wait_for_line() {
    local deadline=$((SECONDS + $3))
    until grep -q -- "$2" "$1" 2>/dev/null; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "no line matching $2 in $1" >&2
            return 1
        fi
        sleep 0.05
    done
}

# retry SECONDS COMMAND...: until the command succeeds, for at most that long.
retry() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

# start_wideroom TAG [NAME=VALUE...]: starts the program under test in
# E2E_CWD, with that extra environment for its process only; WR_PID is its
# pid, its output goes to wideroom.TAG.out and .err in the work dir.
start_wideroom() {
    local tag=$1
    shift
    env "$@" "$E2E_LOADER" "$E2E_EXE" >"$E2E_WORK/wideroom.$tag.out" 2>"$E2E_WORK/wideroom.$tag.err" &
    WR_PID=$!
    WE_PIDS+=("$WR_PID")
}

# wait_wideroom_ready [EXE]: waits until start-up of the program (by default
# the one under test) is over: the map pane's tooltip is the last thing it
# creates. WR_TIP is that tooltip, MAIN_WINDOW the hidden command window.
wait_wideroom_ready() {
    local process=${1:-$(basename "$E2E_EXE")}
    WR_TIP=$(drv find --class tooltips_class32 --process "$process" --timeout $((E2E_START_SECONDS * 1000)) | col 1)
    MAIN_WINDOW=$(drv find --class Wideroom --process "$process" --timeout 10000 | col 1)
    [ -n "$WR_TIP" ] && [ -n "$MAIN_WINDOW" ] || {
        echo "$process did not finish starting" >&2
        return 1
    }
}

# start_wideroom_ready TAG [NAME=VALUE...]: start_wideroom, then
# wait_wideroom_ready.
start_wideroom_ready() {
    start_wideroom "$@"
    wait_wideroom_ready
}

# Starts wrsample with the given arguments and waits until its windows are
# up; SAMPLE_PID is its pid, SAMPLE_HANDLES its windows' handles in order.
start_sample() {
    local out=$E2E_WORK/sample.$$.$RANDOM.out
    we_start "$out" "$out.err" "$E2E_SAMPLE" "$@"
    SAMPLE_PID=$WE_PID
    for _ in $(seq 300); do
        grep -q '^ready$' "$out" 2>/dev/null && break
        kill -0 "$SAMPLE_PID" 2>/dev/null || break
        sleep 0.05
    done
    if ! grep -q '^ready$' "$out"; then
        echo "wrsample did not start: $(cat "$out.err")" >&2
        return 1
    fi
    SAMPLE_HANDLES=$(grep '^0x' "$out" | col 1 | tr '\n' ' ')
}

# Waits up to SECONDS (default E2E_EXIT_SECONDS) for the program to end by
# itself; WR_RC is its exit code, or "timeout".
wait_wideroom_exit() {
    if we_wait_exit "$WR_PID" "${1:-$E2E_EXIT_SECONDS}"; then
        WR_RC=$WE_RC
        return 0
    fi
    WR_RC=timeout
    return 1
}

# post_exit_command [EXE]: the exit command, as the tray menu sends it, to
# the program (by default the one under test).
post_exit_command() {
    local main
    main=$(drv find --class Wideroom --process "${1:-$(basename "$E2E_EXE")}" --timeout 10000 | col 1)
    [ -n "$main" ] && drv post "$main" 273 40003 0
}

# exit_wideroom [SECONDS]: ends the program through its exit command and
# waits for the end; WR_RC is its exit code, or "timeout".
exit_wideroom() {
    post_exit_command
    wait_wideroom_exit "${1:-$E2E_EXIT_SECONDS}"
    we_stop "$WR_PID"
}

# "left top" of a window.
origin() {
    drv rect "$1" | cut -d' ' -f1,2
}

# "left top right bottom" of a window.
rect_of() {
    drv rect "$1"
}

# origins H...: "H left top" for each window, one a line.
origins() {
    local h
    for h in "$@"; do echo "$h $(origin "$h")"; done
}

# shifted ORIGINS DX DY: the same lines with every origin moved by (DX, DY).
shifted() {
    echo "$1" | awk -v dx="$2" -v dy="$3" '{ print $1, $2 + dx, $3 + dy }'
}

# settled_origins H...: waits until the windows' origins stay the same for a
# second (at most 20 s); prints them as origins does.
settled_origins() {
    local previous current
    previous=$(origins "$@")
    for _ in $(seq 40); do
        sleep 0.5
        current=$(origins "$@")
        if [ "$current" = "$previous" ]; then
            sleep 0.5
            current=$(origins "$@")
            [ "$current" = "$previous" ] && break
        fi
        previous=$current
    done
    echo "$current"
}

# pointer_to X Y: moves the pointer as the user's mouse does, through the X
# server. (A SetCursorPos from another process can be followed under Wine by
# one stale report of the pointer's earlier place, which would break a run.)
pointer_to() {
    xdotool mousemove "$1" "$2"
}

# Little-endian 32-bit words, as the program's files hold them.
le32() {
    local v=$(($1 & 0xffffffff)) shift_by
    for shift_by in 0 8 16 24; do printf "\\$(printf '%03o' $(((v >> shift_by) & 255)))"; done
}

# write_words FILE INT...: a file of those 32-bit words.
write_words() {
    local file=$1 v
    shift
    for v in "$@"; do le32 "$v"; done >"$file"
}

# write_settings FILE hScale vScale minStep maxStep naviDivisor interval
#                needCtrl needShift pageMode moveMaximized
# A settings file with an empty fixed-window list.
write_settings() {
    local file=$1
    shift
    write_words "$file" 52 64 20 "$@"
    head -c 2560 /dev/zero >>"$file"
}

# The 32-bit little-endian integers of a file, space-separated.
read_words() {
    od -An -v -t d4 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

# The notification area, the right end of the taskbar, as a picture. Wine's
# taskbar draws the icons itself there, with no window of their own, so a
# picture is what shows whether an icon is present.
tray_shot() {
    import -window root -crop 80x20+944+748 +repage "$1" 2>/dev/null
}

same_picture() {
    [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]
}

# A tray picture once the taskbar has settled: two shots in a row agree.
tray_shot_settled() {
    local previous=$1.previous.png
    tray_shot "$previous"
    for _ in $(seq 50); do
        sleep 0.2
        tray_shot "$1"
        if same_picture "$previous" "$1"; then
            rm -f "$previous"
            return 0
        fi
        mv "$1" "$previous"
    done
    return 1
}
