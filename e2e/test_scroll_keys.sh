#!/usr/bin/env bash
# The switch keys, from the settings file, on two program starts. With Ctrl
# required, the pointer at the edge moves nothing until Ctrl is held, and the
# windows stop when it is let go; with Ctrl and Shift required, either key
# alone moves nothing. Windows in the fixed-window list never move; maximized
# ones move only while moveMaximized is set.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/scroll_lib.sh"
e2e_begin

start_notepad_and_mine || exit 1
start_sample --window "Sample A" 300 420 260 180 \
    --window "Sample fixed" 650 100 200 120 \
    --window "Sample maximized" 100 100 300 200 --maximized || exit 1
read -r sample fixed maximized <<<"$SAMPLE_HANDLES"
taskbar=$(drv find --class Shell_TrayWnd --visible | col 1)
name_windows "$notepad" notepad "$mine" winemine "$sample" "sample window" "$fixed" "fixed window" \
    "$maximized" "maximized window" "$taskbar" taskbar

# settings NEED_CTRL NEED_SHIFT MOVE_MAXIMIZED: defaults otherwise, with the
# fixed sample in the fixed-window list.
settings() {
    write_settings "$E2E_CWD/Wideroom.cfg" 5 5 1 64 25 30 "$1" "$2" 0 "$3"
    set_fixed_entry "$E2E_CWD/Wideroom.cfg" 7 WrSample "Sample fixed"
    rm -f "$E2E_CWD/Wideroom.prv"
}

# still_at_edge NAME WHAT H...: with the pointer at the right edge for two
# seconds, none of the windows moves.
still_at_edge() {
    local name=$1 what=$2
    shift 2
    trace_start "$E2E_WORK/$name.trace" --for 2000 "$@" || return 1
    pointer_to 1023 300
    trace_wait 60
    expect_eq "$what" "" "$(trace_moved "$E2E_WORK/$name.trace")"
}

# held_run NAME KEYSYM...: holds the keys with the pointer at the right edge
# until the windows have moved for half a second, lets them go and waits
# until nothing has moved for a while.
held_run() {
    local name=$1 key
    shift
    # shellcheck disable=SC2086
    trace_start "$E2E_WORK/$name.trace" --settle 1500 --timeout 20000 $movers $keepers || return 1
    pointer_to 1023 300
    for key in "$@"; do key_down "$key"; done
    wait_for_line "$E2E_WORK/$name.trace" '^move' 20
    sleep 0.5
    for key in "$@"; do key_up "$key"; done
    trace_wait 60
    pointer_to 512 384
}

# check_held_run NAME BEFORE: every mover went the same distance left, by the
# accelerating steps, and stopped short of the border; the keepers stayed.
check_held_run() {
    local name=$1 before=$2 h x y distances distance first=
    while read -r h x y; do
        distances=$(trace_distances "$E2E_WORK/$name.trace" "$h" x -1 "$x")
        distance=${distances##* }
        expect "$name: $(nm "$h") moves left by the accelerating steps" on_path "$distances" \
            "$(accelerating_path 1 64 2048)"
        first=${first:-$distance}
        expect_eq "$name: $(nm "$h") moves as far as the others" "$first" "$distance"
        expect_eq "$name: $(nm "$h") keeps its height on the screen" "$y" "$(origin "$h" | cut -d' ' -f2)"
    done <<<"$before"
    if [ "${first:-0}" -gt 0 ] && [ "$first" -lt 2048 ]; then
        pass "$name: the windows stop when the keys are let go ($first px)"
    else
        fail "$name: the windows stop when the keys are let go: they moved ${first:-0} px"
    fi
    local moved
    moved=$(trace_moved "$E2E_WORK/$name.trace")
    for h in $keepers; do
        case " $moved " in
            *" $h "*) fail "$name: $(nm "$h") moved" ;;
            *) pass "$name: $(nm "$h") does not move" ;;
        esac
    done
}

# --- Ctrl required; maximized windows stay --------------------------------
settings 1 0 0
start_wideroom_ready ctrl || exit 1
navigator=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000 | col 1)
name_windows "$navigator" navigator
movers="$notepad $mine $sample"
keepers="$maximized $fixed $navigator $taskbar"
# shellcheck disable=SC2086
still_at_edge ctrl-up "ctrl required: nothing moves at the edge without Ctrl" $movers $keepers
pointer_to 512 384
# shellcheck disable=SC2086
before=$(origins $movers)
held_run ctrl-held Control_L
check_held_run ctrl-held "$before"
exit_wideroom
expect_eq "ctrl required: exit code 0" 0 "$WR_RC"

# --- Ctrl and Shift required; maximized windows move ----------------------
settings 1 1 1
start_wideroom_ready ctrl-shift || exit 1
navigator=$(drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000 | col 1)
name_windows "$navigator" navigator
movers="$notepad $mine $sample $maximized"
keepers="$fixed $navigator $taskbar"
for key in Control_L Shift_L; do
    key_down "$key"
    # shellcheck disable=SC2086
    still_at_edge "only-$key" "ctrl and shift required: nothing moves with $key alone" $movers $keepers
    key_up "$key"
    pointer_to 512 384
done
# shellcheck disable=SC2086
before=$(origins $movers)
held_run ctrl-shift-held Control_L Shift_L
check_held_run ctrl-shift-held "$before"
exit_wideroom
expect_eq "ctrl and shift required: exit code 0" 0 "$WR_RC"
