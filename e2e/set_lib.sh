# shellcheck shell=bash disable=SC2034 # constants for the tests that source it
# Helpers of the settings dialog, tray menu and locale tests, on top of lib.sh
# (source lib.sh first). wrsettool drives the dialog's real controls.

SET_TOOL=$E2E_WIN64/wrsettool.exe
# The commands of the tray menu, as WM_COMMAND ids.
CMD_SETTINGS=40002
CMD_EXIT=40003
CMD_ABOUT=40015
CMD_HELP=40017
WM_COMMAND=273
# The tray icon's callback message and the mouse messages it carries.
WM_TRAYICON=50001
WM_RBUTTONDOWN=516
VK_RETURN=13
VK_ESCAPE=27
VK_UP=38
VK_DOWN=40

settool() {
    "$WE_WINE" "$SET_TOOL" "$@"
}

set_begin() {
    if [ ! -f "$SET_TOOL" ]; then
        echo "missing $SET_TOOL: build the win64 folder first" >&2
        exit 1
    fi
    e2e_begin
}

# Waits until start-up is done (the map's tooltip is the last thing it
# makes); MAIN_WINDOW is the hidden command window.
wait_started() {
    drv find --class tooltips_class32 --process wideroom.exe --timeout 30000 >/dev/null || return 1
    MAIN_WINDOW=$(drv find --class Wideroom --process wideroom.exe --timeout 10000 | col 1)
    [ -n "$MAIN_WINDOW" ]
}

# menu_command ID: a menu command, as the tray menu sends it.
menu_command() {
    drv post "$MAIN_WINDOW" "$WM_COMMAND" "$1" 0
}

# Opens the settings dialog; DIALOG is its handle. The shell makes the dialog
# topmost once it is fully set up: only then do the tests touch it.
open_settings() {
    menu_command "$CMD_SETTINGS" || return 1
    DIALOG=$(settool dialog --timeout 10000)
    [ -n "$DIALOG" ] && retry 10 set__ready
}

set__ready() { [ "$(drv info "$DIALOG" | col 3,5)" = "$(printf '1\t1')" ]; }

press() {
    local vk
    for vk in "$@"; do
        drv key down "$vk" && drv key up "$vk" || return 1
    done
}

# The navigator's client size, "W H".
navigator_client() {
    drv find --title "Wideroom Navigator" --process wideroom.exe --timeout 5000 | col 10,11 | tr '\t' ' '
}

# Left and top of a window, "X Y".
top_left() {
    drv rect "$1" | cut -d' ' -f1,2
}

# line_index DIALOG LIST TEXT: the index of the first line of the list box
# that contains TEXT (empty when none).
line_index() {
    settool lines "$1" "$2" | awk -F'\t' -v t="$3" 'index($2, t) { print $1; exit }'
}

# list_texts DIALOG LIST: the lines' texts, without their indexes.
list_texts() {
    settool lines "$1" "$2" | cut -f2-
}

# expect_values WHAT EXPECTED: the dialog's values line (wrsettool values),
# given a moment: an edit follows its slider at the dialog's next message.
expect_values() {
    local what=$1 expected=$2 actual
    for _ in $(seq 25); do
        actual=$(settool values "$DIALOG")
        [ "$actual" = "$expected" ] && break
        sleep 0.2
    done
    expect_eq "$what" "$expected" "$actual"
}

# Waits until none of the windows has moved for half a second.
wait_still() {
    local before after
    before=$(for h in "$@"; do drv rect "$h"; done)
    for _ in $(seq 40); do
        sleep 0.5
        after=$(for h in "$@"; do drv rect "$h"; done)
        [ "$before" = "$after" ] && return 0
        before=$after
    done
    return 1
}

# moved_from H RECT: window H no longer has the rectangle RECT (drv rect).
moved_from() { [ "$(drv rect "$1")" != "$2" ]; }

# push_edge X Y H: holds the pointer at (X, Y) until window H has moved (at
# most 10 s), then brings it back to the middle and waits until H is still.
push_edge() {
    local start
    start=$(drv rect "$3")
    drv cursor "$1" "$2"
    retry 10 moved_from "$3" "$start"
    local rc=$?
    drv cursor 512 384
    wait_still "$3"
    return $rc
}

# The text of a file's bytes from OFFSET, up to the first zero byte within
# COUNT bytes.
field_at() {
    dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null | tr '\0' '\n' | head -n 1
}

# The number of bytes that are not zero in a file from OFFSET, COUNT long.
nonzero_bytes() {
    dd if="$1" bs=1 skip="$2" count="$3" 2>/dev/null | tr -d '\0' | wc -c
}

