#!/usr/bin/env bash
# The options file's language against the system's: on a Japanese system
# Language=en gives the English texts and Language=ja (or auto) the Japanese
# ones; a value it does not know, or a damaged file, counts as auto.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
set_begin

# speaks INI LANG WHAT: with that options file, the settings dialog, a
# refusal and the about box come in LANG.
speaks() {
    printf '%b' "$1" >"$E2E_CWD/Wideroom.ini"
    texts "$2"
    start_wideroom "$2"
    wait_wideroom_ready || return 1
    open_settings || return 1
    expect_eq "$3: the settings dialog" "$T_CAPTION" "$(settool text "$DIALOG")"
    expect_eq "$3: its controls" "$(expected_dialog_controls "$2")" "$(settool controls "$DIALOG")"
    settool fix "$DIALOG" 0
    settool select "$DIALOG" 1036 0
    settool click "$DIALOG" 1038 --post
    local box
    box=$(settool msgbox "$DIALOG" --timeout 10000)
    expect_eq "$3: the refusal" "$(printf '%s\t%s' "$T_DUP_CAPTION" "$T_DUP_TEXT")" "$(echo "$box" | cut -f2,3)"
    settool click "$(echo "$box" | cut -f1)" 1
    settool click "$DIALOG" 1019
    settool nodialog --timeout 5000
    menu_command "$CMD_ABOUT"
    local about
    about=$(settool about --timeout 10000)
    expect_eq "$3: the about box" "$T_ABOUT" "$(settool text "$about")"
    press "$VK_RETURN"
    settool noabout --timeout 5000
    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$3: exit code" 0 "$WR_RC"
}

start_sample --window "one" 200 200 300 200 || exit 1
# options file | language | what
rows=(
    '[General]\r\nLanguage=en\r\n|en|Language=en on a Japanese system'
    '[Edges]\nDwellMs=300\n[General]\nLanguage = ja\n|ja|Language=ja among other sections'
    '[General]\r\nLanguage=auto\r\n|ja|Language=auto'
    '[General]\r\nLanguage=klingon\r\n|ja|an unknown language'
    '\x00\xff\xfe[General\x01Language=en|ja|a damaged file'
)
for row in "${rows[@]}"; do
    IFS='|' read -r ini lang what <<<"$row"
    speaks "$ini" "$lang" "$what"
done
