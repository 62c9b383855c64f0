# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Two monitors for the end-to-end tests: Wine sees two when it runs (without
# its virtual desktop) on a Xephyr server with two Xinerama heads and RandR
# turned off, Xephyr itself inside an Xvfb. Source after lib.sh and call
# xe_begin instead of e2e_begin; both servers are ended by their pids when
# the test exits, after Wine's own processes.
#
#   xe_begin W1xH1 W2xH2    the heads side by side, the first one primary

XE_OUTER_PID=

# xe__server FDFILE COMMAND...: starts an X server that reports its display
# number on fd 3; XE__DISPLAY is the number and XE__PID its pid.
xe__server() {
    local fdfile=$1
    shift
    XE__DISPLAY=
    "$@" -displayfd 3 3>"$fdfile" >/dev/null 2>&1 &
    XE__PID=$!
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        kill -0 "$XE__PID" 2>/dev/null || break
        sleep 0.1
    done
    XE__DISPLAY=$(tr -dc 0-9 <"$fdfile")
    rm -f "$fdfile"
    [ -n "$XE__DISPLAY" ]
}

# Ends the outer Xvfb once everything else is gone (called from e2e_end).
xe_end() {
    if [ -n "$XE_OUTER_PID" ]; then
        kill -TERM "$XE_OUTER_PID" 2>/dev/null
        wait "$XE_OUTER_PID" 2>/dev/null
        XE_OUTER_PID=
    fi
}

xe_begin() {
    local first=$1 second=$2
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK/cwd" || exit 1
    E2E_WORK=$(cd "$E2E_WORK" && pwd)
    E2E_CWD=$E2E_WORK/cwd
    trap e2e_end EXIT
    trap 'exit 1' INT TERM
    E2E_AFTER_CLEANUP=xe_end
    # Wide enough for both heads side by side.
    xe__server "$E2E_WORK/outer.fd" Xvfb -screen 0 2000x800x24 -nolisten tcp || {
        echo "xephyr_lib: Xvfb did not start" >&2
        exit 1
    }
    XE_OUTER_PID=$XE__PID
    DISPLAY=:$XE__DISPLAY xe__server "$E2E_WORK/inner.fd" Xephyr -screen "$first" -screen "$second" \
        +xinerama -extension RANDR -nolisten tcp || {
        echo "xephyr_lib: Xephyr did not start" >&2
        exit 1
    }
    # we_cleanup ends it by its pid after Wine's server.
    WE_XVFB_PID=$XE__PID
    export DISPLAY=:$XE__DISPLAY
    we_prefix "$E2E_WORK" || exit 1
    # No virtual desktop: Wine takes the X server's heads as its monitors.
    "$WE_WINE" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
    cd "$E2E_CWD" || exit 1
}
