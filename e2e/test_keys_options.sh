#!/usr/bin/env bash
# The keys group of the options dialog, driven as a user does: with
# Ctrl+Alt+Right held by another program before the start, the dialog marks
# that key and only that one; a combination that cannot be read keeps the
# dialog open with its field marked; a new combination typed in works at once
# and is saved in "Wideroom.ini"; a taken one chosen in the dialog is named
# in a warning; with the wheel turned off the wheel over the map moves
# nothing; the next start shows the saved keys.
source "$(dirname "$0")/opt_lib.sh"
source "$(dirname "$0")/nav_lib.sh"
source "$(dirname "$0")/keys_lib.sh"
set_begin

EDIT=1120 # + the action: PageLeft 0, PageRight 1, ... ToggleNavigator 9
MARK=1130
IDC_WHEEL_SCROLLS=1180
TAKEN="× 他のプログラムが使用中です"

pointer_to 512 384
start_stranger notepad 120 80 || exit 1
notepad=$STRANGER_HANDLE
start_sample --window "Sample A" 300 420 260 180 || exit 1
sample=${SAMPLE_HANDLES%% *}
name_windows "$notepad" notepad "$sample" "sample window"
movers="$notepad $sample"
# shellcheck disable=SC2086
start=$(origins $movers)

hold_keys "$E2E_WORK/holder.out" 3 0x27 || exit 1
expect_eq "the helper holds Ctrl+Alt+Right" "taken 3 39" "$(head -n 1 "$E2E_WORK/holder.out")"

rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv" "$E2E_CWD/Wideroom.ini"
# The Japanese texts, whatever Wine's own language.
use_language ja
start_wideroom first || exit 1
wait_wideroom_ready || exit 1
nav_wait_started || exit 1

box_gone() { ! settool msgbox "$DIALOG" --timeout 0 >/dev/null; }

# Opens the settings dialog and in it the options dialog; OPTIONS is its handle.
open_both() {
    open_settings && open_options
}

# type_into ID TEXT: clicks into the field and types TEXT over what it holds.
type_into() {
    local l t r b
    # The keys have a tab of their own.
    opttool tab "$OPTIONS" "$1" || return 1
    read -r _ l t r b <<<"$(opttool rects "$OPTIONS" | grep "^$1 ")"
    [ -n "$b" ] || return 1
    pointer_to $(((l + r) / 2)) $(((t + b) / 2))
    focus_wine_desktop || return 1
    xdotool click 1
    sleep 0.2
    xdotool key End shift+Home BackSpace
    [ -z "$2" ] || xdotool type --delay 30 "$2"
    sleep 0.2
}

open_both || exit 1
expect_eq "the taken key is marked" "$TAKEN" "$(settool text "$OPTIONS" $((MARK + 1)))"
expect_eq "its field shows it" "Ctrl+Alt+Right" "$(settool text "$OPTIONS" $((EDIT + 1)))"
marks=""
for a in 0 2 3 4 5 6 7 8 9; do marks+="[$(settool text "$OPTIONS" $((MARK + a)))]"; done
expect_eq "no other key is marked" "[][][][][][][][][]" "$marks"
expect_eq "the navigator key is none" "" "$(settool text "$OPTIONS" $((EDIT + 9)))"
press_keys ctrl+alt+Left
sleep 1.5
# shellcheck disable=SC2086
expect_eq "the keys do nothing while the settings dialog is open" "$(named "$start")" \
    "$(named "$(origins $movers)")"

type_into $((EDIT + 1)) "Ctrl+Alt+Rigth"
settool click "$OPTIONS" "$ID_OK" --post
sleep 1
expect_eq "an unreadable combination keeps the dialog open" "$OPTIONS" "$(opttool dialog --timeout 1000 | col 1)"
expect_eq "and marks its field" "× 知らないキー名があります" "$(settool text "$OPTIONS" $((MARK + 1)))"

type_into $((EDIT + 1)) "ctrl+f9"
type_into $((EDIT + 9)) "Ctrl+Alt+Right"
settool click "$OPTIONS" "$IDC_WHEEL_SCROLLS"
settool click "$OPTIONS" "$ID_OK" --post
expect "OK closes the dialog" opttool nodialog --timeout 10000
box=$(settool msgbox "$DIALOG" --timeout 10000)
expect_eq "a taken key chosen in the dialog is named" \
    "ナビゲータの表示 / 非表示 (Ctrl+Alt+Right): 他のプログラムが使っています" "$(echo "$box" | cut -f3 | grep -o 'ナビ.*')"
settool click "$(echo "$box" | cut -f1)" 1
expect "the warning closes with OK" retry 5 box_gone
settool click "$DIALOG" "$ID_SAVE"
settool nodialog --timeout 10000 >/dev/null || fail "save closes the settings dialog"

# Counted from where the windows stand now: one run found them 1 px right of
# their start at this point, as after one edge step left (not reproduced).
# shellcheck disable=SC2086
keys_move "the new key Ctrl+F9 moves every window 1024 px left at once" ctrl+F9 "$(shifted "$(origins $movers)" -1024 0)"
keys_move "Ctrl+Alt+Home brings them back" ctrl+alt+Home "$start"

nav_point_map 100 75
sleep 0.2
xdotool click 5
sleep 1.5
# shellcheck disable=SC2086
expect_eq "with the wheel turned off a notch over the map moves nothing" "$(named "$start")" \
    "$(named "$(origins $movers)")"
pointer_to 512 384

ini=$(tr -d '\r' <"$E2E_CWD/Wideroom.ini")
expect_eq "the new key is saved" "PageRight=Ctrl+F9" "$(echo "$ini" | grep '^PageRight=')"
expect_eq "the navigator key is saved" "ToggleNavigator=Ctrl+Alt+Right" "$(echo "$ini" | grep '^ToggleNavigator=')"
expect_eq "the wheel setting is saved" "WheelScrolls=0" "$(echo "$ini" | grep '^WheelScrolls=')"

exit_wideroom
expect_eq "exit code 0" 0 "$WR_RC"

# The next start, the helper gone: the saved keys, nothing marked.
we_stop "$HOLDER_PID"
start_wideroom second || exit 1
wait_wideroom_ready || exit 1
open_both || exit 1
expect_eq "the saved key comes back" "Ctrl+F9" "$(settool text "$OPTIONS" $((EDIT + 1)))"
expect_eq "the navigator key comes back" "Ctrl+Alt+Right" "$(settool text "$OPTIONS" $((EDIT + 9)))"
expect_eq "nothing is marked with the helper gone" "" "$(settool text "$OPTIONS" $((MARK + 9)))"
expect "cancel closes the dialog" close_options "$ID_CANCEL"
settool click "$DIALOG" 1019 --post
settool nodialog --timeout 10000 >/dev/null
exit_wideroom
expect_eq "exit code 0 at the second run" 0 "$WR_RC"
