#!/usr/bin/env bash
# The navigator's map as it shows on the screen: background, grid lines at
# the screen boundaries, a window's rectangle, the viewport frame, and the
# hovered window's fill while the pointer is over its rectangle in the map,
# up to and including the rectangle's right and bottom edges. One known
# layout: a 1024 x 768 screen, 5 x 5 screens, divisor 25, the view at its
# start (2048, 1536) and a window at (100, 50) of 300 x 200, which the map
# draws as the rectangle (85, 63, 96, 70).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nav_lib.sh"
e2e_begin

# Sample B's right and bottom edges fall on map column 118 and row 83
# exactly: (602 + 300 + 2048) / 25 and (350 + 189 + 1536) / 25.
start_sample --window "Sample A" 100 50 300 200 --window "Sample B" 602 350 300 189 || exit 1
# Pinned, at a known place.
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 2 700 450
xdotool mousemove 300 650
start_wideroom map
nav_wait_started || {
    fail "the program did not finish starting"
    exit 1
}

# name | map point | colour
still=(
    "background, top-left screen|10,10|$NAV_BACK"
    "background, left of a grid line|38,10|$NAV_BACK"
    "background, right of a grid line|40,10|$NAV_BACK"
    "background, bottom-right screen|200,150|$NAV_BACK"
    "background inside the viewport|100,75|$NAV_BACK"
    "vertical grid line at x=39|39,10|$NAV_GRID"
    "vertical grid line at x=80|80,10|$NAV_GRID"
    "vertical grid line at x=121|121,10|$NAV_GRID"
    "vertical grid line at x=162|162,10|$NAV_GRID"
    "vertical grid line on the last column x=203|203,10|$NAV_GRID"
    "horizontal grid line at y=29|10,29|$NAV_GRID"
    "horizontal grid line at y=60|10,60|$NAV_GRID"
    "horizontal grid line at y=91|10,91|$NAV_GRID"
    "horizontal grid line at y=121|10,121|$NAV_GRID"
    "horizontal grid line on the last row y=152|10,152|$NAV_GRID"
    "viewport frame, left side at x=81|81,75|$NAV_VIEW"
    "viewport frame, right side at x=119|119,75|$NAV_VIEW"
    "viewport frame, top side at y=61|100,61|$NAV_VIEW"
    "viewport frame, bottom side at y=89|100,89|$NAV_VIEW"
    "nothing left of the viewport frame|79,75|$NAV_BACK"
    "nothing right of the viewport frame|120,75|$NAV_BACK"
    "nothing above the viewport frame|100,59|$NAV_BACK"
    "nothing below the viewport frame|100,90|$NAV_BACK"
    "window outline, left|85,66|$NAV_OUTLINE"
    "window outline, right at x=95|95,66|$NAV_OUTLINE"
    "window outline, top|90,63|$NAV_OUTLINE"
    "window outline, bottom at y=69|90,69|$NAV_OUTLINE"
    "window fill, top-left|86,64|$NAV_WINDOW"
    "window fill, bottom-right|94,68|$NAV_WINDOW"
    "nothing right of the window|96,66|$NAV_BACK"
    "nothing below the window|90,70|$NAV_BACK"
)

# check_points SHOT ROW...: each row's map point has its colour.
check_points() {
    local shot=$1 row name point colour
    shift
    local points=()
    for row in "$@"; do
        IFS='|' read -r _ point _ <<<"$row"
        points+=("$point")
    done
    local got
    mapfile -t got < <(nav_map_colours "$shot" "${points[@]}")
    local i=0
    for row in "$@"; do
        IFS='|' read -r name point colour <<<"$row"
        expect_eq "$name ($point)" "$colour" "${got[$i]:-none}"
        i=$((i + 1))
    done
}

shot=$E2E_WORK/map.png
nav_shot_showing "$shot" 90,66 "$NAV_WINDOW" || fail "the window's rectangle never showed in the map"
check_points "$shot" "${still[@]}"

nav_point_map 92 71
hover_shot=$E2E_WORK/map-hover.png
nav_shot_showing "$hover_shot" 90,66 "$NAV_HOVER" || fail "the hovered window's fill never changed"
hovered=(
    "hovered window fill, top-left|86,64|$NAV_HOVER"
    "hovered window fill, middle|90,66|$NAV_HOVER"
    "hovered window keeps its outline|85,66|$NAV_OUTLINE"
    "other window not hovered|110,78|$NAV_WINDOW"
    "hovered window, viewport frame unchanged|81,75|$NAV_VIEW"
)
check_points "$hover_shot" "${hovered[@]}"

# The hover test's bounds are inclusive: map point (118, 83) still hovers
# Sample B, although its painted rectangle (106, 75, 117, 82) ends before.
nav_point_map 118 83
edge_shot=$E2E_WORK/map-hover-edge.png
nav_shot_showing "$edge_shot" 110,78 "$NAV_HOVER" || fail "the window's right and bottom edges did not hover it"
edge=(
    "window hovered on its right and bottom edges|110,78|$NAV_HOVER"
    "the window hovered before is plain again|90,66|$NAV_WINDOW"
)
check_points "$edge_shot" "${edge[@]}"

# Off every rectangle the highlight goes.
nav_point_map 150 120
left_shot=$E2E_WORK/map-left.png
nav_shot_showing "$left_shot" 110,78 "$NAV_WINDOW" || fail "the highlight stayed after the pointer left"
check_points "$left_shot" "window fill is plain again once the pointer left|110,78|$NAV_WINDOW"
