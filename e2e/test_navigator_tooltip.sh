#!/usr/bin/env bash
# The tooltip of the navigator's map: over a window's rectangle it shows that
# window's title, moving to another rectangle shows the other title, and off
# every rectangle it goes. Titles are narrow bytes: the program runs under a
# Japanese locale (code page 932) so that a Japanese title comes through; a
# title longer than 255 bytes shows its first 255 bytes, and a Japanese one
# is cut before the character that would cross that limit.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/nav_lib.sh"
e2e_begin

ascii_title="Sample A"
japanese_title="日本語のタイトル"
# 300 bytes whose cut shows where it fell.
long_title=$(for _ in $(seq 30); do printf 0123456789; done)
# 150 characters, 300 bytes in code page 932.
long_japanese_title=$(for _ in $(seq 75); do printf 漢字; done)

# On the map (navigator at 700, 450; view at 2048, 1536) the windows'
# rectangles are hovered for columns 86..97 (left ones) and 106..117 (right
# ones), rows 64..71 (upper ones) and 78..85 (lower ones).
start_sample --window "$ascii_title" 100 50 300 200 --window "$japanese_title" 100 400 300 200 \
    --window "$long_title" 600 100 300 200 --window "$long_japanese_title" 600 400 300 200 || exit 1
write_words "$E2E_CWD/Wideroom.prv" 24 1024 768 2 700 450
xdotool mousemove 300 650

# The locale sources come with the build packages (scripts/install-deps.sh).
if ! nav_japanese_locale; then
    fail "no Japanese locale for Wine: run scripts/install-deps.sh (package locales)"
    exit 1
fi
start_wideroom tooltip "${NAV_JA_ENV[@]}"
nav_wait_started || {
    fail "the program did not finish starting"
    exit 1
}

tip_shows() {
    nav_is_visible "$NAV_TIP" && [ "$(navtool tiptext "$NAV_TIP")" = "$1" ]
}

# name | map point | text shown
rows=(
    "tooltip shows the hovered window's title|91 67|$ascii_title"
    "moving to another window's rectangle shows its Japanese title|91 81|$japanese_title"
    "a 300-byte title shows its first 255 bytes|111 69|${long_title:0:255}"
    "a 300-byte Japanese title shows the 127 whole characters within 255 bytes|111 81|${long_japanese_title:0:127}"
)
for row in "${rows[@]}"; do
    IFS='|' read -r name point text <<<"$row"
    # shellcheck disable=SC2086
    nav_point_map $point
    if retry 10 tip_shows "$text"; then
        pass "$name"
    else
        shown=$(navtool tiptext "$NAV_TIP")
        fail "$name: expected ${#text} characters ending in [${text: -3}]," \
            "shown ${#shown} ending in [${shown: -3}] (visible $(nav_visible "$NAV_TIP"))"
    fi
done

nav_point_map 50 20
expect "tooltip goes once the pointer is off every window's rectangle" retry 10 nav_is_hidden "$NAV_TIP"
