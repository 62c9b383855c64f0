#!/usr/bin/env bash
# Idle ticks under Wine: with the navigator hidden and the pointer away from
# the edges the program leaves the window list alone, yet what it does next
# starts from where the windows stand: the settings taken over after a window
# was moved meanwhile, and the first scroll step.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin

# Default settings, the navigator hidden (mode 0).
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 0 700 450
xdotool mousemove 512 384
# One window left of the screen (on the virtual desktop's screen to the left),
# one on it.
start_sample --window "left of the view" -900 100 300 200 --window "on the screen" 300 300 300 200 || exit 1
read -r left_window screen_window <<<"$SAMPLE_HANDLES"
# stands_at H "X Y", stands_off H "X Y": whether the window's top-left is (not) there.
stands_at() { [ "$(origin "$1")" = "$2" ]; }
stands_off() { [ "$(origin "$1")" != "$2" ]; }

start_wideroom main
wait_wideroom_ready || exit 1
# Idle for a while: nothing reads the windows now.
sleep 1.5

# Moved by someone else while nothing watches.
drv move "$left_window" -700 120
drv move "$screen_window" 250 280
sleep 1.5

# Two screens wide: the view (2048, 1536) comes back to x = 1024 and every
# window moves 1024 px right, from where it stands now (a list read before the
# move would send the first window to 124 100). Steps of 1 px from now on.
open_settings || exit 1
settool drag "$DIALOG" 1030 2
settool drag "$DIALOG" 1033 1
settool click "$DIALOG" 1017
expect "apply closes the dialog" settool nodialog --timeout 5000
expect "the window moved meanwhile goes 1024 px right of where it stands" \
    retry 10 stands_at "$left_window" "324 120"
expect_eq "the window on the screen too (then kept inside the desktop)" "724 280" "$(origin "$screen_window")"
sleep 1.5

# Idle again, the window moved again; the first scroll step (the pointer at
# the left edge, 1 px a tick) starts from there: a list read before would
# take it back to the row 280 and on from x = 724.
drv move "$screen_window" 400 300
sleep 1.5
xdotool mousemove 0 500
retry 10 stands_off "$screen_window" "400 300"
sleep 0.5
xdotool mousemove 512 384
read -r x y <<<"$(origin "$screen_window")"
expect "the scroll moved the window right from where it stood (x = $x)" test "$x" -gt 400 -a "$x" -lt 700
expect_eq "and kept its row" 300 "$y"

post_exit_command
wait_wideroom_exit 30 || fail "wideroom did not exit"
