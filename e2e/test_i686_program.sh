#!/usr/bin/env bash
# The 32-bit program from start to exit, run by 32-bit Wine under user-mode
# emulation with the 64-bit tools beside it: it starts, turns a second
# instance away with code 1, scrolls at an edge, saves its settings and reads
# them back at the next start, and its exit from the tray gathers the windows.
# A start takes about a minute under emulation, so one run holds every check.
#
#   bash e2e/test_i686_program.sh <win64 build dir> <work dir> [<win32 build dir>]
# (the win32 build dir defaults to win32 beside the win64 one).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/set_lib.sh"

win32=${3:-$E2E_WIN64/../win32}
if [ ! -d "$win32" ]; then
    echo "FAIL $E2E_NAME: missing $win32: build the win32 folder first"
    exit 1
fi
E2E_EXE=$(cd "$win32" && pwd)/wideroom.exe
E2E_LOADER=/usr/lib/wine/wine
E2E_START_SECONDS=600
E2E_EXIT_SECONDS=180

# Before anything waits on a 32-bit program: can one run here at all?
if [ ! -x "$E2E_LOADER" ]; then
    echo "FAIL $E2E_NAME: 32-bit Wine ($E2E_LOADER) is missing: run scripts/install-deps.sh as root"
    exit 1
fi
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || ! timeout 60 "$E2E_LOADER" --version >/dev/null 2>&1; then
    echo "FAIL $E2E_NAME: 32-bit programs cannot run here: the kernel refuses them and the qemu-i386" \
        "emulator is not registered with binfmt_misc (scripts/install-deps.sh registers it, as root)"
    exit 1
fi

set_begin
# The copied prefix may lack the 32-bit half, or hold only part of it (the
# template does not wait for it): Wine makes this test's prefix anew and the
# test waits until the half is there. Minutes under emulation.
"$WE_WINESERVER" -k >/dev/null 2>&1
timeout 30 "$WE_WINESERVER" -w >/dev/null 2>&1
began=$SECONDS
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
if ! we__make_prefix "$WINEPREFIX" 900 whole || [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/user32.dll" ]; then
    fail "Wine could not make a prefix with a 32-bit half"
    exit 1
fi
echo "the prefix with its 32-bit half took $((SECONDS - began)) s"
drv find --class Shell_TrayWnd --visible --timeout 120000 >/dev/null 2>>"$E2E_WORK/wine-system.err" || {
    fail "the Wine desktop did not come up in the new prefix"
    exit 1
}

pointer_to 512 384
start_sample --window "Sample" 300 300 300 200 || exit 1
sample=${SAMPLE_HANDLES%% *}
cfg=$E2E_CWD/Wideroom.cfg
prv=$E2E_CWD/Wideroom.prv

# --- first start, with no files: the defaults ------------------------------------
began=$SECONDS
start_wideroom first
wait_wideroom_ready || exit 1
echo "the 32-bit program started in $((SECONDS - began)) s"
expect_eq "first start: the navigator's client area is the 5 x 5 map" "204 153" "$(navigator_client)"

# --- a second instance is turned away ------------------------------------------------
"$E2E_LOADER" "$E2E_EXE" >"$E2E_WORK/wideroom.second.out" 2>"$E2E_WORK/wideroom.second.err" &
second=$!
WE_PIDS+=("$second")
if we_wait_exit "$second" 240; then second_rc=$WE_RC; else second_rc=timeout; fi
expect_eq "a second instance ends with code 1" 1 "$second_rc"
expect_eq "the first instance keeps running, alone" "1 1" \
    "$(kill -0 "$WR_PID" 2>/dev/null && echo 1) $(drv list --class Wideroom --process wideroom.exe | wc -l)"

# --- one scroll at the right edge: 2048 px to the desktop's right border ---------
pointer_to 1023 384
at_border() { [ "$(origin "$sample")" = "-1748 300" ]; }
expect "the pointer at the right edge moves the window 2048 px left" retry 120 at_border
pointer_to 512 384

# --- save: 6 screens wide ---------------------------------------------------------
menu_command "$CMD_SETTINGS"
DIALOG=$(settool dialog --timeout 120000)
expect "the settings command opens the dialog" test -n "$DIALOG"
settool drag "$DIALOG" 1030 6
settool click "$DIALOG" 1018 --post
expect "save closes the dialog" settool nodialog --timeout 120000
# header | hScale vScale minStep maxStep naviDivisor interval needCtrl needShift pageMode moveMaximized
expect_eq "save writes the settings file" "52 64 20 6 5 1 64 25 30 0 0 0 1" \
    "$(read_words "$cfg" 2>/dev/null | cut -d' ' -f1-13)"
navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe | col 1)
drv move "$navi" 500 400

# --- the tray's exit gathers -------------------------------------------------------
post_exit_command
wait_wideroom_exit
expect_eq "the exit command ends the program with code 0" 0 "$WR_RC"
we_stop "$WR_PID"
expect_eq "the exit gathers the window back onto the screen" "0 300" "$(origin "$sample")"
expect_eq "the exit writes the navigator's place" "24 1024 768 2 500 400" "$(read_words "$prv" 2>/dev/null)"

# --- the next start reads both files -------------------------------------------------
began=$SECONDS
start_wideroom second
wait_wideroom_ready || exit 1
echo "the 32-bit program started again in $((SECONDS - began)) s"
navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 10000)
expect_eq "the next start sizes the navigator from the saved settings" "245 153" \
    "$(echo "$navi" | col 10,11 | tr '\t' ' ')"
expect_eq "the next start opens the navigator at its saved place" "500 400" "$(echo "$navi" | col 6,7 | tr '\t' ' ')"
exit_wideroom
expect_eq "the second run ends with code 0" 0 "$WR_RC"
