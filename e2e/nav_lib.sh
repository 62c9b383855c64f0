# shellcheck shell=bash disable=SC2034 # sets variables for the scripts that source it
# Helpers of the navigator's end-to-end tests, on top of lib.sh (source that
# first). Map points are in map pane client coordinates: with a 1024 x 768
# screen, 5 x 5 screens and divisor 25 the map is 204 x 153 pixels and the
# view starts at (2048, 1536).

NAV_TOOL=$E2E_WIN64/wrnavtool.exe
if [ ! -f "$NAV_TOOL" ]; then
    echo "missing $NAV_TOOL: build the win64 folder first" >&2
    exit 1
fi

# The map's colours as the picture holds them (used by the tests).
# shellcheck disable=SC2034 # used by the tests that source this file
NAV_BACK=96,128,255 \
    NAV_GRID=128,192,255 \
    NAV_WINDOW=255,255,192 \
    NAV_HOVER=255,192,192 \
    NAV_VIEW=255,128,0 \
    NAV_OUTLINE=32,32,64

navtool() {
    "$WE_WINE" "$NAV_TOOL" "$@"
}

# Waits until start-up is over (the map pane's tooltip is the last thing it
# creates) and sets NAV_FRAME, NAV_TIP and NAV_MAP_X, NAV_MAP_Y, the screen
# position of the map's top-left pixel (the map pane fills the navigator's
# client area).
nav_wait_started() {
    local navi pane
    wait_wideroom_ready || return 1
    NAV_TIP=$WR_TIP
    navi=$(drv find --title "Wideroom Navigator" --process wideroom.exe --children --timeout 5000)
    NAV_FRAME=$(echo "$navi" | head -n 1 | col 1)
    pane=$(echo "$navi" | grep '^child' | head -n 1)
    [ -n "$NAV_FRAME" ] && [ -n "$pane" ] || return 1
    NAV_MAP_X=$(echo "$pane" | col 7)
    NAV_MAP_Y=$(echo "$pane" | col 8)
}

# Puts the real pointer on map point (MX, MY).
nav_point_map() {
    xdotool mousemove $((NAV_MAP_X + $1)) $((NAV_MAP_Y + $2))
}

# nav_visible H: 1 or 0.
nav_visible() {
    drv info "$1" | col 3
}

nav_is_visible() { [ "$(nav_visible "$1")" = 1 ]; }
nav_is_hidden() { [ "$(nav_visible "$1")" = 0 ]; }

# nav_map_colours SHOT "MX,MY"...: the colour of each map point in the
# picture, one "R,G,B" a line.
nav_map_colours() {
    local shot=$1 format='' point
    shift
    for point in "$@"; do
        format+="%[pixel:p{$((NAV_MAP_X + ${point%,*})),$((NAV_MAP_Y + ${point#*,}))}]\n"
    done
    convert "$shot" -format "$format" info: | sed 's/^srgb(\(.*\))$/\1/'
}

# nav_shot_showing SHOT MX,MY COLOUR: takes screenshots until map point
# (MX, MY) has that colour, so that the map has been painted for what the
# test set up (at most 10 s; the last picture stays in SHOT either way).
nav_shot_showing() {
    local deadline=$((SECONDS + 10))
    while :; do
        import -window root "$1" 2>/dev/null
        [ "$(nav_map_colours "$1" "$2")" = "$3" ] && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

# The Japanese locale for one Wine process, compiled into the work folder
# (the system need not have it installed). Sets NAV_JA_ENV to the
# environment words; fails when the locale sources are missing.
nav_japanese_locale() {
    local dir=$E2E_WORK/locale
    NAV_JA_ENV=()
    command -v localedef >/dev/null || return 1
    mkdir -p "$dir" || return 1
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >/dev/null 2>&1 || return 1
    NAV_JA_ENV=("LOCPATH=$dir" "LC_ALL=ja_JP.UTF-8" "LANG=ja_JP.UTF-8")
    # Under that locale Wine's narrow code page must be the Japanese one.
    [ "$(env "${NAV_JA_ENV[@]}" "$WE_WINE" "$NAV_TOOL" acp)" = 932 ]
}
