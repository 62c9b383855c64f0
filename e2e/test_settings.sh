#!/usr/bin/env bash
# The settings dialog against the running program: it opens showing the
# engine's settings; its sliders and buttons change only its own copy until
# apply or save; apply fits the navigator to the new map and pulls windows into
# a smaller desktop; nothing scrolls while it is open; save writes the settings
# file that the next start loads; exit with the dialog open still gathers.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin
# The Japanese texts, whatever Wine's own language.
use_language ja

drv cursor 512 384
start_sample --window "Far right" 1500 100 300 200 --window "Far below" 100 1700 300 200 \
    --window "Far left" -2500 100 300 200 --window "Near" 100 400 300 200 || exit 1
read -r far_right far_below far_left near <<<"$SAMPLE_HANDLES"
start_wideroom first
wait_wideroom_ready || exit 1

# --- opening: topmost, with the engine's settings ---------------------------
expect "the settings command opens the dialog, visible and topmost" open_settings
[ -n "$DIALOG" ] || exit 1
expect_eq "dialog shows its caption" "Wideroom 設定" "$(settool text "$DIALOG")"
# The six edits | the six sliders | Shift Ctrl move-maximized keep-maximized scroll page.
defaults="5 5 1 64 30 25 | 5 5 1 64 30 25 | 0 0 1 0 1 0"
expect_values "dialog opens with the engine's settings" "$defaults"

# --- "+" and "-" step a slider by one within its range; its edit follows ----
# name | slider | position before | button | position after
nudges=(
    "hScale + at the top keeps 10|1030|10|1043|10"
    "interval - at the bottom keeps 10|1034|10|1052|10"
    "naviDivisor - at the bottom keeps 5|1035|5|1054|5"
    "minStep + steps up|1032|1|1047|2"
    "maxStep - steps down|1033|64|1050|63"
)
edit_shows() { [ "$(settool text "$DIALOG" "$1")" = "$2" ]; }
for row in "${nudges[@]}"; do
    IFS='|' read -r name slider before button after <<<"$row"
    settool drag "$DIALOG" "$slider" "$before"
    settool click "$DIALOG" "$button"
    expect_eq "$name: slider" "$after" "$(settool pos "$DIALOG" "$slider")"
    # Each slider's edit has the id 7 below the slider's.
    expect "$name: edit follows" retry 5 edit_shows $((slider - 7)) "$after"
done

# --- cancel drops every change ---------------------------------------------
settool drag "$DIALOG" 1035 40
expect_eq "dragging the divisor slider updates its edit" 40 "$(settool text "$DIALOG" 1028)"
settool click "$DIALOG" 1019
expect "cancel closes the dialog" settool nodialog --timeout 5000
expect_eq "cancel leaves the map size" "204 153" "$(navigator_client)"
open_settings || exit 1
expect_values "after cancel the dialog shows the engine's settings again" "$defaults"

# --- apply: 3 x 4 screens at 1/50 ---------------------------------------------
# Away from its default corner first, so that a resize that moves it shows.
navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe)
drv move "$(echo "$navi" | col 1)" 300 200
navi_before=$(drv find --title "Wideroom Navigator" --process wideroom.exe)
expect_eq "before apply the navigator is pinned (shown) and topmost at 300, 200" "$(printf '1\t1\t300\t200')" \
    "$(echo "$navi_before" | col 3,5-7)"
settool drag "$DIALOG" 1030 4
settool click "$DIALOG" 1044
settool drag "$DIALOG" 1031 4
settool drag "$DIALOG" 1035 50
applied="3 4 1 64 30 50 | 3 4 1 64 30 50"
expect_values "the edits show the new values before apply" "$applied | 0 0 1 0 1 0"
settool click "$DIALOG" 1017
expect "apply closes the dialog" settool nodialog --timeout 5000
# 3 x 1024 / 50 by 4 x 768 / 50: narrower than a caption usually allows.
expect_eq "apply fits the navigator's client area to the new map" "61 61" "$(navigator_client)"
# Longer than the hide delay: a navigator that apply unpinned would be gone.
sleep 1.5
navi_after=$(drv find --title "Wideroom Navigator" --process wideroom.exe)
expect_eq "the navigator keeps its place, pinned and topmost" "$(echo "$navi_before" | col 3,5-7)" \
    "$(echo "$navi_after" | col 3,5-7)"
