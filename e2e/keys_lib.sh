# shellcheck shell=bash disable=SC2034,SC2154 # shares variables with the scripts that source it
# Helpers of the hotkey tests; source after lib.sh and scroll_lib.sh. The
# windows under test are the handles in $movers.

KEY_HOLDER=$E2E_WIN64/wrkeyholder.exe

# press_keys KEYS: one press of a combination as the user's keyboard makes
# it, with a Wine window holding the X focus.
press_keys() {
    focus_wine_desktop || return 1
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
}

at_origins() {
    # shellcheck disable=SC2086
    [ "$(origins $movers)" = "$1" ]
}

# expect_origins NAME EXPECTED: the windows reach EXPECTED (at most 10 s).
expect_origins() {
    retry 10 at_origins "$2"
    # shellcheck disable=SC2086
    expect_eq "$1" "$(named "$2")" "$(named "$(origins $movers)")"
}

# keys_move NAME KEYS EXPECTED: the press brings every window to EXPECTED.
keys_move() {
    press_keys "$2" || return 1
    expect_origins "$1" "$3"
}

# hold_keys OUT MODIFIERS VK...: a helper process holds those hotkeys, as
# another program would; HOLDER_PID is its process.
hold_keys() {
    local out=$1
    shift
    we_start "$out" "$out.err" "$KEY_HOLDER" "$@"
    HOLDER_PID=$WE_PID
    wait_for_line "$out" '^ready$' 30
}
