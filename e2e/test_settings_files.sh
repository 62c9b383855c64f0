#!/usr/bin/env bash
# The two files on the real Windows file system (Wine's): a temporary file
# left read-only by a run that was cut short does not stop the saves, and a
# file the user marked read-only (attrib +r) is kept as it is, the write
# reporting 1; the program's own save and exit keep to both. A settings file
# of 10 x 10 screens at 1/5 gives a navigator as large as its map, 2048 x 1536
# on this 1024 x 768 screen, larger than the screen itself.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"
set_begin

filetool() { "$WE_WINE" "$E2E_WIN64/wrfiletool.exe" "$@" | tr -d '\r'; }
attrib() { "$WE_WINE" attrib "$@" >/dev/null 2>&1; }
no_file() { [ ! -e "$1" ]; }

# --- the safe write itself ----------------------------------------------------------
expect_eq "a write to a new file reports 0" 0 "$(filetool write probe.txt first)"
printf 'stale' >probe.txt.tmp
attrib +r probe.txt.tmp
expect "attrib +r marks the stale temporary file read-only (a write over it reports 1)" \
    [ "$(filetool write probe.txt.tmp x)" = 1 ]
expect_eq "a write past a stale read-only temporary file reports 0" 0 "$(filetool write probe.txt second)"
expect_eq "and the file holds the new text" second "$(cat probe.txt)"
expect "and no temporary file is left" no_file probe.txt.tmp
attrib +r probe.txt
expect_eq "a write to a read-only file reports 1" 1 "$(filetool write probe.txt third)"
expect_eq "and the read-only file keeps its text" second "$(cat probe.txt)"
expect "and no temporary file is left" no_file probe.txt.tmp

# --- the program ----------------------------------------------------------------------
cfg=$E2E_CWD/Wideroom.cfg
write_settings "$cfg" 10 10 1 64 5 30 0 0 0 1
printf 'stale' >"$cfg.tmp"
attrib +r Wideroom.cfg.tmp
drv cursor 512 384
start_wideroom files
wait_wideroom_ready || exit 1
expect_eq "10 x 10 screens at 1/5: the navigator's client area is the whole map" "2048 1536" \
    "$(navigator_client)"

open_settings || exit 1
settool drag "$DIALOG" 1032 3  # minStep
settool click "$DIALOG" 1018
expect "save closes the dialog" settool nodialog --timeout 5000
saved="52 64 20 10 10 3 64 5 30 0 0 0 1"
expect_eq "save past a stale read-only temporary file writes the file" "$saved" \
    "$(read_words "$cfg" | cut -d' ' -f1-13)"
expect "save leaves no temporary file" no_file "$cfg.tmp"

attrib +r Wideroom.cfg
before=$(od -An -tx1 "$cfg" | md5sum)
open_settings || exit 1
settool drag "$DIALOG" 1032 7
settool click "$DIALOG" 1018
expect "save of a read-only settings file closes the dialog" settool nodialog --timeout 5000
expect_eq "the read-only settings file is kept as it was" "$before" "$(od -An -tx1 "$cfg" | md5sum)"
expect "and no temporary file is left" no_file "$cfg.tmp"

prv=$E2E_CWD/Wideroom.prv
write_words "$prv" 24 1024 768 2 5 5
attrib +r Wideroom.prv
menu_command "$CMD_EXIT"
wait_wideroom_exit 30
expect_eq "exit with read-only files ends with code 0" 0 "$WR_RC"
expect_eq "the read-only placement file is kept as it was" "24 1024 768 2 5 5" "$(read_words "$prv")"
expect "and no temporary placement file is left" no_file "$prv.tmp"
