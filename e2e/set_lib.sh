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
VK_A=65

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

# menu_command ID: a menu command, as the tray menu sends it to MAIN_WINDOW
# (wait_wideroom_ready sets it).
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

# use_language ja|en|auto: the interface language of the next start, as the
# options file sets it. Wine's own UI language follows LC_ALL (English under
# the tests' C.UTF-8), so the tests that read Japanese texts ask for them.
use_language() {
    printf '[General]\r\nLanguage=%s\r\n' "$1" >"$E2E_CWD/Wideroom.ini"
}

# texts LANG: sets the program's texts in that language (ja or en) as shell
# variables T_*, for the expectations below.
texts() {
    local row name ja en
    # name | Japanese | English
    for row in "CAPTION|Wideroom 設定|Wideroom Settings" "ABOUT|バージョン情報|About Wideroom" \
        "OPTIONS|Wideroom 詳細設定|Wideroom Options" \
        "VERSION|バージョン|Version" "PREFIX|タイトル名 -> |Title -> " "MIDDLE| & クラス名 -> | & Class -> " \
        "DUP_CAPTION|二重登録|Already fixed" "DUP_TEXT|既に登録されています|This window is already on the list." \
        "FULL_CAPTION|登録数MAX|List full" "FULL_TEXT|固定するウインドウは20個までです|At most 20 windows can be fixed." \
        "MENU|コマンド ヘルプ バージョン情報 設定 終了|Commands &Help &About &Settings E&xit"; do
        IFS='|' read -r name ja en <<<"$row"
        if [ "$1" = ja ]; then printf -v "T_$name" '%s' "$ja"; else printf -v "T_$name" '%s' "$en"; fi
    done
    local menu
    read -r -a menu <<<"$T_MENU"
    T_MENU=$(printf 'popup\t%s\n\t40017\t%s\n\t40015\t%s\n\t40002\t%s\n\t-\n\t40003\t%s' "${menu[@]}")
}

# The settings dialog's controls as wrsettool controls lists them, freshly
# opened with the default settings, in LANG (ja, or en): "id<TAB>class<TAB>
# text", in the order of the template (-1: no id).
expected_dialog_controls() {
    local row label minus slider plus edit value unit rows texts
    if [ "${1:-ja}" = ja ]; then
        rows=("仮想画面　横の倍率|1044|1030|1043|1023|5|倍" "仮想画面　縦の倍率|1046|1031|1045|1024|5|倍"
            "最少移動量|1048|1032|1047|1025|1|ピクセル" "最大移動量|1050|1033|1049|1026|64|ピクセル"
            "インターバル|1052|1034|1051|1027|30|ミリ秒" "NAVI画面縮尺率|1054|1035|1053|1028|25|分の１")
        texts=(スイッチキー 最大化ウインドウを 動かす 動かさない スクロール する しない
            "　動かしたくないウインドウを指定　" このウインドウは固定する 固定解除 "適　用" この設定を保存 キャンセル "詳細設定...")
    else
        rows=("Desktop width|1044|1030|1043|1023|5|screens" "Desktop height|1046|1031|1045|1024|5|screens"
            "Minimum step|1048|1032|1047|1025|1|pixels" "Maximum step|1050|1033|1049|1026|64|pixels"
            "Interval|1052|1034|1051|1027|30|ms" "Map scale|1054|1035|1053|1028|25|x smaller")
        texts=("Switch keys" "Maximized windows" Move Keep Scrolling On "Off (pages)"
            " Windows that never move " "Fix this window" Release Apply "Save settings" Cancel "Options...")
    fi
    # label | "-" | slider | "+" | edit | value | unit
    for row in "${rows[@]}"; do
        IFS='|' read -r label minus slider plus edit value unit <<<"$row"
        printf -- '-1\tStatic\t%s\n%s\tButton\t-\n%s\tmsctls_trackbar32\t\n%s\tButton\t+\n%s\tEdit\t%s\n-1\tStatic\t%s\n' \
            "$label" "$minus" "$slider" "$plus" "$edit" "$value" "$unit"
    done
    printf '%s\n' "-1	Button	${texts[0]}" $'1040\tButton\tShift' $'1041\tButton\tCtrl' \
        "-1	Button	${texts[1]}" "1056	Button	${texts[2]}" "1057	Button	${texts[3]}" \
        "-1	Button	${texts[4]}" "1058	Button	${texts[5]}" "1059	Button	${texts[6]}" \
        "-1	Button	${texts[7]}" $'1036\tListBox\t' \
        "1038	Button	${texts[8]}" $'1037\tListBox\t' "1039	Button	${texts[9]}" \
        "1017	Button	${texts[10]}" "1018	Button	${texts[11]}" "1019	Button	${texts[12]}" \
        "1060	Button	${texts[13]}"
}

