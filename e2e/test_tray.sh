#!/usr/bin/env bash
# The tray icon and its menu with real clicks on the icon and real keys in the
# menu: a right click opens the command menu (its five lines from the menu
# resource), a left click pins and unpins the navigator; the menu's commands
# open the about box, open and close the settings dialog, call help and end
# the program. The about box ignores Esc and closes on Enter or OK.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin
# The Japanese texts, whatever Wine's own language.
use_language ja

tray_shot_settled "$E2E_WORK/tray-before.png"
# Without the HTML Help library (disabled for this process only), as on a
# system that lacks it: help must do nothing, and nothing worse.
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;hhctrl.ocx=" start_wideroom tray
wait_wideroom_ready || exit 1
icon_seen() {
    tray_shot "$E2E_WORK/tray-running.png" && ! same_picture "$E2E_WORK/tray-before.png" "$E2E_WORK/tray-running.png"
}
retry 10 icon_seen
icon=$(tray_icon_centre "$E2E_WORK/tray-before.png" "$E2E_WORK/tray-running.png")
[ -n "$icon" ] || {
    echo "no tray icon to click" >&2
    exit 1
}
read -r icon_x icon_y <<<"$icon"

# The menu as the program's resource holds it (menus cannot be read from
# another process).
expect_eq "the command menu holds help, about, settings, a separator and exit" \
    "$(printf 'popup\tコマンド\n\t40017\tヘルプ\n\t40015\tバージョン情報\n\t40002\t設定\n\t-\n\t40003\t終了')" \
    "$(settool menufile "Z:$E2E_EXE" 101 ja)"

# menu_via_icon KEY...: right click on the icon, then the keys in the menu.
menu_via_icon() {
    xdotool mousemove "$icon_x" "$icon_y" click 3 &&
        settool popup --timeout 10000 >/dev/null &&
        press "$@"
}
menu_closed() { drv gone --class '#32768' --visible --timeout 5000; }
about_open() { settool about --timeout "$1" >/dev/null; }
dialog_open() { settool dialog --timeout 10000 >/dev/null; }

# --- right click: the menu opens; Esc closes it ---------------------------------
xdotool mousemove "$icon_x" "$icon_y" click 3
popup=$(settool popup --timeout 10000)
expect "a right click on the tray icon opens the menu" test -n "$popup"
screenshot tray-menu.png
press "$VK_ESCAPE"
expect "Esc closes the menu" menu_closed

# Placed with its top-left corner at the pointer where there is room.
xdotool mousemove 300 300
drv post "$MAIN_WINDOW" "$WM_TRAYICON" 0 "$WM_RBUTTONDOWN"
expect_eq "the menu opens at the pointer" "300 300" "$(settool popup --timeout 10000 | cut -f2 | cut -d' ' -f1,2)"
press "$VK_ESCAPE"
menu_closed

# --- left click: pin and unpin ------------------------------------------------------
navigator_visible() { drv find --title "Wideroom Navigator" --process wideroom.exe | col 3; }
expect_eq "the navigator starts pinned" 1 "$(navigator_visible)"
xdotool mousemove "$icon_x" "$icon_y" click 1
hidden() { [ "$(navigator_visible)" = 0 ]; }
shown() { [ "$(navigator_visible)" = 1 ]; }
expect "a left click on the icon unpins and hides the navigator" retry 5 hidden
# Past the double-click time: two quick clicks are a double click, which does
# nothing.
sleep 1
xdotool mousemove "$icon_x" "$icon_y" click 1
expect "a second left click pins and shows it" retry 5 shown

# --- the about box ------------------------------------------------------------------------
menu_via_icon "$VK_DOWN" "$VK_DOWN" "$VK_RETURN"
about=$(settool about --timeout 10000)
expect "バージョン情報 in the menu opens the about box" test -n "$about"
screenshot about.png
# name | how | stays open (1) or closes (0)
closers=(
    "the Esc key|key $VK_ESCAPE|1"
    "the cancel command|post 2|1"
    "the Enter key|key $VK_RETURN|0"
    "the OK command|post 1|0"
)
for row in "${closers[@]}"; do
    IFS='|' read -r name how stays <<<"$row"
    if ! about_open 0; then
        menu_command "$CMD_ABOUT"
        about=$(settool about --timeout 10000)
    fi
    read -r kind value <<<"$how"
    if [ "$kind" = key ]; then press "$value"; else drv post "$about" "$WM_COMMAND" "$value" 0; fi
    if [ "$stays" = 1 ]; then
        sleep 1
        expect "the about box ignores $name" about_open 0
    else
        expect "the about box closes on $name" settool noabout --timeout 5000
    fi
done

# --- settings, twice --------------------------------------------------------------------------
menu_via_icon "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_RETURN"
expect "設定 in the menu opens the settings dialog" dialog_open
menu_via_icon "$VK_DOWN" "$VK_DOWN" "$VK_DOWN" "$VK_RETURN"
expect "設定 again closes it" settool nodialog --timeout 10000

# --- help without its library ----------------------------------------------------------------
windows_now() { drv list --visible | col 12,13 | grep -v '^tooltips_class32' | sort; }
before=$(windows_now)
menu_via_icon "$VK_DOWN" "$VK_RETURN"
menu_closed
sleep 2
expect_eq "ヘルプ without the help library opens no window" "$before" "$(windows_now)"
expect "the program runs on after ヘルプ without the help library" kill -0 "$WR_PID"

# --- exit --------------------------------------------------------------------------------------
menu_via_icon "$VK_UP" "$VK_RETURN"
wait_wideroom_exit 30
expect_eq "終了 in the menu ends the program with code 0" 0 "$WR_RC"
icon_gone() {
    tray_shot "$E2E_WORK/tray-after.png" && same_picture "$E2E_WORK/tray-before.png" "$E2E_WORK/tray-after.png"
}
expect "the tray icon is gone after exit" retry 10 icon_gone

# --- help loads the system's library only -------------------------------------------------------
# The program with a planted library of the help library's name beside it,
# where its files live; native libraries preferred, so that a search of the
# program's folder would find and load the planted one.
app=$E2E_WORK/app
mkdir -p "$app"
cp "$E2E_EXE" "$E2E_WIN64/plant/hhctrl.ocx" "$app/"
cd "$app" || exit 1
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;hhctrl.ocx=n,b" we_start "$E2E_WORK/wideroom.plant.out" \
    "$E2E_WORK/wideroom.plant.err" "$app/wideroom.exe"
WR_PID=$WE_PID
wait_wideroom_ready || exit 1
menu_command "$CMD_HELP"
sleep 2
expect "ヘルプ does not load the library planted in the program's folder" [ ! -e "$app/planted-library-loaded" ]
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "the program with a planted library ends with code 0" 0 "$WR_RC"
