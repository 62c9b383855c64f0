#!/usr/bin/env bash
# The help files and the help command. From Linux, with chmcmd's companion
# chmls: each compiled file holds every page, and its table of contents lists
# them by their names in its language. Under Wine: the help command opens the
# help window of the file of the program's language (Japanese on a Japanese
# system, English on an English one), titled as that file says;
# an exe without help files beside it opens nothing and goes on running.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"

pages="commands.html exit.html files.html help.css index.html keys.html monitors.html settings.html toc.hhc tray.html"
# file | language | code page | the contents' names
books=(
    "Wideroom.chm|ja|CP932|Wideroom でできること,トレイアイコン、メニュー、ナビゲータ,設定と詳細設定,キー,コマンドライン (wideroomc),モニタと画面サイズ,ファイル,終了と異常終了からの回復"
    "Wideroom-en.chm|en|CP1252|What Wideroom does,The tray icon, the menu and the navigator,Settings and options,Keys,Command line (wideroomc),Monitors and screen size,Files,Exit and crash recovery"
)
set_begin

for row in "${books[@]}"; do
    IFS='|' read -r file lang codepage names <<<"$row"
    chm=$E2E_WIN64/$file
    listed=$(chmls -n list "$chm" 2>/dev/null | grep -E '^/[a-z]+\.(html|css|hhc)$' | sed 's|^/||' | sort | tr '\n' ' ')
    expect_eq "$file holds every page" "$pages" "${listed% }"
    chmls extracttoc "$chm" "$E2E_WORK/toc-$lang.hhc" >/dev/null 2>&1
    toc=$(iconv -f "$codepage" -t UTF-8 "$E2E_WORK/toc-$lang.hhc" | sed -n 's/.*name="Name" value="\([^"]*\)".*/\1/p' |
        paste -sd, -)
    expect_eq "$file: the contents name the pages in its language" "$names" "$toc"
    # Every page of the contents is in the file.
    for local in $(iconv -f "$codepage" -t UTF-8 "$E2E_WORK/toc-$lang.hhc" | sed -n 's/.*name="Local" value="\([^"]*\)".*/\1/p'); do
        chmls extract "$chm" "/$local" "$E2E_WORK/page-$lang-$local" >/dev/null 2>&1
        expect "$file: $local has its title" grep -q '<title>[^<]' "$E2E_WORK/page-$lang-$local"
    done
    expect "$file: the keys page lists the hotkeys" grep -q '<kbd>Ctrl</kbd>+<kbd>Alt</kbd>+<kbd>Home</kbd>' \
        "$E2E_WORK/page-$lang-keys.html"
done

# help_opens LANG TITLE: started with that language, the help command opens
# a help window titled TITLE. The help viewer shows a file's title through
# the ANSI code page, so the Japanese file is opened on a Japanese system.
help_opens() {
    use_language "$1"
    start_wideroom "help-$1"
    wait_wideroom_ready || return 1
    menu_command 40017
    local window
    window=$(drv find --class "HH Parent" --process wideroom.exe --visible --timeout 20000)
    expect_eq "$1: help opens the help window of its language" "$2" "$(echo "$window" | col 13)"
    screenshot "help-$1.png"
    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$1: the program ends with code 0 after help" 0 "$WR_RC"
}
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
help_opens ja "Wideroom ヘルプ"
export LC_ALL=C.UTF-8
help_opens en "Wideroom Help"

# Without help files: a copy of the exe alone in a folder.
mkdir -p "$E2E_WORK/bare"
cp "$E2E_EXE" "$E2E_WORK/bare/wideroom.exe"
E2E_EXE=$E2E_WORK/bare/wideroom.exe
use_language en
start_wideroom bare
wait_wideroom_ready || exit 1
menu_command 40017
sleep 3
expect "help without its file opens no window" drv gone --class "HH Parent" --visible --timeout 1000
expect "and the program goes on" kill -0 "$WR_PID"
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "the program without help ends with code 0" 0 "$WR_RC"
