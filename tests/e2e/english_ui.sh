#!/bin/sh
# The program where Windows cannot show its Japanese texts: an English system
# (code page 1252), and a Japanese reader whose programs keep code page 1252
# (interface language Japanese, whom the resource loader alone would hand
# the Japanese texts). Both meet the English texts: the first-start settings
# window and the options dialog, read from outside, hold the English
# resources' words and no "?" of a text the code page could not show.
. "$(dirname "$0")/lib.sh"
EN_RC="$(dirname "$0")/../../res/tellaro_en.rc"
[ -f "$EN_RC" ] || fail "no English resources at $EN_RC"
# The English text of a control or string id, as the resources spell it,
# without its accelerator mark.
en_text() { sed -n "s/.*\"\\([^\"]*\\)\",* *$1\\b.*/\\1/p; s/^ *$1 *\"\\(.*\\)\"/\\1/p" "$EN_RC" | head -n 1 | tr -d '&'; }
OPTIONS=$(sed -n '/^IDD_OPTIONS /,/^BEGIN/s/^CAPTION *"\(.*\)"/\1/p' "$EN_RC")
[ -n "$OPTIONS" ] || fail "no caption of the English options dialog"

# Every text 7-bit, none with a "?", and the expected words among them.
# usage: expect_english WINDOW WHAT WORD...
expect_english() {
    texts=$(probe texts "$1") || fail "no window '$1' ($2)"
    texts=$(echo "$texts" | tr -d '\r')
    echo "$texts" | LC_ALL=C grep -q '[^ -~]' && fail "$2: not 7-bit: $texts"
    echo "$texts" | grep -qF '?' && fail "$2: a text the code page could not show: $texts"
    shift 2
    for word in "$@"; do
        echo "$texts" | grep -qxF "$word" || fail "no '$word' among: $texts"
    done
}

# usage: check_locale NAME ENV-ARGUMENTS
check_locale() {
    TELLARO_LOCALE=$2
    reset_tellaro
    start_tellaro
    probe shown "$CAPTION" "$(seconds 10)" || fail "$1: no first-start settings window"
    sleep 1
    screenshot "$1-settings-window"
    expect_english "$CAPTION" "$1 settings window" "$(en_text IDC_SETTINGS_CANCEL)"
    probe treeitem "$CAPTION" "$(en_text IDS_MENU_ROOT)" >/dev/null ||
        fail "$1: no tree root labelled '$(en_text IDS_MENU_ROOT)'"
    probe post "$CAPTION" 273 1002 0
    probe hidden "$CAPTION" 5 || fail "$1: Cancel did not hide the settings window"
    # What the shell sends when a button is released on the icon.
    for click in left:514 right:517; do
        probe post "$CAPTION" 1124 0 "${click#*:}"
        probe waitmenu "$(seconds 5)" || fail "$1: no tray menu on a ${click%:*} click"
        sleep 0.5
        screenshot "$1-tray-menu-${click%:*}"
        # Keys reach Wine's menu through the focused X window.
        xdotool search --onlyvisible --class "#32768" windowfocus --sync >/dev/null 2>&1 || true
        xdotool key Escape
        probe nomenu 5 || fail "$1: the tray menu did not close"
    done
    probe post "$CAPTION" 273 32785 0
    probe shown "$OPTIONS" "$(seconds 10)" || fail "$1: no options dialog captioned '$OPTIONS'"
    sleep 1
    screenshot "$1-options-dialog"
    expect_english "$OPTIONS" "$1 options dialog" "$(en_text IDC_OPTIONS_CANCEL)" \
        "$(en_text IDC_OPTIONS_HOTKEY_NEAR_TRAY)"
    probe post "$OPTIONS" 273 1217 0
    probe hidden "$OPTIONS" 5 || fail "$1: Cancel did not hide the options dialog"
    stop_tellaro
}

check_locale english "-u LC_ALL LANG=en_US.UTF-8"
check_locale japanese-reader-1252 "-u LC_ALL LANG=en_US.UTF-8 LC_MESSAGES=ja_JP.UTF-8"
echo "English interface under code page 1252: ok"
