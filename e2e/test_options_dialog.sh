#!/usr/bin/env bash
# The options dialog against the running program: "詳細設定..." in the
# settings dialog opens it, owned by that dialog, showing the options in
# force; cancel drops its changes, OK puts them in force at once, save writes
# "Wideroom.ini", and the next start reads it back. A damaged options file
# starts with the defaults or the clamped values, and a save writes it clean,
# keeping what the program does not know.
source "$(dirname "$0")/opt_lib.sh"
# A Japanese system, for the Japanese texts: the test's own options files
# hold no language.
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
opt_begin
sample=$SAMPLE
start_wideroom first
wait_wideroom_ready || exit 1

# --- the button sits in a free place of the settings dialog -------------------
open_settings || exit 1
expect_eq "the settings dialog has the options button" $'1060\tButton\t詳細設定...' \
    "$(settool controls "$DIALOG" | grep '^1060')"
overlaps=$(opttool rects "$DIALOG" | awk '$1 == 1060 { l = $2; t = $3; r = $4; b = $5 }
    { all[NR] = $0 } END {
        for (i in all) { split(all[i], c, " "); if (c[1] == 1060 || c[1] == -1) continue
            if (c[2] < r && l < c[4] && c[3] < b && t < c[5]) print c[1] } }')
expect_eq "the options button covers no other control" "" "$overlaps"

# --- opening: owned by the settings dialog, with the defaults -----------------
expect "the options button opens the options dialog" open_options
expect_eq "the options dialog is owned by the settings dialog" "$DIALOG" "$OPTIONS_OWNER"
expect_eq "options dialog caption" "Wideroom 詳細設定" "$(settool text "$OPTIONS")"
expect_eq "options dialog opens with the defaults" "0 0 0 | 1 1 1 1 0" "$(opttool values "$OPTIONS")"

# The spin buttons, clicked as a user does: the upper half steps up, the lower
# half down, within the range.
read -r _ sl st sr sb <<<"$(opttool rects "$OPTIONS" | grep "^$ID_DWELL_SPIN ")"
xdotool mousemove $(((sl + sr) / 2)) $((st + 3)) click 1
expect "the spin's upper half steps the dwell up" retry 5 \
    test "$(settool text "$OPTIONS" "$ID_DWELL")" = 1
xdotool mousemove $(((sl + sr) / 2)) $((sb - 3)) click 1 sleep 0.3 click 1
expect "the spin's lower half steps it down, not below 0" retry 5 \
    test "$(settool text "$OPTIONS" "$ID_DWELL")" = 0

# --- cancel drops every change ---------------------------------------------
opttool type "$OPTIONS" "$ID_DWELL" 500
opttool check "$OPTIONS" "$ID_RIGHT" 0
close_options "$ID_CANCEL"
expect "cancel closes the options dialog" test $? -eq 0
open_options || exit 1
expect_eq "after cancel the options are as before" "0 0 0 | 1 1 1 1 0" "$(opttool values "$OPTIONS")"

# --- OK puts every control's value in force, clamped ---------------------------
opttool type "$OPTIONS" "$ID_DWELL" 300
opttool type "$OPTIONS" "$ID_CORNER" 999
opttool type "$OPTIONS" "$ID_PAUSE" 1000
opttool check "$OPTIONS" "$ID_LEFT" 0
opttool check "$OPTIONS" "$ID_RIGHT" 0
opttool check "$OPTIONS" "$ID_TOP" 0
opttool check "$OPTIONS" "$ID_BOTTOM" 0
opttool check "$OPTIONS" "$ID_CARRY" 1
expect_eq "the controls show what was typed and clicked" "300 999 1000 | 0 0 0 0 1" "$(opttool values "$OPTIONS")"
expect "OK closes the options dialog" close_options "$ID_OK"
open_options || exit 1
expect_eq "OK put the options in force, each within its range" "300 200 1000 | 0 0 0 0 1" \
    "$(opttool values "$OPTIONS")"
opttool check "$OPTIONS" "$ID_LEFT" 1
opttool check "$OPTIONS" "$ID_TOP" 1
opttool check "$OPTIONS" "$ID_BOTTOM" 1
opttool type "$OPTIONS" "$ID_CORNER" 40
close_options "$ID_OK"
expect_eq "nothing is written before save" "" "$(ls "$E2E_CWD"/Wideroom.ini 2>/dev/null)"

# --- save writes both files; the options are in force at once ------------------
settool click "$DIALOG" "$ID_SAVE"
settool nodialog --timeout 5000
expected_ini=$'[Edges]\r\nDwellMs=300\r\nCornerPx=40\r\nPagePauseMs=1000\r\nLeft=1\r\nRight=0\r\nTop=1\r\nBottom=1\r\nCarryDraggedWindow=1\r'
expect_eq "save writes the options file" "$expected_ini" "$(head -n 9 "$E2E_CWD/Wideroom.ini")"
expect "save writes the settings file" test -s "$E2E_CWD/Wideroom.cfg"
start=$(drv rect "$sample")
pointer_to 1023 300
sleep 1.5
expect_eq "the right edge, switched off, scrolls nothing" "$start" "$(drv rect "$sample")"
pointer_to 0 300
expect "the left edge still scrolls after the dwell" retry 10 moved_from "$sample" "$start"
pointer_to 512 384

# --- the next start reads the file back -----------------------------------------
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "exit code" 0 "$WR_RC"
start_wideroom second
wait_wideroom_ready || exit 1
open_settings || exit 1
open_options || exit 1
expect_eq "the next start shows the saved options" "300 40 1000 | 1 0 1 1 1" "$(opttool values "$OPTIONS")"
close_options "$ID_CANCEL"
settool click "$DIALOG" 1019
settool nodialog --timeout 5000
menu_command "$CMD_EXIT"
wait_wideroom_exit 30

# --- a damaged file: defaults or clamped values; a save writes it clean ---------
{
    printf '; kept\r\n[Edges]\r\nDwellMs=99999\r\nCornerPx=-5\r\n'
    head -c 300 /dev/urandom | tr -d '\n\r'
    printf '\r\nLeft=7\r\nRight=%s\r\n' "$(head -c 1048576 /dev/zero | tr '\0' '1')"
    printf 'PagePauseMs=abc\r\n[Mine]\r\nSomething=else\r\n'
} >"$E2E_CWD/Wideroom.ini"
start_wideroom damaged
wait_wideroom_ready || exit 1
open_settings || exit 1
open_options || exit 1
expect_eq "a damaged file gives the clamped values and the defaults" "2000 0 0 | 1 1 1 1 0" \
    "$(opttool values "$OPTIONS")"
close_options "$ID_CANCEL"
settool click "$DIALOG" "$ID_SAVE"
settool nodialog --timeout 5000
ini=$E2E_CWD/Wideroom.ini
expect "the saved file is small" test "$(stat -c %s "$ini")" -lt 1000
expect "the saved file is UTF-8 text" iconv -f UTF-8 -t UTF-8 "$ini" -o /dev/null
expect_eq "every line of it is a comment, a section or a key" "" \
    "$(tr -d '\r' <"$ini" | LC_ALL=C grep -nEv '^(;.*|\[[A-Za-z]+\]|[A-Za-z]+=[^[:cntrl:]]*|)$')"
expect_eq "the comment and the unknown section are kept" "; kept|[Mine]|Something=else" \
    "$(tr -d '\r' <"$ini" | grep -E '^(; kept|\[Mine\]|Something=)' | paste -sd'|')"
expect_eq "the saved values are the clamped ones" "DwellMs=2000|CornerPx=0|Left=1|PagePauseMs=0|Right=1" \
    "$(tr -d '\r' <"$ini" | grep -E '^(DwellMs|CornerPx|PagePauseMs|Left|Right)=' | paste -sd'|')"
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "exit code after the damaged file" 0 "$WR_RC"