# The options dialog's controls as wrsettool controls lists them, opened with
# the default options, in LANG (ja, or en); with a second word "held",
# Ctrl+Alt+Right is held by another program and its field marked.
expected_options_controls() {
    local row id class ja en
    # id | class | Japanese | English
    for row in "1240|SysTabControl32||" "-1|Button|画面の端|Screen edges" "-1|Static|端で止まる時間|Rest at an edge" "1101|Edit|0|0" \
        "1102|msctls_updown32||" "-1|Static|ミリ秒 (0～2000)|ms (0 to 2000)" "-1|Static|角の除外幅|Corner margin" \
        "1103|Edit|0|0" "1104|msctls_updown32||" "-1|Static|ピクセル (0～200)|pixels (0 to 200)" \
        "-1|Static|ページ送りの間隔|Pause between pages" "1105|Edit|0|0" "1106|msctls_updown32||" \
        "-1|Static|ミリ秒 (0～3000)|ms (0 to 3000)" "-1|Static|スクロールする端|Edges that scroll" \
        "1107|Button|左|Left" "1108|Button|右|Right" "1109|Button|上|Top" "1110|Button|下|Bottom" \
        "1111|Button|ドラッグ中のウインドウを端で次の画面へ運ぶ|Carry a dragged window across an edge" \
        "1112|Button|全画面のプログラムが前面にある間は端でスクロールしない|Pause the edges while a full-screen program is in front" \
        "-1|Button|キー操作 (例: Ctrl+Alt+Right、空欄 = なし)|Keys (e.g. Ctrl+Alt+Right; empty = none)" \
        "-1|Static|左へ 1 画面|One screen left" "1120|Edit|Ctrl+Alt+Left|Ctrl+Alt+Left" "1130|Static||" \
        "-1|Static|右へ 1 画面|One screen right" "1121|Edit|Ctrl+Alt+Right|Ctrl+Alt+Right" "1131|Static|× 他のプログラムが使用中です|× In use by another program" \
        "-1|Static|上へ 1 画面|One screen up" "1122|Edit|Ctrl+Alt+Up|Ctrl+Alt+Up" "1132|Static||" \
        "-1|Static|下へ 1 画面|One screen down" "1123|Edit|Ctrl+Alt+Down|Ctrl+Alt+Down" "1133|Static||" \
        "-1|Static|最初の位置 (中央) へ|Back to the start (centre)" "1124|Edit|Ctrl+Alt+Home|Ctrl+Alt+Home" "1134|Static||" \
        "-1|Static|前面のウィンドウを連れて左へ|Carry the front window left" "1125|Edit|Ctrl+Alt+Shift+Left|Ctrl+Alt+Shift+Left" "1135|Static||" \
        "-1|Static|前面のウィンドウを連れて右へ|Carry the front window right" "1126|Edit|Ctrl+Alt+Shift+Right|Ctrl+Alt+Shift+Right" "1136|Static||" \
        "-1|Static|前面のウィンドウを連れて上へ|Carry the front window up" "1127|Edit|Ctrl+Alt+Shift+Up|Ctrl+Alt+Shift+Up" "1137|Static||" \
        "-1|Static|前面のウィンドウを連れて下へ|Carry the front window down" "1128|Edit|Ctrl+Alt+Shift+Down|Ctrl+Alt+Shift+Down" "1138|Static||" \
        "-1|Static|ナビゲータの表示 / 非表示|Show / hide the navigator" "1129|Edit||" "1139|Static||" \
        "1180|Button|ナビゲータの地図の上のホイールで表示を動かす|Move the view with the wheel over the navigator map" \
        "-1|Button|画面の外のウインドウが前面に来たとき|When a window out of view comes to the front" \
        "1220|Button|表示をウインドウのところへ動かす|The view goes to the window" \
        "1221|Button|ウインドウを表示の中へ連れてくる|The window comes to the view" "1222|Button|何もしない|Off" \
        "-1|Button|ウインドウの規則 (番号順に試し、最初に合った規則を使う)|Window rules (tried in order; the first that matches counts)" \
        "1241|ListBox||" "1242|Button|追加(&A)...|&Add..." "1243|Button|編集(&E)...|&Edit..." \
        "1244|Button|削除(&R)|&Remove" "1245|Button|上へ(&U)|&Up" "1246|Button|下へ(&D)|&Down" \
        "-1|Button|全般|General" "-1|Static|表示言語（次の起動から）|Language (at next start)" \
        "1140|Button|自動|Automatic" "1141|Button|日本語|日本語" "1142|Button|English|English" \
        "1143|Button|Windows と同時に起動する|Start with Windows" "1|Button|OK|OK" "2|Button|キャンセル|Cancel"; do
        IFS='|' read -r id class ja en <<<"$row"
        if [ "$id" = 1131 ] && [ "${2:-}" != held ]; then ja="" en=""; fi
        if [ "${1:-ja}" = ja ]; then printf '%s\t%s\t%s\n' "$id" "$class" "$ja"; else printf '%s\t%s\t%s\n' "$id" "$class" "$en"; fi
    done
}

