#!/usr/bin/env bash
# No window is left out of reach when the program does not end normally.
# While windows stand moved, a recovery record lies beside the settings; a
# start after the program was killed puts every moved window back where it
# stood on the screen, each by its own offset; a provoked crash and the end
# of the session put them back at once (the question whether the session may
# end, and an end that is then cancelled, move nothing); a normal exit leaves
# no record.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/rel_lib.sh"
rel_begin

pointer_to 512 384
rm -f "$E2E_CWD/Wideroom.cfg" "$E2E_CWD/Wideroom.prv"
start_sample --window "Alpha" 100 100 200 150 --window "Beta" 500 300 240 160 \
    --window "Gamma" 700 50 200 120 || exit 1
read -r alpha beta gamma <<<"$SAMPLE_HANDLES"
home=$(origins "$alpha" "$beta" "$gamma")

# rel_away EXE NAME: starts the program, runs the view 2048 px right to the
# desktop's border, opens a window "NAME" at (300, 200), then runs 1536 px
# down to the bottom border. LATE is that window; LATE_HOME its first place.
rel_away() {
    rel_start "$2" "$1" || return 1
    rel_run_to 1023 384 "$alpha"
    start_sample --window "$2" 300 200 180 100 || return 1
    late=${SAMPLE_HANDLES%% *}
    late_home="$late 300 200"
    rel_run_to 512 767 "$alpha"
}

# The places every window must come back to, and their places when away.
expected_home() {
    printf '%s\n%s\n' "$home" "$late_home"
}
expected_away() {
    printf '%s\n%s\n' "$(shifted "$home" -2048 -1536)" "$(shifted "$late_home" 0 -1536)"
}

# --- killed: the next start puts the windows back ---------------------------
rel_away "$E2E_EXE" Delta || exit 1
windows="$alpha $beta $gamma $late"
# shellcheck disable=SC2086
expect_eq "killed: before, every window stands where the view took it" "$(expected_away)" "$(origins $windows)"
sleep 0.5
expect "killed: a recovery record lies beside the settings" [ -s "$REL_RECORD" ]
expect_eq "killed: the record is 32 bytes of header and 112 per window" $((32 + 112 * 4)) \
    "$(stat -c %s "$REL_RECORD" 2>/dev/null)"
expect_eq "killed: the record lists the four moved windows" \
    "$(printf '%s\n' "$alpha" "$beta" "$gamma" "$late" | sort)" "$(rel_record_handles)"
kill -KILL "$REL_PID"
rel_wait_end 10 2>/dev/null
drv gone --process "$REL_PROCESS" --timeout 10000 >/dev/null
# shellcheck disable=SC2086
expect_eq "killed: the windows stay out of reach while the program is gone" "$(expected_away)" \
    "$(origins $windows)"

rel_start recovered "$E2E_EXE" || exit 1
# shellcheck disable=SC2086
expect_eq "killed: the next start puts every window back, each by its own offset" "$(expected_home)" \
    "$(settled_origins $windows)"
expect "killed: the record is gone once used" [ ! -e "$REL_RECORD" ]
rel_exit
expect_eq "killed: the next run ends normally" 0 "$REL_RC"
# shellcheck disable=SC2086
expect_eq "killed: an exit without scrolling moves nothing" "$(expected_home)" "$(origins $windows)"

# --- a crash of the test build puts them back at once ---------------------
rel_away "$REL_TEST_EXE" Epsilon || exit 1
windows="$alpha $beta $gamma $late"
# shellcheck disable=SC2086
expect_eq "crash: before, every window stands where the view took it" "$(expected_away)" "$(origins $windows)"
touch "$E2E_CWD/crash.now"
rel_wait_end 20
expect "crash: the program ended with a fault code ($REL_RC)" test "$REL_RC" != timeout -a "$REL_RC" != 0
# shellcheck disable=SC2086
expect_eq "crash: every window is back, each by its own offset" "$(expected_home)" "$(settled_origins $windows)"
expect "crash: no record is left" [ ! -e "$REL_RECORD" ]

# --- the end of the session: asked, cancelled, then for real ------------
rel_away "$E2E_EXE" Zeta || exit 1
windows="$alpha $beta $gamma $late"
main=$(drv find --class Wideroom --process "$REL_PROCESS" --timeout 10000 | col 1)
expect_eq "session end: the program agrees to end the session" 1 "$(drv send "$main" 17 0 0)"
drv send "$main" 22 0 0 >/dev/null
sleep 1
# shellcheck disable=SC2086
expect_eq "session end: asked and then cancelled, the windows stay where the view put them" \
    "$(expected_away)" "$(origins $windows)"
expect "session end: a cancelled end leaves the program running" kill -0 "$REL_PID"
drv send "$main" 22 1 0 >/dev/null
# shellcheck disable=SC2086
expect_eq "session end: when it ends, every window is back before programs save places" "$(expected_home)" \
    "$(settled_origins $windows)"
rel_wait_end 20
expect_eq "session end: the program ends" 0 "$REL_RC"
expect "session end: no record is left" [ ! -e "$REL_RECORD" ]

# --- a normal exit after scrolling leaves no record -----------------------
rel_start normal "$E2E_EXE" || exit 1
rel_run_to 1023 384 "$alpha"
sleep 0.5
expect "normal exit: the record is there while the windows stand moved" [ -s "$REL_RECORD" ]
rel_exit
expect_eq "normal exit: code 0" 0 "$REL_RC"
expect "normal exit: no record is left" [ ! -e "$REL_RECORD" ]
# shellcheck disable=SC2086
expect "normal exit: the windows are gathered onto the screen" rel_on_screen $windows
