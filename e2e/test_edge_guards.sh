#!/usr/bin/env bash
# The edge guards of "Wideroom.ini" with real pointer input (xdotool), one
# program start each: a dwell lets a short touch pass and a hold scroll; the
# corner band lets the corner be reached; an edge switched off never
# scrolls; the page pause allows at most one page a second; and a notepad
# window dragged by its title bar to the right edge stays under the pointer
# while the other windows scroll, and afterwards stands on the new part of
# the virtual desktop.
source "$(dirname "$0")/opt_lib.sh"
opt_begin
sample=$SAMPLE

# with_options NAME INI: a fresh start with that options file (and the
# settings file of the moment).
with_options() {
    write_ini "$2"
    start_wideroom "$1"
    wait_wideroom_ready
}

end_run() {
    pointer_to 512 384
    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$1: exit code" 0 "$WR_RC"
}

# touch X Y SECONDS: the pointer rests at (X, Y) that long and goes back to
# the middle, timed by one xdotool run.
touch() {
    xdotool mousemove "$1" "$2" sleep "$3" mousemove 512 384
}

# still_after H RECT: window H still has RECT once the tick has had time to act.
still_after() {
    sleep 0.5
    [ "$(drv rect "$1")" = "$2" ]
}

# --- dwell 300 ms and a corner band of 40 pixels ---------------------------------
with_options guards '[Edges]\r\nDwellMs=300\r\nCornerPx=40\r\n' || exit 1
start=$(drv rect "$sample")
touch 1023 300 0.15
expect "dwell 300: a 150 ms touch of the right edge moves nothing" still_after "$sample" "$start"
touch 1023 10 1.2
expect "corner 40: a hold at (1023, 10) moves nothing" still_after "$sample" "$start"
touch 1023 300 1
expect "dwell 300: a 1 s hold at (1023, 300) scrolls" retry 5 moved_from "$sample" "$start"
wait_still "$sample"
end_run guards

# --- the right edge switched off ----------------------------------------------------
with_options right-off '[Edges]\r\nRight=0\r\n' || exit 1
start=$(drv rect "$sample")
touch 1023 300 1.5
expect "Right=0: the right edge never scrolls" still_after "$sample" "$start"
touch 0 300 0.5
expect "Right=0: the left edge still scrolls" retry 5 moved_from "$sample" "$start"
wait_still "$sample"
end_run right-off

# --- the page pause: pages in a 2.5 s hold ---------------------------------------------
# 10 x 5 screens in page mode: four pages to the right border from the start.
write_settings "$E2E_CWD/Wideroom.cfg" 10 5 1 64 25 30 0 0 1 1
# pages_in_hold NAME INI: the pages of a 2.5 s hold of the right edge, the
# pointer put back on the edge whenever a page took it to the centre.
pages_in_hold() {
    with_options "$1" "$2" || return 1
    local start_x end_x args=()
    start_x=$(drv rect "$sample" | cut -d' ' -f1)
    for _ in $(seq 12); do args+=(mousemove 1023 300 sleep 0.13 mousemove 600 384 sleep 0.08); done
    xdotool "${args[@]}"
    wait_still "$sample"
    end_x=$(drv rect "$sample" | cut -d' ' -f1)
    PAGES=$(((start_x - end_x) / 1024))
    end_run "$1"
}
pages_in_hold no-pause '' || exit 1
expect_eq "page mode without a pause: the hold pages to the border" 4 "$PAGES"
pages_in_hold pause '[Edges]\r\nPagePauseMs=1000\r\n' || exit 1
expect "PagePauseMs=1000: a 2.5 s hold gives 1 to 3 pages (got $PAGES)" test "$PAGES" -ge 1 -a "$PAGES" -le 3
rm -f "$E2E_CWD/Wideroom.cfg"

# --- carrying a dragged notepad window -------------------------------------------------
# Apart from the sample window, so that no press lands on its frame, and clear
# of the navigator at the top left: shown while the view moves, it stays on
# top (it is never activated), and a press in it moves the view.
drv move "$sample" 600 450
start_stranger notepad 300 220 || exit 1
notepad=$STRANGER_HANDLE
drv move "$notepad" 300 220 400 250
with_options carry '[Edges]\r\nCarryDraggedWindow=1\r\n' || exit 1
read -r nl nt _ _ <<<"$(drv rect "$notepad")"

# A plain press dragged to the edge (a selection in notepad's text) scrolls
# nothing. The hand takes its time, as a user's does; and the pointer leaves
# the edge well before the release: a tick that read the pointer at the edge
# just before and the button just after a release would scroll one step, as
# it should with the button up.
start=$(drv rect "$sample")
xdotool mousemove $((nl + 100)) $((nt + 150)) mousedown 1 sleep 0.2 mousemove 700 250 sleep 0.2 \
    mousemove 1023 250 sleep 1.2 mousemove 700 250 sleep 0.3 mouseup 1
expect "a plain left-button drag to the edge scrolls nothing" still_after "$sample" "$start"
expect_eq "nor moves the window pressed" "$nl $nt" "$(drv rect "$notepad" | cut -d' ' -f1,2)"
pointer_to 512 384
sample_before=$(drv rect "$sample")
read -r sbl _ _ _ <<<"$sample_before"

# Grab the title bar 100 pixels in, drag to the right edge in steps and hold
# it there until the view reaches the desktop's right border (2048 pixels
# from the middle), so that nothing moves when it is let go at the edge.
grab_x=$((nl + 100)) grab_y=$((nt + 10))
xdotool mousemove "$grab_x" "$grab_y" mousedown 1 sleep 0.3
for x in 300 500 700 900 1023; do xdotool mousemove "$x" "$grab_y" sleep 0.1; done
expect "while held at the edge the other windows scroll" retry 5 moved_from "$sample" "$sample_before"
held=$(drv rect "$notepad")
wait_still "$sample"
read -r sl _ _ _ <<<"$(drv rect "$sample")"
expect_eq "the others scrolled to the border" $((sbl - 2048)) "$sl"
expect_eq "the dragged window stayed under the pointer" "$held" "$(drv rect "$notepad")"
read -r hl _ _ _ <<<"$held"
expect_eq "the pointer still holds the title bar where it was grabbed" 100 "$((1023 - hl))"
xdotool mouseup 1 mousemove 512 384
wait_still "$sample" "$notepad"
expect_eq "after the release it stands where it was let go" "$held" "$(drv rect "$notepad")"
# Its place on the virtual desktop moved with the view: a scroll now moves it
# with the others and keeps it beside them as they stood.
offset=$((hl - sl))
touch 0 300 0.3
wait_still "$sample" "$notepad"
read -r al _ _ _ <<<"$(drv rect "$notepad")"
read -r bl _ _ _ <<<"$(drv rect "$sample")"
expect "a later scroll moves it" test "$al" -ne "$hl"
expect_eq "and keeps it beside the others" "$offset" "$((al - bl))"

end_run carry