# locale_checks TAG LANG ACP TITLE TITLE_ESCAPED: every text of the program
# read back as UTF-16 under the locale that the test has set, expected in
# LANG (ja or en): the ANSI code page is ACP, and TITLE (given to wrsample as
# TITLE_ESCAPED, so that no conversion of the command line can touch it) is a
# window title that the code page can hold. Saves pictures of the dialog, a
# message box, the about box and the menu as *-TAG.png in the work dir.
locale_checks() {
    local tag=$1 lang=$2 acp=$3 title=$4 escaped=$5
    texts "$lang"
    expect_eq "$tag: Wine runs with the ANSI code page $acp" "acp $acp" "$(settool locale | grep '^acp')"
    drv cursor 512 384
    start_sample --window "$escaped" 200 420 300 200 --many 20 1100 20 150 100 || return 1
    # Another program's window that bears the dialog's title: left out like
    # the dialog, where the code page can hold the title.
    if [ "$acp" = 932 ]; then
        start_sample --window 'Wideroom \u8a2d\u5b9a' 600 100 300 200 || return 1
    fi
    # Another program holds Ctrl+Alt+Right: the options dialog marks it.
    local holder
    we_start "$E2E_WORK/holder.out" "$E2E_WORK/holder.err" "$E2E_WIN64/wrkeyholder.exe" 3 0x27
    holder=$WE_PID
    wait_for_line "$E2E_WORK/holder.out" '^ready$' 30
    expect_eq "$tag: the helper holds Ctrl+Alt+Right" "taken 3 39" "$(head -n 1 "$E2E_WORK/holder.out")"
    start_wideroom "$tag"
    wait_wideroom_ready || return 1

    # --- the settings dialog ---
    open_settings || return 1
    expect_eq "$tag: dialog caption" "$T_CAPTION" "$(settool text "$DIALOG")"
    expect_eq "$tag: dialog controls and their texts" "$(expected_dialog_controls "$lang")" "$(settool controls "$DIALOG")"
    local line="$T_PREFIX$title${T_MIDDLE}WrSample" index
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
    expect_eq "$tag: options dialog caption" "$T_OPTIONS" "$(settool text "$options")"
    expect_eq "$tag: options dialog controls and their texts" "$(expected_options_controls "$lang" held)" \
        "$(settool controls "$options")"
    screenshot "options-$tag.png"
    settool click "$options" 2
    "$WE_WINE" "$E2E_WIN64/wropttool.exe" nodialog --timeout 10000

    # --- the two refusals ---
    local box
    settool select "$DIALOG" 1036 "$index"
    settool click "$DIALOG" 1038 --post
    box=$(settool msgbox "$DIALOG" --timeout 10000)
    expect_eq "$tag: duplicate message box" "$(printf '%s\t%s' "$T_DUP_CAPTION" "$T_DUP_TEXT")" "$(echo "$box" | cut -f2,3)"
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
    expect_eq "$tag: limit message box" "$(printf '%s\t%s' "$T_FULL_CAPTION" "$T_FULL_TEXT")" \
        "$(echo "$box" | cut -f2,3)"
    settool click "$(echo "$box" | cut -f1)" 1
    settool click "$DIALOG" 1019
    settool nodialog --timeout 5000

    # --- the about box ---
    menu_command "$CMD_ABOUT"
    local about
    about=$(settool about --timeout 10000)
    expect_eq "$tag: about box caption" "$T_ABOUT" "$(settool text "$about")"
    # Without the icon's control, whose text is its resource number.
    expect_eq "$tag: about box texts" "$(printf -- '-1\tButton\t\n-1\tStatic\tWideroom\n-1\tStatic\t%s\n-1\tStatic\t%s\n1\tButton\tOK' "$T_VERSION" "$(cat "$E2E_ROOT/VERSION")")" \
        "$(settool controls "$about" | LC_ALL=C grep -v $'\tStatic\t\xef\xbf\xbf')"
    screenshot "about-$tag.png"
    press "$VK_RETURN"
    settool noabout --timeout 5000

    # --- the command menu ---
    expect_eq "$tag: menu texts in the exe" "$T_MENU" "$(settool menufile "Z:$E2E_EXE" 101 "$lang")"
    xdotool mousemove 300 300
    drv post "$MAIN_WINDOW" "$WM_TRAYICON" 0 "$WM_RBUTTONDOWN"
    settool popup --timeout 10000 >/dev/null
    screenshot "menu-$tag.png"
    # The open menu cannot be read from another process; its mnemonics show
    # which one it is: only the English menu has "&About".
    press "$VK_A"
    if [ "$lang" = en ]; then
        about_by_key() { settool about --timeout 10000 >/dev/null; }
        expect "$tag: A in the open menu opens the about box" about_by_key
        press "$VK_RETURN"
        settool noabout --timeout 5000
    else
        sleep 1
        menu_open() { drv find --class '#32768' --visible --timeout 1000 >/dev/null; }
        expect "$tag: the open menu has no mnemonics" menu_open
        press "$VK_ESCAPE"
    fi
    drv gone --class '#32768' --visible --timeout 5000

    menu_command "$CMD_EXIT"
    wait_wideroom_exit 30
    expect_eq "$tag: exit code" 0 "$WR_RC"
    we_stop "$holder"
}