# Saves a picture of the screen in the work dir.
screenshot() {
    import -window root "$E2E_WORK/$1" && echo "screenshot: $E2E_WORK/$1"
}

# The tray icon's centre, "X Y", from two pictures of the notification area
# (lib.sh's tray_shot) without and with the icon.
tray_icon_centre() {
    local box w h x y
    box=$(convert "$1" "$2" -compose difference -composite -threshold 0 -trim -format '%w %h %X %Y' info: 2>/dev/null)
    read -r w h x y <<<"$box"
    [ -n "$y" ] && [ "$w" -lt 80 ] || return 1
    # The area's picture starts at (944, 748).
    echo "$((944 + x + w / 2)) $((748 + y + h / 2))"
}

# The settings dialog's controls as wrsettool controls lists them, freshly
# opened with the default settings: "id<TAB>class<TAB>text", in the order of
# the template (-1: no id).
expected_dialog_controls() {
    local row label minus slider plus edit value unit
    # label | "-" | slider | "+" | edit | value | unit
    for row in "仮想画面　横の倍率|1044|1030|1043|1023|5|倍" "仮想画面　縦の倍率|1046|1031|1045|1024|5|倍" \
        "最少移動量|1048|1032|1047|1025|1|ピクセル" "最大移動量|1050|1033|1049|1026|64|ピクセル" \
        "インターバル|1052|1034|1051|1027|30|ミリ秒" "NAVI画面縮尺率|1054|1035|1053|1028|25|分の１"; do
        IFS='|' read -r label minus slider plus edit value unit <<<"$row"
        printf -- '-1\tStatic\t%s\n%s\tButton\t-\n%s\tmsctls_trackbar32\t\n%s\tButton\t+\n%s\tEdit\t%s\n-1\tStatic\t%s\n' \
            "$label" "$minus" "$slider" "$plus" "$edit" "$value" "$unit"
    done
    printf '%s\n' $'-1\tButton\tスイッチキー' $'1040\tButton\tShift' $'1041\tButton\tCtrl' \
        $'-1\tButton\t最大化ウインドウを' $'1056\tButton\t動かす' $'1057\tButton\t動かさない' \
        $'-1\tButton\tスクロール' $'1058\tButton\tする' $'1059\tButton\tしない' \
        $'-1\tButton\t　動かしたくないウインドウを指定　' $'1036\tListBox\t' \
        $'1038\tButton\tこのウインドウは固定する' $'1037\tListBox\t' $'1039\tButton\t固定解除' \
        $'1017\tButton\t適　用' $'1018\tButton\tこの設定を保存' $'1019\tButton\tキャンセル' \
        $'1060\tButton\t詳細設定...'
}

# The options dialog's controls, as wrsettool controls lists them, opened
# with the default options.
expected_options_controls() {
    printf '%s\n' $'-1\tButton\t画面の端' \
        $'-1\tStatic\t端で止まる時間' $'1101\tEdit\t0' $'1102\tmsctls_updown32\t' $'-1\tStatic\tミリ秒 (0～2000)' \
        $'-1\tStatic\t角の除外幅' $'1103\tEdit\t0' $'1104\tmsctls_updown32\t' $'-1\tStatic\tピクセル (0～200)' \
        $'-1\tStatic\tページ送りの間隔' $'1105\tEdit\t0' $'1106\tmsctls_updown32\t' \
        $'-1\tStatic\tミリ秒 (0～3000)' $'-1\tStatic\tスクロールする端' $'1107\tButton\t左' \
        $'1108\tButton\t右' $'1109\tButton\t上' $'1110\tButton\t下' \
        $'1111\tButton\tドラッグ中のウインドウを端で次の画面へ運ぶ' $'1\tButton\tOK' $'2\tButton\tキャンセル'
}

