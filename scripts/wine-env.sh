# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Helpers for running the Windows programs under Wine on a private X server
# and a private Wine prefix. Source this file; it defines functions only.
#
#   we_start_xvfb                  start Xvfb 1024x768x24 on a free display (sets DISPLAY)
#   we_prefix DIR                  a fresh prefix in DIR/wineprefix, copied from the template
#   we_start OUT ERR PROGRAM ARGS  start a Windows program in the background (sets WE_PID)
#   we_wait_exit PID SECONDS       wait for one of them to end (sets WE_RC; 1 on timeout)
#   we_stop PID                    end one of them
#   we_cleanup                     end everything started here: processes by pid, then
#                                  this prefix's wineserver, then the X server by pid
#
# The prefix has a 1024 x 768 virtual desktop with a taskbar, so a plain
# "wine64 prog.exe" runs on it and hands back its exit code and output, and
# maps the dialogs' Japanese fonts to IPA fonts. Building a prefix costs about
# ten seconds, minutes with 32-bit Wine installed (its half of the prefix is
# set up under emulation), so one is built into a template folder (once per
# version of Wine and of this file, under a lock) and copied for every run.

WE_WINE=${WE_WINE:-/usr/lib/wine/wine64}
WE_WINESERVER=${WE_WINESERVER:-/usr/lib/wine/wineserver}
WE_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WE_TEMPLATE=${WIDEROOM_WINE_TEMPLATE:-$(dirname "$WE_HERE")/build/wine-template}
WE_PIDS=()
WE_XVFB_PID=
WE_RC=
WE_PID=

export WINEDEBUG=-all
export WINEDLLOVERRIDES=winemenubuilder.exe=d
# Arguments and output pass between Unix and Wine as UTF-8 in this locale.
export LC_ALL=C.UTF-8

# Starts Xvfb on the first free display; Xvfb itself picks it (-displayfd),
# so parallel runs cannot race for the same number.
we_start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    WE_XVFB_PID=$!
    for _ in $(seq 100); do
        if [ -s "$fdfile" ]; then break; fi
        if ! kill -0 "$WE_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    local n
    n=$(tr -dc 0-9 <"$fdfile")
    rm -f "$fdfile"
    if [ -z "$n" ]; then
        echo "wine-env: Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$n
}

# The registry settings of the template, as a regedit file (UTF-16 so that
# the Japanese font names survive).
we__registry() {
    # REG_MULTI_SZ "ipagp.ttf,IPAPGothic" in UTF-16, as regedit's hex(7) wants it.
    local link
    link=$(printf 'ipagp.ttf,IPAPGothic\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
        tr -s ' \n' ' ' | sed 's/^ //; s/ $//; s/ /,/g')
    cat <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="shell"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"shell"="1024x768"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=hex(7):$link
"Tahoma Bold"=hex(7):$link
"MS Shell Dlg"=hex(7):$link
"MS Shell Dlg 2"=hex(7):$link

EOF
}

we__stamp() {
    {
        "$WE_WINE" --version
        # With 32-bit Wine installed a prefix gets the 32-bit system folder.
        dpkg-query -W wine64 wine32:i386 fonts-wine fonts-ipafont-gothic
        sha1sum "$WE_HERE/wine-env.sh"
    } 2>/dev/null | sha1sum | cut -d' ' -f1
}

# we__make_prefix DIR SECONDS [whole]: a new prefix in DIR with the settings
# above, made by Wine itself within SECONDS; its server has ended when it
# returns. With "whole" it also waits for the 32-bit half, which 32-bit
# programs need and which takes minutes under emulation.
we__make_prefix() {
    local dir=$1 seconds=$2 whole=${3:-}
    (
        export WINEPREFIX=$dir
        # No downloads of the .NET and HTML engines while the prefix is made.
        WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree=d;mshtml=d" timeout "$seconds" "$WE_WINE" wineboot -i \
            >/dev/null 2>&1 || exit 1
        # wineboot returns before the 32-bit half of the prefix is set up (under
        # emulation, minutes later): wait until the prefix's server ends.
        if [ "$whole" = whole ]; then timeout "$seconds" "$WE_WINESERVER" -w >/dev/null 2>&1 || exit 1; fi
        we__registry | iconv -f UTF-8 -t UTF-16 >"$dir/drive_c/wideroom.reg" || exit 1
        "$WE_WINE" regedit /S 'C:\wideroom.reg' >/dev/null 2>&1
        rm -f "$dir/drive_c/wideroom.reg"
        # The server writes the registry out as it ends.
        "$WE_WINESERVER" -k >/dev/null 2>&1
        timeout 30 "$WE_WINESERVER" -w >/dev/null 2>&1
        grep -q '"shell"="1024x768"' "$dir/user.reg" || exit 1
        grep -q 'IPAPGothic' "$dir/system.reg" || exit 1
    )
}

