#!/usr/bin/env bash
# Window rules from the options file, with a real program (Wine's notepad):
# "stay" for notepad.exe keeps it in place while a sample window scrolls, as
# does a "stay" rule for a Japanese title (whatever Wine's code page); an
# "ignore" rule for class "Acc*" and title "Ign ?" leaves "Ign 0" where it
# stands, off the screen, before and after the exit's gathering, while the
# Japanese "stay" window off the screen is gathered as usual and a window of
# that class titled "Ign 10" scrolls. Then the options dialog's Windows tab:
# a rule added with "Pick a window" (a pattern with a control character
# refused first, its field marked), saved, and in force at the next start.
source "$(dirname "$0")/opt_lib.sh"
set_begin

pointer_to 512 384
start_stranger notepad 120 80 || exit 1
notepad=$STRANGER_HANDLE
# メモ帳 1: a Japanese title.
start_sample --window "Sample A" 300 420 260 180 \
    --class AccSample --window "Ign 0" 1500 300 200 150 --window "Ign 10" 600 100 200 150 \
    --class WrSample --window '\u30e1\u30e2\u5e33 1' 400 200 200 150 || exit 1
read -r sample ignored scrolling japanese <<<"$SAMPLE_HANDLES"
start_sample --class WrPick --window "Pick me" 100 480 220 140 || exit 1
picked=${SAMPLE_HANDLES%% *}
name_windows "$notepad" notepad "$sample" "sample window" "$ignored" "'Ign 0'" "$scrolling" "'Ign 10'" \
    "$japanese" "Japanese window"

write_ini '[General]\nLanguage=ja\n\n[Rule1]\nAction=stay\nProgram=notepad.exe\n\n[Rule2]\nAction=ignore\nClass=Acc*\nTitle=Ign ?\n\n[Rule3]\nAction=stay\nTitle=メモ帳*\n'
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom_ready rules || exit 1

stayers="$notepad $ignored $japanese"
# shellcheck disable=SC2086
before=$(origins $stayers)
scrolling_at=$(origin "$scrolling")
expect "the pointer at the right edge scrolls the sample window" push_edge 1023 384 "$sample"
# shellcheck disable=SC2086
expect_eq "notepad, 'Ign 0' and the Japanese window stay put" "$(named "$before")" "$(named "$(origins $stayers)")"
moved_off() { [ "$(origin "$1")" != "$2" ]; }
expect "a window of that class titled 'Ign 10' scrolls" moved_off "$scrolling" "$scrolling_at"

# The Japanese window goes off the screen; the gathering brings it back,
# 'Ign 0' stays off the screen.
drv move "$japanese" 1800 200 || exit 1
read -r left _ right _ <<<"$(rect_of "$japanese")"
exit_wideroom
expect_eq "the program exits with code 0" 0 "$WR_RC"
expect_eq "'Ign 0' is where it stood after the gathering" "1500 300" "$(origin "$ignored")"
expect_eq "the Japanese stay window is gathered as usual" "$((SCREEN_W - (right - left))) 200" \
    "$(origin "$japanese")"

# --- the Windows tab: a rule picked, refused while it holds a tab, saved ------
start_wideroom dialog
wait_wideroom_ready || exit 1
open_settings || exit 1
open_options || exit 1
expect "the Windows tab comes up with the arrow keys" opttool tab "$OPTIONS" 1241
expect_eq "the tab lists the three rules in order" \
    "$(printf '%s\n' '画面に留める: notepad.exe | (すべて) | (すべて)' '一切扱わない: (すべて) | Acc* | Ign ?' \
        '画面に留める: (すべて) | (すべて) | メモ帳*')" "$(list_texts "$OPTIONS" 1241)"
settool click "$OPTIONS" 1242 --post
editor=$(settool msgbox "$OPTIONS" --timeout 10000)
expect_eq "Add opens the rule editor" "規則の追加" "$(echo "$editor" | cut -f2)"
editor=$(echo "$editor" | cut -f1)
index=$(line_index "$editor" 1255 "Pick me")
expect "the picked window is offered" test -n "$index"
settool choose "$editor" 1255 "$index"
expect_eq "picking fills in program, class and title" "$(printf 'wrsample.exe\nWrPick\nPick me')" \
    "$(for id in 1250 1251 1252; do settool text "$editor" "$id"; done)"
opttool type "$editor" 1251 "$(printf 'Wr\tPick')"
settool click "$editor" 1 --post
sleep 1
expect_eq "a control character is refused, the editor stays" "制御文字は使えません" "$(settool text "$editor" 1256)"
opttool type "$editor" 1251 WrPick
settool click "$editor" 1 --post
expect "OK closes the editor" settool nomsgbox "$OPTIONS" --timeout 10000
expect_eq "the new rule is the last line" "画面に留める: wrsample.exe | WrPick | Pick me" \
    "$(list_texts "$OPTIONS" 1241 | tail -n 1)"
expect "OK closes the options dialog" close_options "$ID_OK"
settool click "$DIALOG" 1018
settool nodialog --timeout 5000
contains() { [[ "$1" == *"$2"* ]]; }
expect "the saved file holds the rule" contains "$(tr -d '\r' <"$E2E_CWD/Wideroom.ini")" \
    "$(printf '[Rule4]\nAction=stay\nProgram=wrsample.exe\nClass=WrPick\nTitle=Pick me')"
exit_wideroom
expect_eq "the dialog run exits with code 0" 0 "$WR_RC"

# --- the next start: the picked window stays put ------------------------------
start_wideroom_ready reloaded || exit 1
picked_at=$(origin "$picked")
expect "after a restart the pointer at an edge scrolls the sample window" push_edge 0 384 "$sample"
expect_eq "the picked window stays put" "$picked_at" "$(origin "$picked")"
exit_wideroom
expect_eq "the last run exits with code 0" 0 "$WR_RC"