# The view stays at (2048, 1536), now the bottom-right screen of a 3072 x 3072
# desktop, which spans screen columns -2048 to 1024 and rows -1536 to 1536.
# window | name | rectangle after
refits=(
    "$far_right|beyond the new right border comes back to it|724 100 1024 300"
    "$far_below|beyond the new bottom border comes back to it|100 1336 400 1536"
    "$far_left|beyond the left border comes back to it|-2048 100 -1748 300"
    "$near|inside the smaller desktop stays|100 400 400 600"
)
for row in "${refits[@]}"; do
    IFS='|' read -r handle name rect <<<"$row"
    expect_eq "apply re-fits: a window $name" "$rect" "$(drv rect "$handle")"
done

# --- nothing scrolls while the dialog is open --------------------------------
open_settings || exit 1
near_at=$(drv rect "$near")
drv cursor 0 384
sleep 1.5
expect_eq "the pointer at an edge scrolls nothing while the dialog is open" "$near_at" "$(drv rect "$near")"
menu_command "$CMD_SETTINGS"
expect "the settings command closes the open dialog" settool nodialog --timeout 5000
expect "scrolling resumes once the dialog is closed" retry 10 moved_from "$near" "$near_at"
drv cursor 512 384
wait_still "$near" "$far_right"

# --- save: the settings file ---------------------------------------------------
open_settings || exit 1
expect_values "the dialog shows the applied settings" "$applied | 0 0 1 0 1 0"
for id in 1041 1057 1059; do settool click "$DIALOG" "$id"; done
expect_values "Ctrl, keep maximized windows and page mode are chosen" "$applied | 0 1 0 1 0 1"
settool click "$DIALOG" 1018
expect "save closes the dialog" settool nodialog --timeout 5000
cfg=$E2E_CWD/Wideroom.cfg
saved="52 64 20 3 4 1 64 50 30 1 0 1 0"
expect_eq "save writes a 2612-byte settings file" 2612 "$(stat -c %s "$cfg" 2>/dev/null)"
# header | hScale vScale minStep maxStep naviDivisor interval needCtrl needShift pageMode moveMaximized
expect_eq "the file holds the saved settings" "$saved" "$(read_words "$cfg" | cut -d' ' -f1-13)"
expect_eq "the file holds an empty fixed-window list" 0 "$(nonzero_bytes "$cfg" 52 2560)"
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "first run exits with code 0" 0 "$WR_RC"

# --- the next start loads the file ----------------------------------------------
start_sample --window "Off right" 3000 500 300 200 --window "Off above left" -2000 -1500 300 200 \
    --window "Low" 100 700 300 200 || exit 1
read -r off_right off_left low <<<"$SAMPLE_HANDLES"
start_wideroom second
wait_wideroom_ready || exit 1
expect_eq "the next start sizes the navigator from the saved settings" "61 61" "$(navigator_client)"
open_settings || exit 1
expect_values "the next start's dialog shows the saved settings" "$applied | 0 1 0 1 0 1"

# --- exit with the dialog open ----------------------------------------------------
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "exit with the dialog open ends with code 0" 0 "$WR_RC"
# The work area ends at the taskbar (y 748).
# window | name | left top after
gathered=(
    "$off_right|far to the right comes to the right edge|724 500"
    "$off_left|far above left comes to the top-left corner|0 0"
    "$low|below the work area comes up to its bottom|100 548"
)
for row in "${gathered[@]}"; do
    IFS='|' read -r handle name place <<<"$row"
    expect_eq "exit with the dialog open gathers: a window $name" "$place" "$(origin "$handle")"
done
expect_eq "the settings file is left as saved" "$saved" "$(read_words "$cfg" | cut -d' ' -f1-13)"