# Builds the template prefix (the caller holds the lock and an X display).
we__build_template() {
    local tmp=$WE_TEMPLATE.new.$$
    # Left by a build that was interrupted (only one builds at a time).
    rm -rf "$WE_TEMPLATE".new.*
    mkdir -p "$tmp" || return 1
    we__make_prefix "$tmp" 600 || {
        echo "wine-env: building the Wine prefix template failed" >&2
        rm -rf "$tmp"
        return 1
    }
    we__stamp >"$tmp/.wideroom-stamp"
    rm -rf "$WE_TEMPLATE"
    mv "$tmp" "$WE_TEMPLATE"
}

we__template_current() {
    [ -f "$WE_TEMPLATE/.wideroom-stamp" ] && [ "$(cat "$WE_TEMPLATE/.wideroom-stamp")" = "$(we__stamp)" ]
}

# A private prefix in DIR/wineprefix. The big system folders are hard-linked
# from the template (Wine only reads them); the rest, the registry included,
# is copied.
we_prefix() {
    local dir=$1
    mkdir -p "$dir" "$(dirname "$WE_TEMPLATE")" || return 1
    local lock=$WE_TEMPLATE.lock
    (
        flock -s 9
        if ! we__template_current; then
            flock -u 9
            flock -x 9
            if ! we__template_current; then we__build_template || exit 1; fi
            flock -u 9
            flock -s 9
        fi
        rm -rf "$dir/wineprefix"
        mkdir -p "$dir/wineprefix" || exit 1
        local item
        for item in "$WE_TEMPLATE"/* "$WE_TEMPLATE"/.[!.]*; do
            [ -e "$item" ] || continue
            case $(basename "$item") in
                drive_c | .wideroom-stamp) ;;
                *) cp -a "$item" "$dir/wineprefix/" || exit 1 ;;
            esac
        done
        mkdir -p "$dir/wineprefix/drive_c/windows" || exit 1
        for item in "$WE_TEMPLATE"/drive_c/* "$WE_TEMPLATE"/drive_c/windows/*; do
            case $item in
                "$WE_TEMPLATE"/drive_c/windows) ;;
                "$WE_TEMPLATE"/drive_c/windows/system32 | "$WE_TEMPLATE"/drive_c/windows/syswow64)
                    cp -al "$item" "$dir/wineprefix/drive_c/windows/" || exit 1
                    ;;
                "$WE_TEMPLATE"/drive_c/windows/*) cp -a "$item" "$dir/wineprefix/drive_c/windows/" || exit 1 ;;
                *) cp -a "$item" "$dir/wineprefix/drive_c/" || exit 1 ;;
            esac
        done
    ) 9>"$lock" || return 1
    export WINEPREFIX=$dir/wineprefix
}

# Starts a Windows program (an .exe path) in the background with its output
# in OUT and ERR; the pid is that of the Windows process itself.
we_start() {
    local out=$1 err=$2
    shift 2
    "$WE_WINE" "$@" >"$out" 2>"$err" &
    WE_PID=$!
    WE_PIDS+=("$WE_PID")
}

# Waits up to SECONDS for PID (started by we_start) to end; WE_RC is its code.
we_wait_exit() {
    local pid=$1 seconds=$2
    local deadline=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
        sleep 0.05
    done
    wait "$pid" 2>/dev/null
    WE_RC=$?
    return 0
}

we_stop() {
    local pid=$1
    kill -0 "$pid" 2>/dev/null || {
        wait "$pid" 2>/dev/null
        return 0
    }
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq 20); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

we_cleanup() {
    local pid
    for pid in "${WE_PIDS[@]}"; do we_stop "$pid"; done
    WE_PIDS=()
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$WE_WINESERVER" -k >/dev/null 2>&1
        timeout 10 "$WE_WINESERVER" -w >/dev/null 2>&1
    fi
    if [ -n "$WE_XVFB_PID" ]; then
        kill -TERM "$WE_XVFB_PID" 2>/dev/null
        wait "$WE_XVFB_PID" 2>/dev/null
        WE_XVFB_PID=
    fi
    return 0
}
