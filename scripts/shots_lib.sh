# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# The pictures of a running Wideroom, shared by make run (scripts/run.sh) and
# the README's pictures (scripts/docs_pictures.sh). Source after wine-env.sh,
# with the Wine prefix and an X display up; `drv` runs wrdriver.exe, and
# SHOTS_SAMPLE and SHOTS_SETTOOL name wrsample.exe and wrsettool.exe.

# shots_clients DIR: windows to move: our own (one with a Japanese title,
# escaped so that no conversion of the command line can touch it) and two of
# Wine's, their output in DIR.
shots_clients() {
    we_start "$1/sample.out" "$1/sample.err" "$SHOTS_SAMPLE" --window "Sample 1" 120 300 360 240 \
        --window '\u30b5\u30f3\u30d7\u30eb 2' 560 420 360 240
    we_start /dev/null /dev/null 'C:\windows\system32\notepad.exe'
    we_start /dev/null /dev/null 'C:\windows\system32\winemine.exe'
    # Wine's virtual desktop draws the window last activated above the
    # always-on-top navigator: keep the clients clear of its corner.
    local place=(notepad.exe 250 200 winemine.exe 760 220) i client
    for ((i = 0; i < ${#place[@]}; i += 3)); do
        client=$(drv find --process "${place[i]}" --visible --timeout 30000 | cut -f1)
        [ -n "$client" ] && drv move "$client" "${place[i + 1]}" "${place[i + 2]}"
    done
}

# shots_start EXE DIR: starts Wideroom in the current directory, output in
# DIR; SHOTS_PID is its pid, SHOTS_MAIN its command window. Waits for the
# map pane's tooltip, the last thing start-up creates.
shots_start() {
    we_start "$2/wideroom.out" "$2/wideroom.err" "$1"
    SHOTS_PID=$WE_PID
    drv find --class tooltips_class32 --process wideroom.exe --timeout 30000 >/dev/null || return 1
    SHOTS_MAIN=$(drv find --class Wideroom --process wideroom.exe --timeout 10000 | cut -f1)
}

shots__shot() {
    import -window root "$1" && echo "screenshot: $1"
}

# shots__window FILE HANDLE: a picture of that window alone.
shots__window() {
    local l t r b
    [ -n "$2" ] || return 1
    sleep 0.5
    read -r l t r b <<<"$(drv rect "$2")"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$1" && echo "screenshot: $1"
}

# The settings dialog, the about box (wrsettool knows both languages' titles)
# and the help window.
shots__settings() { "$WE_WINE" "$SHOTS_SETTOOL" dialog --timeout 10000; }
shots__about() { "$WE_WINE" "$SHOTS_SETTOOL" about --timeout 10000; }
shots__help() { drv find --class 'HH Parent' --process wideroom.exe --visible --timeout 20000 | cut -f1; }

shots__key() { drv key down "$1" && drv key up "$1"; }

# shots_all DIR SUFFIX: every picture of the running program into DIR, each
# named NAME$SUFFIX.png: the desktop at start, the navigator over the
# desktop after a push against the right edge, the settings and options
# dialogs, the about box, the tray menu and the help window; then ends the program through its
# exit command and takes the desktop once more. SHOTS_RC is its exit code.
shots_all() {
    local dir=$1 s=$2
    sleep 1
    shots__shot "$dir/started$s.png"
    # A second against the right edge scrolls every window to the left, some
    # of them off the screen: the navigator shows where they went.
    drv cursor 1023 384
    sleep 1.2
    drv cursor 512 384
    sleep 0.5
    shots__shot "$dir/scrolled$s.png"

    # The settings dialog, opened and closed again as its menu item does.
    drv post "$SHOTS_MAIN" 273 40002 0
    local settings options
    settings=$(shots__settings)
    shots__window "$dir/settings$s.png" "$settings"
    # Its options dialog, over it, closed again by its cancel button.
    if [ -n "$settings" ]; then
        "$WE_WINE" "$SHOTS_SETTOOL" click "$settings" 1060 --post
        options=$("$WE_WINE" "$SHOTS_SETTOOL" msgbox "$settings" --timeout 10000 | cut -f1)
        shots__window "$dir/options$s.png" "$options" && drv post "$options" 273 2 0
        "$WE_WINE" "$SHOTS_SETTOOL" nomsgbox "$settings" --timeout 10000
    fi
    drv post "$SHOTS_MAIN" 273 40002 0
    "$WE_WINE" "$SHOTS_SETTOOL" nodialog --timeout 10000

    drv post "$SHOTS_MAIN" 273 40015 0
    shots__window "$dir/about$s.png" "$(shots__about)"
    shots__key 13
    "$WE_WINE" "$SHOTS_SETTOOL" noabout --timeout 10000

    # The tray menu: a right click on the icon, the first at the taskbar's
    # right end; failing that, the message such a click sends.
    xdotool mousemove 1013 758 click 3
    if ! drv find --class '#32768' --visible --timeout 3000 >/dev/null; then
        drv post "$SHOTS_MAIN" 50001 0 516
    fi
    local menu l t
    if menu=$(drv find --class '#32768' --visible --timeout 10000); then
        sleep 0.3
        # The menu and the notification area below it.
        read -r l t <<<"$(echo "$menu" | head -n 1 | cut -f6,7 | tr '\t' ' ')"
        l=$((l < 20 ? 0 : l - 20)) t=$((t < 20 ? 0 : t - 20))
        import -window root -crop "$((1024 - l))x$((768 - t))+$l+$t" +repage "$dir/tray-menu$s.png" &&
            echo "screenshot: $dir/tray-menu$s.png"
    fi
    shots__key 27
    drv gone --class '#32768' --visible --timeout 5000
    drv cursor 512 384

    drv post "$SHOTS_MAIN" 273 40017 0
    local help
    help=$(shots__help)
    if shots__window "$dir/help$s.png" "$help"; then
        drv post "$help" 16 0 0
        drv gone --class 'HH Parent' --visible --timeout 10000
    fi

    drv post "$SHOTS_MAIN" 273 40003 0
    if ! we_wait_exit "$SHOTS_PID" 30; then
        echo "Wideroom did not end within 30 s" >&2
        SHOTS_RC=1
        return 1
    fi
    SHOTS_RC=$WE_RC
    shots__shot "$dir/ended$s.png"
}
