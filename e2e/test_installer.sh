#!/usr/bin/env bash
# The release under Wine: the installer of build/dist, run silently, installs
# for the user alone into %LOCALAPPDATA%\Programs\Wideroom (the exe, both help
# files, the uninstaller), a Start-menu shortcut whose working directory is
# %APPDATA%\Wideroom, the Apps entry and, asked with /AUTOSTART, the Run
# entry. The installed program started there scrolls, opens its help and
# exits with code 0, its files written there. The silent uninstaller ends a running Wideroom
# through its exit command (the windows come back), removes the program, the
# shortcut and both registry entries, and leaves the settings. Also: the
# portable zips hold what the installer does.
source "$(dirname "$0")/lib.sh"

VERSION=$(head -n 1 "$E2E_ROOT/VERSION")
DIST=$(cd "$E2E_WIN64/.." && pwd)/dist
SETUP=$DIST/Wideroom-$VERSION-setup.exe
if [ ! -f "$SETUP" ]; then
    echo "missing $SETUP: make dist first" >&2
    exit 1
fi
e2e_begin

# --- the portable zips ----------------------------------------------------------------
portable="Wideroom/ Wideroom/LICENSE.txt Wideroom/README.md Wideroom/Wideroom-en.chm Wideroom/Wideroom.chm Wideroom/wideroom.exe Wideroom/wideroomc.exe"
for arch in x64 i686; do
    listed=$(unzip -Z1 "$DIST/Wideroom-$VERSION-$arch.zip" | sort | tr '\n' ' ')
    expect_eq "the $arch zip holds the exe, the companion, the help files, the licence and the readme" "$portable" "${listed% }"
done
unzip -p "$DIST/Wideroom-$VERSION-x64.zip" Wideroom/wideroom.exe | cmp -s - "$E2E_EXE"
expect "the x64 zip's exe is the 64-bit build" test $? -eq 0
unzip -p "$DIST/Wideroom-$VERSION-i686.zip" Wideroom/wideroom.exe >"$E2E_WORK/i686.exe"
expect "the i686 zip's exe is a 32-bit program" bash -c "file '$E2E_WORK/i686.exe' | grep -q 'PE32 executable.*Intel 80386'"
unzip -p "$DIST/Wideroom-$VERSION-i686.zip" Wideroom/wideroomc.exe >"$E2E_WORK/i686c.exe"
expect "the i686 zip's companion is a 32-bit console program" \
    bash -c "file '$E2E_WORK/i686c.exe' | grep -q 'PE32 executable (console) Intel 80386'"

# --- install ---------------------------------------------------------------------------------
user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
install_dir=$user_dir/AppData/Local/Programs/Wideroom
files_dir=$user_dir/AppData/Roaming/Wideroom
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wideroom.lnk"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
apps_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Wideroom'
reg_value() { "$WE_WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  /, ""); print }'; }

"$WE_WINE" "Z:$SETUP" /S /AUTOSTART >"$E2E_WORK/setup.out" 2>&1
expect_eq "the silent installer ends with code 0" 0 "$?"
for f in wideroom.exe wideroomc.exe Wideroom.chm Wideroom-en.chm uninstall.exe; do
    expect "$f is in %LOCALAPPDATA%\\Programs\\Wideroom" test -f "$install_dir/$f"
done
expect "the installed exe is the build's" cmp -s "$install_dir/wideroom.exe" "$E2E_EXE"
expect "the files' folder %APPDATA%\\Wideroom is made" test -d "$files_dir"
expect "the Start-menu shortcut is there" test -f "$shortcut"
workdir=$(python3 "$E2E_ROOT/e2e/lnk_info.py" "$shortcut" | sed -n 's/^workdir //p')
expect_eq "the shortcut starts the program in the files' folder" \
    "$(echo "$files_dir" | sed "s|^$WINEPREFIX/drive_c|C:|; s|/|\\\\|g")" "$workdir"
install_win='C:'$(echo "${install_dir#"$WINEPREFIX"/drive_c}" | tr / '\\')
expect_eq "the Run entry is the installed exe's quoted path" "\"$install_win\\wideroom.exe\"" \
    "$(reg_value "$run_key" Wideroom)"
expect_eq "the Apps list has Wideroom" "Wideroom" "$(reg_value "$apps_key" DisplayName)"
expect_eq "with its version" "$VERSION" "$(reg_value "$apps_key" DisplayVersion)"
expect_eq "and a silent uninstall" "\"$install_win\\uninstall.exe\" /S" "$(reg_value "$apps_key" QuietUninstallString)"

# --- the installed program, started as the shortcut starts it --------------------------
start_sample --window "moved" 300 200 300 200 || exit 1
sample=${SAMPLE_HANDLES%% *}
cd "$files_dir" || exit 1
E2E_EXE=$install_dir/wideroom.exe
start_wideroom_ready installed
drv cursor 1023 384
# Held at the right edge until the window is off the screen to the left.
off_screen() {
    local l t r b
    read -r l t r b <<<"$(drv rect "$sample")"
    [ -n "$r" ] && [ "$r" -le 0 ]
}
expect "the installed program scrolls at the right edge" retry 30 off_screen
drv cursor 512 384
# Started in the files' folder, it finds its help beside the exe.
main=$(drv find --class Wideroom --process wideroom.exe --timeout 10000 | col 1)
drv post "$main" 273 40017 0
help=$(drv find --class "HH Parent" --process wideroom.exe --visible --timeout 20000)
expect_eq "the installed program opens its help file" "Wideroom Help" "$(echo "$help" | col 13)"
[ -n "$help" ] && drv post "$(echo "$help" | col 1)" 16 0 0
drv gone --class "HH Parent" --visible --timeout 10000
post_exit_command
wait_wideroom_exit 30
expect_eq "the installed program exits with code 0" 0 "$WR_RC"
expect "its placement file is in the files' folder" test -f "$files_dir/Wideroom.prv"
on_screen() {
    local l t r b
    read -r l t r b <<<"$(drv rect "$sample")"
    [ -n "$b" ] && [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 1024 ] && [ "$b" -le 748 ]
}
expect "the sample window is gathered onto the screen" retry 5 on_screen

# --- uninstall with the program running ------------------------------------------------------
printf 'settings' >"$files_dir/Wideroom.cfg"
start_wideroom_ready running
drv cursor 1023 384
retry 30 off_screen
drv cursor 512 384
"$WE_WINE" "$install_win\\uninstall.exe" /S >"$E2E_WORK/uninstall.out" 2>&1
# The uninstaller runs on from a copy of itself and returns at once.
gone() { [ ! -e "$install_dir" ]; }
expect "the silent uninstaller removes the install folder" retry 60 gone
wait_wideroom_exit 30
expect_eq "the running Wideroom was ended through its exit command" 0 "$WR_RC"
expect "which gathered the sample window onto the screen" retry 5 on_screen
expect "the shortcut is removed" test ! -e "$shortcut"
expect_eq "the Run entry is removed" "" "$(reg_value "$run_key" Wideroom)"
expect_eq "the Apps entry is removed" "" "$(reg_value "$apps_key" DisplayName)"
expect_eq "the settings stay" "settings" "$(cat "$files_dir/Wideroom.cfg" 2>/dev/null)"
expect "the placement file stays" test -f "$files_dir/Wideroom.prv"
