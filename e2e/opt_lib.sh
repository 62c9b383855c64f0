# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Helpers of the options dialog and edge guard tests, with those of lib.sh,
# set_lib.sh and scroll_lib.sh (sourced here). wropttool drives the options
# dialog's real controls.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/set_lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/scroll_lib.sh"

OPT_TOOL=$E2E_WIN64/wropttool.exe
# The options dialog's controls.
ID_OPTIONS_BUTTON=1060
ID_DWELL=1101
ID_DWELL_SPIN=1102
ID_CORNER=1103
ID_PAUSE=1105
ID_LEFT=1107
ID_RIGHT=1108
ID_TOP=1109
ID_BOTTOM=1110
ID_CARRY=1111
ID_OK=1
ID_CANCEL=2
ID_SAVE=1018

opttool() {
    "$WE_WINE" "$OPT_TOOL" "$@"
}

# Opens the options dialog from the open settings dialog DIALOG; OPTIONS is
# its handle, OPTIONS_OWNER its owner.
open_options() {
    settool click "$DIALOG" "$ID_OPTIONS_BUTTON" --post || return 1
    local record
    record=$(opttool dialog --timeout 10000) || return 1
    OPTIONS=$(echo "$record" | col 1)
    OPTIONS_OWNER=$(echo "$record" | col 2)
}

# Closes it with OK or cancel and waits until it is gone.
close_options() {
    settool click "$OPTIONS" "$1" --post && opttool nodialog --timeout 10000
}

# write_ini TEXT: the options file, as printf prints TEXT.
write_ini() {
    # shellcheck disable=SC2059
    printf "$1" >"$E2E_CWD/Wideroom.ini"
}

# opt_begin: the test's X server and Wine prefix, the pointer in the middle
# and a sample window "Sample" at (300, 300); SAMPLE is its handle.
opt_begin() {
    set_begin
    pointer_to 512 384
    start_sample --window "Sample" 300 300 300 200 || exit 1
    SAMPLE=${SAMPLE_HANDLES%% *}
}