# locale_checks TAG ACP TITLE TITLE_ESCAPED: every Japanese text of the
# program read back as UTF-16 under the locale that the test has set: the
# ANSI code page is ACP, and TITLE (given to wrsample as TITLE_ESCAPED, so
# that no conversion of the command line can touch it) is a window title that
# the code page can hold. Saves pictures of the dialog, a message box, the
# about box and the menu as *-TAG.png in the work dir.
locale_checks() {
    local tag=$1 acp=$2 title=$3 escaped=$4
    expect_eq "$tag: Wine runs with the ANSI code page $acp" "acp $acp" "$(settool locale | grep '^acp')"
    drv cursor 512 384
    start_sample --window "$escaped" 200 420 300 200 --many 20 1100 20 150 100 || return 1
    # Another program's window that bears the dialog's title: left out like
    # the dialog, where the code page can hold the title.
    if [ "$acp" = 932 ]; then
        start_sample --window 'Wideroom \u8a2d\u5b9a' 600 100 300 200 || return 1
    fi
    start_wideroom "$tag"
    wait_started || return 1

    # --- the settings dialog ---
    open_settings || return 1
    expect_eq "$tag: dialog caption" "Wideroom 設定" "$(settool text "$DIALOG")"
    expect_eq "$tag: dialog controls and their texts" "$(expected_dialog_controls)" "$(settool controls "$DIALOG")"
    local line="タイトル名 -> $title & クラス名 -> WrSample" index
    index=$(settool lines "$DIALOG" 1036 | awk -F'\t' -v t="$line" '$2 == t { print $1; exit }')
    expect "$tag: the window list shows the title" test -n "$index"
    if [ "$acp" = 932 ]; then
        expect_eq "$tag: a foreign window titled like the dialog is not offered" "" \
            "$(settool lines "$DIALOG" 1036 | awk -F'\t' 'index($2, "Wideroom 設定")')"
    fi
    settool fix "$DIALOG" "$index"
    expect_eq "$tag: the fixed list shows the title" "$line" "$(list_texts "$DIALOG" 1037)"
    screenshot "dialog-$tag.png"

    # --- the options dialog ---
    settool click "$DIALOG" 1060 --post
    local options
    options=$("$WE_WINE" "$E2E_WIN64/wropttool.exe" dialog --timeout 10000 | cut -f1)
    expect_eq "$tag: options dialog caption" "Wideroom 詳細設定" "$(settool text "$options")"
    expect_eq "$tag: options dialog controls and their texts" "$(expected_options_controls)" \
        "$(settool controls "$options")"
    screenshot "options-$tag.png"
    settool click "$options" 2
    "$WE_WINE" "$E2E_WIN64/wropttool.exe" nodialog --timeout 10000

    # --- the two refusals ---
    local box
    settool select "$DIALOG" 1036 "$index"
    settool click "$DIALOG" 1038 --post
    box=$(settool msgbox "$DIALOG" --timeout 10000)
    expect_eq "$tag: duplicate message box" "$(printf '二重登録\t既に登録されています')" "$(echo "$box" | cut -f2,3)"
    screenshot "msgbox-$tag.png"
    settool click "$(echo "$box" | cut -f1)" 1
    local n indexes=()
    for n in $(seq 19); do
        indexes+=("$(settool lines "$DIALOG" 1036 | awk -F'\t' -v t="wrsample $n " 'index($2, t) { print $1; exit }')")
    done
    settool fix "$DIALOG" "${indexes[@]}"
    settool select "$DIALOG" 1036 "$(line_index "$DIALOG" 1036 "wrsample 20 ")"
    settool click "$DIALOG" 1038 --post
    box=$(settool msgbox "$DIALOG" --timeout 10000)
    expect_eq "$tag: limit message box" "$(printf '登録数MAX\t固定するウインドウは20個までです')" \
        "$(echo "$box" | cut -f2,3)"
    settool click "$(echo "$box" | cut -f1)" 1
    settool click "$DIALOG" 1019
    settool nodialog --timeout 5000

    # --- the about box ---
    menu_command "$CMD_ABOUT"
    local about
    about=$(settool about --timeout 10000)
    expect_eq "$tag: about box caption" "バージョン情報" "$(settool text "$about")"
    # Without the icon's control, whose text is its resource number.
    expect_eq "$tag: about box texts" "$(printf -- '-1\tButton\t\n-1\tStatic\tWideroom\n-1\tStatic\tバージョン\n-1\tStatic\t2.03\n1\tButton\tOK')" \
        "$(settool controls "$about" | LC_ALL=C grep -v $'\tStatic\t\xef\xbf\xbf')"
    screenshot "about-$tag.png"
    press "$VK_RETURN"
    settool noabout --timeout 5000

    # --- the command menu ---
    expect_eq "$tag: menu texts" \
        "$(printf 'popup\tコマンド\n\t40017\tヘルプ\n\t40015\tバージョン情報\n\t40002\t設定\n\t-\n\t40003\t終了')" \
        "$(settool menufile "Z:$E2E_EXE" 101)"
    xdotool mousemove 300 300
    drv post "$MAIN_WINDOW" "$WM_TRAYICON" 0 "$WM_RBUTTONDOWN"
    settool popup --timeout 10000 >/dev/null
    screenshot "menu-$tag.png"
    press "$VK_ESCAPE"
    drv gone --class '#32768' --visible --timeout 5000

    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$tag: exit code" 0 "$WR_RC"
}
