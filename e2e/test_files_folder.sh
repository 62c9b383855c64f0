#!/usr/bin/env bash
# Where the files go when Windows starts the program from its Run entry, in
# the system folder: into %APPDATA%\Wideroom (made when missing), or, for a
# portable copy that keeps its files beside the exe, there; started anywhere
# else the program keeps to its current directory.
source "$(dirname "$0")/lib.sh"
e2e_begin

user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
appdata=$user_dir/AppData/Roaming/Wideroom
system32=$WINEPREFIX/drive_c/windows/system32

# run_in DIR TAG: starts the program in DIR and ends it through its exit
# command (which writes the placement file).
run_in() {
    cd "$1" || return 1
    start_wideroom_ready "$2" || return 1
    post_exit_command
    wait_wideroom_exit 30
    expect_eq "$2: exit code" 0 "$WR_RC"
}

rm -rf "$appdata"
run_in "$system32" system
expect "a start in the system folder writes its files to %APPDATA%\\Wideroom" test -f "$appdata/Wideroom.prv"
expect "and none into the system folder" test ! -e "$system32/Wideroom.prv"

run_in "$WINEPREFIX/drive_c/windows" windows
expect "so does a start in the Windows folder" test ! -e "$WINEPREFIX/drive_c/windows/Wideroom.prv"

portable=$E2E_WORK/portable
mkdir -p "$portable"
cp "$E2E_EXE" "$portable/wideroom.exe"
printf '[General]\r\n' >"$portable/Wideroom.ini"
E2E_EXE=$portable/wideroom.exe
run_in "$system32" portable
expect "a portable copy with its files beside it keeps them there" test -f "$portable/Wideroom.prv"

rm -f "$appdata/Wideroom.prv"
run_in "$E2E_CWD" elsewhere
expect "started elsewhere it keeps to its current directory" test -f "$E2E_CWD/Wideroom.prv"
expect "and leaves %APPDATA%\\Wideroom alone" test ! -e "$appdata/Wideroom.prv"
