#!/usr/bin/env bash
# The real desktop under Wine, on one program start. Notepad has the focus and
# keeps it while the program starts, while an edge contact shows the navigator
# and scrolls, while the tray icon pins the navigator and while a press in its map
# moves the view: what is typed meanwhile lands in notepad. Windows that belong
# to the screen (a second monitor's taskbar, the stand-in of a hung window, a
# topmost click-through overlay, a topmost widget that is never activated)
# stay where they are while notepad scrolls; a window the user made topmost
# scrolls with it. The wheel over the map moves the view while notepad has
# the focus. A borderless window covering the screen in front pauses the
# edges: nothing scrolls and the navigator stays hidden.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
source "$(dirname "$0")/set_lib.sh"
source "$(dirname "$0")/nav_lib.sh"
e2e_begin

start_stranger notepad 120 80 || exit 1
notepad=$STRANGER_HANDLE
start_sample --class Shell_SecondaryTrayWnd --window "second taskbar" 0 560 400 30 \
    --class Ghost --window "ghost" 560 60 200 120 \
    --class WrSample --window "overlay" 300 330 200 120 --overlay \
    --window "widget" 800 200 150 100 --widget \
    --window "made topmost" 560 360 200 120 --topmost || exit 1
read -r tray2 ghost overlay widget topmost <<<"$SAMPLE_HANDLES"
name_windows "$notepad" notepad "$tray2" "second taskbar" "$ghost" ghost "$overlay" overlay \
    "$widget" widget "$topmost" "window made topmost"
screen_windows="$tray2 $ghost $overlay $widget"

# The navigator hidden at start, below the windows.
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.ini"
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 0 780 420

# What notepad holds: the length of its edit control's text.
notepad_edit=$(drv children "$notepad" | grep -P '^child\t' | awk -F'\t' '$13 == "Edit" { print $2 }' | head -n 1)
typed_length() {
    drv send "$notepad_edit" 14 0 0
}
# typed N: notepad holds N characters (typing under load may land late).
typed() {
    [ "$(typed_length)" = "$1" ]
}
# The tray icon's left click, as the taskbar reports it: pins or unpins.
tray_click() {
    drv post "$MAIN_WINDOW" "$WM_TRAYICON" 0 513
}
type_text() {
    focus_wine_desktop || return 1
    xdotool type --delay 40 "$1"
    sleep 0.5
}
notepad_at() { [ "$(origin "$notepad")" = "$1 $2" ]; }

# Notepad gets the focus by a click into its text.
focus_wine_desktop
xdotool mousemove 300 200 click 1
sleep 0.5
pointer_to 512 384

start_wideroom_ready screen || exit 1
# The view starts at (2048, 1536): notepad's origin then tells where it is.
read -r home_x home_y <<<"$(origin "$notepad")"
type_text ab
expect "the start leaves the focus with notepad" retry 5 typed 2

# --- an edge contact: the navigator shows, notepad keeps the focus ----------
# shellcheck disable=SC2086
screen_start=$(origins $screen_windows)
notepad_start=$(origin "$notepad")
topmost_start=$(origin "$topmost")
xdotool mousemove 1023 300 sleep 0.4 mousemove 512 384
wait_still "$notepad"
type_text cd
expect "an edge contact leaves the focus with notepad" retry 5 typed 4
expect "notepad scrolled" test "$(origin "$notepad")" != "$notepad_start"
expect "the window made topmost scrolled with it" test "$(origin "$topmost")" != "$topmost_start"
# shellcheck disable=SC2086
expect_eq "the screen's windows stayed where they were" "$(named "$screen_start")" "$(named "$(origins $screen_windows)")"

# --- the pinned navigator: a press in its map moves the view ----------------
tray_click
nav_wait_started || exit 1
expect "a click on the tray icon pins the navigator" retry 10 nav_is_visible "$NAV_FRAME"
type_text ef
expect "pinning leaves the focus with notepad" retry 5 typed 6
# A press 150 px left of and 100 px above the screen's middle (1/25 of the
# virtual desktop per map pixel): notepad, which the edge contact took to the
# left, comes back that much. It must stay on the screen: under Wine a window
# moved wholly off the virtual desktop loses the keyboard.
read -r nx ny <<<"$(origin "$notepad")"
notepad_start="$nx $ny"
nav_point_map $(((2048 + home_x - nx + 512 - 150) / 25)) $(((1536 + home_y - ny + 384 - 100) / 25))
xdotool click 1
pointer_to 512 384
wait_still "$notepad"
expect "a press in the map moves the view" test "$(origin "$notepad")" != "$notepad_start"
type_text gh
expect "a press in the map leaves the focus with notepad" retry 5 typed 8
# The wheel over the map, notepad still in front: one notch down, one screen.
read -r nx ny <<<"$(origin "$notepad")"
nav_point_map 100 75
sleep 0.5
xdotool click 5
expect "the wheel over the map moves the view while notepad has the focus" \
    retry 10 notepad_at "$nx" $((ny - 768))
pointer_to 512 384
tray_click
expect "a second click hides the navigator" retry 10 nav_is_hidden "$NAV_FRAME"

# --- a full-screen window in front pauses the edges --------------------------
start_sample --window "full screen" 0 0 1024 768 --borderless --foreground || exit 1
fullscreen=${SAMPLE_HANDLES%% *}
sleep 1
notepad_start=$(origin "$notepad")
xdotool mousemove 1023 300 sleep 1.5
expect "with a full-screen window in front the navigator stays hidden" nav_is_hidden "$NAV_FRAME"
pointer_to 512 384
sleep 0.5
expect_eq "with a full-screen window in front nothing scrolls" "$notepad_start" "$(origin "$notepad")"
expect_eq "nor does the full-screen window" "0 0" "$(origin "$fullscreen")"

exit_wideroom
expect_eq "exit code" 0 "$WR_RC"
