#!/usr/bin/env bash
# The fixed-window list of the settings dialog with a real program's window
# (Wine's notepad): once fixed and applied it stays in place while the rest
# scrolls, and after a save and a restart too; a second fix of the same window
# and a 21st one are refused with their message boxes and change nothing;
# releasing an entry moves the later ones up; cancel keeps the engine's list.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin
# The Japanese texts, whatever Wine's own language.
use_language ja

drv cursor 512 384
we_start "$E2E_WORK/notepad.out" "$E2E_WORK/notepad.err" 'C:\windows\system32\notepad.exe'
notepad_pid=$WE_PID
notepad=$(drv find --class Notepad --process notepad.exe --visible --timeout 30000)
[ -n "$notepad" ] || {
    echo "notepad did not start" >&2
    exit 1
}
notepad_title=$(echo "$notepad" | col 13)
notepad=$(echo "$notepad" | col 1)
drv move "$notepad" 300 420 400 250
start_sample --window "Mover" 100 100 300 200 || exit 1
read -r mover <<<"$SAMPLE_HANDLES"
notepad_line="タイトル名 -> $notepad_title & クラス名 -> Notepad"

start_wideroom first
wait_wideroom_ready || exit 1
open_settings || exit 1

# --- fixing -----------------------------------------------------------------
index=$(line_index "$DIALOG" 1036 "$notepad_title")
expect_eq "notepad is offered as title and class" "$notepad_line" "$(settool lines "$DIALOG" 1036 |
    awk -F'\t' -v i="$index" '$1 == i { print $2 }')"
settool select "$DIALOG" 1036 -1
settool click "$DIALOG" 1038
expect_eq "fixing with nothing selected adds nothing" "" "$(list_texts "$DIALOG" 1037)"
settool fix "$DIALOG" "$index"
expect_eq "fixing lists the window among the fixed ones" "$notepad_line" "$(list_texts "$DIALOG" 1037)"

# A refusal's message box is owned by the dialog.
box_gone() { ! settool msgbox "$DIALOG" --timeout 0 >/dev/null; }

settool select "$DIALOG" 1036 "$index"
fixed_before=$(list_texts "$DIALOG" 1037)
settool click "$DIALOG" 1038 --post
box=$(settool msgbox "$DIALOG" --timeout 10000)
expect_eq "fixing the same window again is refused" "$(printf '二重登録\t既に登録されています')" \
    "$(echo "$box" | cut -f2,3)"
settool click "$(echo "$box" | cut -f1)" 1
expect "the refusal closes with OK" retry 5 box_gone
expect_eq "the refused duplicate is not added" "$fixed_before" "$(list_texts "$DIALOG" 1037)"

# --- applied: notepad stays while the rest scrolls ------------------------------
# The click is sent, as automation tools send it: nothing is left in the
# program's queue, and it must go back to scrolling all the same.
settool click "$DIALOG" 1017
settool nodialog --timeout 5000
notepad_at=$(drv rect "$notepad")
expect "the pointer at an edge scrolls the other windows" push_edge 0 384 "$mover"
expect_eq "the fixed window stays in place" "$notepad_at" "$(drv rect "$notepad")"

# --- saved: the list in the file ---------------------------------------------------
open_settings || exit 1
expect_eq "the dialog shows the engine's fixed list" "$notepad_line" "$(list_texts "$DIALOG" 1037)"
settool click "$DIALOG" 1018
settool nodialog --timeout 5000
cfg=$E2E_CWD/Wideroom.cfg
# Entry 0 at byte 52: the class name, then the title, 64 bytes each.
expect_eq "the file's first entry names notepad's class" Notepad "$(field_at "$cfg" 52 64)"
expect_eq "the file's first entry names notepad's title" "$notepad_title" "$(field_at "$cfg" 116 64)"
expect_eq "the file's other entries are free" 0 "$(nonzero_bytes "$cfg" 180 2432)"
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "first run exits with code 0" 0 "$WR_RC"

# --- after a restart --------------------------------------------------------------
# Twenty more windows to fix, out of the way to the right.
start_sample --many 20 1100 20 150 100 || exit 1
start_wideroom second
wait_wideroom_ready || exit 1
notepad_at=$(drv rect "$notepad")
expect "after a restart the pointer at an edge scrolls the other windows" push_edge 0 384 "$mover"
expect_eq "after a restart the saved fixed window stays in place" "$notepad_at" "$(drv rect "$notepad")"

open_settings || exit 1
expect_eq "after a restart the dialog lists the saved fixed window" "$notepad_line" \
    "$(list_texts "$DIALOG" 1037)"
sample_line() { echo "タイトル名 -> wrsample $1 & クラス名 -> WrSample"; }
sample_index() {
    settool lines "$DIALOG" 1036 | awk -F'\t' -v t="$(sample_line "$1")" '$2 == t { print $1; exit }'
}
indexes=()
for n in $(seq 19); do indexes+=("$(sample_index "$n")"); done
settool fix "$DIALOG" "${indexes[@]}"
full=$(echo "$notepad_line"; for n in $(seq 19); do sample_line "$n"; done)
expect_eq "twenty windows fill the list in the order they were fixed" "$full" "$(list_texts "$DIALOG" 1037)"

settool select "$DIALOG" 1036 "$(sample_index 20)"
settool click "$DIALOG" 1038 --post
box=$(settool msgbox "$DIALOG" --timeout 10000)
expect_eq "a 21st window is refused" "$(printf '登録数MAX\t固定するウインドウは20個までです')" \
    "$(echo "$box" | cut -f2,3)"
settool click "$(echo "$box" | cut -f1)" 1
expect "the limit message closes with OK" retry 5 box_gone
expect_eq "the refused 21st window is not added" "$full" "$(list_texts "$DIALOG" 1037)"

# --- releasing and cancel ------------------------------------------------------------
settool select "$DIALOG" 1037 0
settool click "$DIALOG" 1039
expect_eq "releasing the first entry moves the later ones up" "$(echo "$full" | tail -n +2)" \
    "$(list_texts "$DIALOG" 1037)"
settool click "$DIALOG" 1019
settool nodialog --timeout 5000
open_settings || exit 1
expect_eq "cancel leaves the engine's fixed list as it was" "$notepad_line" "$(list_texts "$DIALOG" 1037)"
settool click "$DIALOG" 1019
settool nodialog --timeout 5000
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "second run exits with code 0" 0 "$WR_RC"
we_stop "$notepad_pid"
