#!/usr/bin/env bash
# The placement file across runs: the navigator's mode and place are taken
# from a record written on this screen size and ignored otherwise (the place
# also when it lies on no monitor), and the file written at exit holds the
# navigator's last place, hidden or not.
source "$(dirname "$0")/lib.sh"
e2e_begin

# name | placement file before (words) | navigator visible | left top |
# moved to before the exit (- for not moved) | placement file after
cases=(
    "record from another screen size is ignored|24 1280 1024 1 500 400|1|0 0|-|24 1024 768 2 0 0"
    "record of another size is ignored|25 1024 768 1 500 400|1|0 0|-|24 1024 768 2 0 0"
    # A navigator saved as "shown while scrolling" comes back hidden, in mode 0,
    # at its place; moved while hidden, the file gets its place at the exit.
    "hidden navigator moved before the exit is written at its new place|24 1024 768 1 100 120|0|100 120|150 170|24 1024 768 0 150 170"
    "pinned navigator opens at its saved place|24 1024 768 2 640 480|1|640 480|-|24 1024 768 2 640 480"
    # A place on no monitor would leave the navigator out of reach: it opens
    # at the top-left corner of the work area.
    "place on no monitor is not used|24 1024 768 2 2000 100|1|0 0|-|24 1024 768 2 0 0"
)

# Away from the edges, so that nothing shows the navigator.
drv cursor 512 384

for row in "${cases[@]}"; do
    IFS='|' read -r name before visible place moved after <<<"$row"
    # shellcheck disable=SC2086
    write_words "$E2E_CWD/Wideroom.prv" $before
    rm -f "$E2E_CWD/Wideroom.cfg"
    if ! start_wideroom_ready placement; then
        fail "$name: the program did not finish starting"
        we_stop "$WR_PID"
        continue
    fi
    navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000)
    expect_eq "$name: navigator visible" "$visible" "$(echo "$navi" | col 3)"
    expect_eq "$name: navigator place" "$place" "$(echo "$navi" | col 6,7 | tr '\t' ' ')"
    if [ "$moved" != - ]; then
        # shellcheck disable=SC2086
        drv move "$(echo "$navi" | col 1)" $moved
        expect_eq "$name: navigator moved" "$moved" "$(drv rect "$(echo "$navi" | col 1)" | cut -d' ' -f1,2)"
    fi
    post_exit_command
    wait_wideroom_exit 30
    expect_eq "$name: exit code" 0 "$WR_RC"
    expect_eq "$name: placement file at exit" "$after" "$(read_words "$E2E_CWD/Wideroom.prv")"
    we_stop "$WR_PID"
done
