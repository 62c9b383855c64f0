#!/usr/bin/env bash
# The options dialog in both languages, every control's text read back,
# start with Windows and the language choice. The check box writes the Run entry (the exe's
# quoted path, read back with reg query) at OK and removes it again; cancel
# changes nothing. The language buttons show the options file's choice, and
# a choice saved with the settings speaks at the next start.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
run_entry() {
    "$WE_WINE" reg query "$run_key" /v Wideroom 2>/dev/null | tr -d '\r' |
        awk '$1 == "Wideroom" { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}
exe_win=$(echo "$E2E_EXE" | sed 's|/|\\|g; s|^|Z:|')

# open_options: the options dialog over a fresh settings dialog; OPTIONS is
# its handle.
open_options() {
    open_settings || return 1
    settool click "$DIALOG" 1060 --post
    OPTIONS=$(settool msgbox "$DIALOG" --timeout 10000 | cut -f1)
    [ -n "$OPTIONS" ]
}
close_all() {
    settool click "$DIALOG" 1019
    settool nodialog --timeout 5000
}
for lang in ja en; do
    use_language "$lang"
    start_wideroom "options-$lang"
    wait_wideroom_ready || exit 1
    open_options || exit 1
    if [ "$lang" = ja ]; then
        caption="Wideroom 詳細設定" button="詳細設定..."
    else
        caption="Wideroom Options" button="Options..."
    fi
    expect_eq "$lang: the settings dialog's options button" "$button" "$(settool text "$DIALOG" 1060)"
    expect_eq "$lang: the options dialog's caption" "$caption" "$(settool text "$OPTIONS")"
    expect_eq "$lang: every control of the options dialog and its text" "$(expected_options_controls "$lang")" \
        "$(settool controls "$OPTIONS")"
    screenshot "options-$lang.png"
    expect_eq "$lang: the language button of the file is on" "$([ "$lang" = ja ] && echo 0 1 0 || echo 0 0 1)" \
        "$(for id in 1140 1141 1142; do settool checked "$OPTIONS" "$id"; done | tr '\n' ' ' | sed 's/ $//')"

    # Start with Windows: OK writes the entry, cancel leaves it, OK again removes it.
    expect_eq "$lang: no Run entry at first" "" "$(run_entry)"
    settool click "$OPTIONS" 1143
    settool click "$OPTIONS" 1 --post
    settool nomsgbox "$DIALOG" --timeout 5000
    expect_eq "$lang: OK with the box checked writes the exe's quoted path" "\"$exe_win\"" "$(run_entry)"
    settool click "$DIALOG" 1060 --post
    OPTIONS=$(settool msgbox "$DIALOG" --timeout 10000 | cut -f1)
    expect_eq "$lang: the box shows the entry" 1 "$(settool checked "$OPTIONS" 1143)"
    settool click "$OPTIONS" 1143
    settool click "$OPTIONS" 2 --post
    settool nomsgbox "$DIALOG" --timeout 5000
    expect_eq "$lang: cancel leaves the entry" "\"$exe_win\"" "$(run_entry)"
    settool click "$DIALOG" 1060 --post
    OPTIONS=$(settool msgbox "$DIALOG" --timeout 10000 | cut -f1)
    settool click "$OPTIONS" 1143
    settool click "$OPTIONS" 1 --post
    settool nomsgbox "$DIALOG" --timeout 5000
    expect_eq "$lang: OK with the box cleared removes it" "" "$(run_entry)"
    close_all
    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$lang: exit code" 0 "$WR_RC"
done

# The language chosen in the dialog and saved speaks at the next start.
use_language ja
start_wideroom choose
wait_wideroom_ready || exit 1
open_options || exit 1
settool click "$OPTIONS" 1142
settool click "$OPTIONS" 1 --post
settool nomsgbox "$DIALOG" --timeout 5000
settool click "$DIALOG" 1018
settool nodialog --timeout 5000
expect "save writes the language into the options file" grep -q '^Language=en' "$E2E_CWD/Wideroom.ini"
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
start_wideroom chosen
wait_wideroom_ready || exit 1
open_settings || exit 1
expect_eq "the next start speaks English" "Wideroom Settings" "$(settool text "$DIALOG")"
close_all
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "exit code" 0 "$WR_RC"
