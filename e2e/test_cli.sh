#!/usr/bin/env bash
# wideroomc.exe against the running program, on one start: the state read
# back as JSON, each command's effect on the windows, the exit with the
# windows gathered, and the exit codes without a program and for bad usage.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

CLI=$E2E_WIN64/wideroomc.exe

# wrc NAME ARGS...: runs the companion; its output in $E2E_WORK/NAME.out and
# .err, its exit code in RC.
wrc() {
    local name=$1
    shift
    timeout 60 "$WE_WINE" "$CLI" "$@" >"$E2E_WORK/$name.out" 2>"$E2E_WORK/$name.err"
    RC=$?
}

# jq_py NAME EXPRESSION: EXPRESSION over the JSON of NAME.out (as d).
jq_py() {
    python3 -c 'import json,sys; d=json.load(open(sys.argv[1],encoding="utf-8")); print(eval(sys.argv[2]))' \
        "$E2E_WORK/$1.out" "$2"
}

# window_field NAME TITLE FIELD: a field of the listed window of that title.
window_field() {
    jq_py "$1" "[w['$3'] for w in d['windows'] if w['title'] == '$2'][0]"
}

# on_screen H: the window lies wholly on the 1024 x 768 screen.
on_screen() {
    local l t r b
    read -r l t r b <<<"$(rect_of "$1")"
    [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1024 ] && [ "$b" -le 768 ]
}

wrc none-running state
expect_eq "no Wideroom running: exit code 1" 1 "$RC"
expect "no Wideroom running: a message on standard error" grep -q 'not running' "$E2E_WORK/none-running.err"
wrc sideways page sideways
expect_eq "page sideways: exit code 2" 2 "$RC"
expect "page sideways: the usage on standard error" grep -q '^Usage: wideroomc' "$E2E_WORK/sideways.err"
wrc help help
expect_eq "help: exit code 0" 0 "$RC"
expect "help: the usage on standard output" grep -q 'Exit codes' "$E2E_WORK/help.out"

pointer_to 512 384
japanese='メモ帳 "q" \ z'
start_sample --window "Sample A" 300 420 260 180 --window "Far Sample" 2348 300 200 150 \
    --window "$japanese" 100 100 200 100 || exit 1
read -r near far _ <<<"$SAMPLE_HANDLES"
name_windows "$near" "Sample A" "$far" "Far Sample"
write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 64 25 30 0 0 0 1
rm -f "$E2E_CWD/Wideroom.prv"
start_wideroom_ready cli || exit 1

wrc state state
expect_eq "state: exit code 0" 0 "$RC"
expect_eq "state: the view in the middle of the 5 x 5 desktop" "2048 1536" "$(jq_py state "d['view']['x'], d['view']['y']" | tr -d '(),')"
expect_eq "state: the desktop" "5120 3840" "$(jq_py state "d['desktop']['width'], d['desktop']['height']" | tr -d '(),')"
expect_eq "state: the sample window's virtualX" 2348 "$(window_field state "Sample A" virtualX)"
expect_eq "state: the far window's virtualX" 4396 "$(window_field state "Far Sample" virtualX)"
expect_eq "state: the sample window's program and state" "wrsample.exe normal" \
    "$(window_field state "Sample A" program) $(window_field state "Sample A" state)"
expect_eq "state: a title with Japanese, quotes and a backslash comes back" "$japanese" \
    "$(jq_py state "[w['title'] for w in d['windows'] if w['title'].startswith('メモ帳')][0]")"
expect_eq "state: the handle is the window's" "$((near))" "$(window_field state "Sample A" handle)"

wrc go go 'far*'
expect_eq "go: exit code 0" 0 "$RC"
expect "go: the window two screens away is now on the screen" on_screen "$far"
expect_eq "go: the other window moved with the view" "$((300 - 1524)) 420" "$(origin "$near")"

wrc go-none go 'nothing like this*'
expect_eq "go without a match: exit code 3" 3 "$RC"

wrc view view 0 0
expect_eq "view 0 0: exit code 0" 0 "$RC"
expect_eq "view 0 0: every window at its place on the virtual desktop" "2348 1956|4396 1836" \
    "$(origin "$near")|$(origin "$far")"

before=$(origins "$near" "$far")
wrc page page right
expect_eq "page right: exit code 0" 0 "$RC"
expect_eq "page right: every window moves 1024 px" "$(named "$(shifted "$before" -1024 0)")" \
    "$(named "$(origins "$near" "$far")")"

before=$(origins "$near" "$far")
wrc move move 100 -50
expect_eq "move 100 -50 at the top border: only the clamped move" "$(named "$(shifted "$before" -100 0)")" \
    "$(named "$(origins "$near" "$far")")"

wrc state2 state
expect_eq "state after the moves: the view" "1124 0" "$(jq_py state2 "d['view']['x'], d['view']['y']" | tr -d '(),')"

wrc nav-hide navigator hide
expect_eq "navigator hide: exit code 0" 0 "$RC"
expect "navigator hide: the navigator goes" drv gone --title "Wideroom Navigator" --visible --timeout 10000
wrc nav-show navigator show
shown() { drv find --title "Wideroom Navigator" --visible --timeout 10000 >/dev/null; }
expect "navigator show: the navigator comes" shown

wrc exit exit
expect_eq "exit: exit code 0" 0 "$RC"
# The companion waited for the end: the program is gone at once.
wait_wideroom_exit 5
expect_eq "exit: the program has ended with code 0" 0 "$WR_RC"
expect "exit: the far window is gathered onto the screen" on_screen "$far"
expect "exit: the sample window is gathered onto the screen" on_screen "$near"

wrc after state
expect_eq "after the exit: exit code 1" 1 "$RC"
