#!/usr/bin/env bash
# How closely the navigator's map follows a scroll under Wine: one sample
# window, the pointer held at the right edge for a 2048 px run, and
# `wrnavtool follow` reading the viewport frame's column on the screen every
# millisecond against the view that the window's position implies.
#   bash bench/wine_map.sh <win64 build dir> <work dir>
e2e_dir=$(cd "$(dirname "$0")/../e2e" && pwd)
source "$e2e_dir/lib.sh"
e2e_begin
source "$e2e_dir/nav_lib.sh"

start_sample --window "map bench" 100 100 300 200 || exit 1
drv cursor 512 384
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_wideroom map
nav_wait_started || exit 1
window=$(drv find --title "map bench" --timeout 5000 | col 1)
pane=$(drv find --title "Wideroom Navigator" --process wideroom.exe --children | grep '^child' | head -n 1 | col 2)
sleep 1

# The frame's rows run from 61 to 90 at the start view: read row 75.
navtool follow "$pane" "$window" 2048 75 4500 >"$E2E_WORK/follow.txt" &
follower=$!
WE_PIDS+=("$follower")
sleep 0.3
xdotool mousemove 1023 300
wait "$follower"
xdotool mousemove 512 384
sed 's/^/wine_map /' "$E2E_WORK/follow.txt"

post_exit_command
wait_wideroom_exit 30
