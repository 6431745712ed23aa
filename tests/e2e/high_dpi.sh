#!/bin/sh
# The program at 150 and 200 % (144 and 192 DPI). Each DPI gets a copy of the
# session's prefix with its own wineserver and an X server the size such a
# screen comes with, so that every other check keeps 96 DPI. There the Win32
# tests' check reads the settings tree's image size, which must be the
# system's small-icon size at that DPI, and screenshots of the settings
# window (with the special folders' shell icons), a drag, the properties
# dialog, the tray menus, the options dialog and the version box are saved
# for the eye.
. "$(dirname "$0")/lib.sh"
wine_scripts=$(cd "$(dirname "$0")/../wine" && pwd)
tests_exe=$(dirname "$TELLARO_EXE")/tellaro_win32_tests.exe
[ -f "$tests_exe" ] || { echo "no $tests_exe in this build" >&2; exit 77; }
shared_dir=$TELLARO_WINE_DIR
shared_prefix=$WINEPREFIX
OPTIONS="Tellaro Explorerの環境設定"
ABOUT="Tellaro Explorerのバージョン情報"
NEW_FOLDER="フォルダの新規作成"
SPECIAL1="特殊フォルダ１"
SPECIAL2="特殊フォルダ２"

dpi_dir=
leave_dpi() {
    [ -n "$dpi_dir" ] || return 0
    stop_tellaro
    "$wine_scripts/wine-session.sh" stop "$dpi_dir"
    rm -rf "$dpi_dir"
    dpi_dir=
    TELLARO_WINE_DIR=$shared_dir
    . "$wine_scripts/wine-env.sh"
}
trap leave_dpi EXIT

# usage: enter_dpi DPI SCREEN_WIDTHxHEIGHT
enter_dpi() {
    dpi_dir="$shared_dir-dpi$1"
    rm -rf "$dpi_dir" && mkdir -p "$dpi_dir" && cp -a "$shared_prefix" "$dpi_dir/prefix" ||
        fail "cannot copy the prefix to $dpi_dir"
    # Wine reads the DPI when the prefix's wineserver starts: it is set with
    # a wineserver of its own, which ends before the session starts.
    for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
        env -u DISPLAY WINEPREFIX="$dpi_dir/prefix" "$WINE64" reg add "$key" /v LogPixels \
            /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || fail "cannot set LogPixels at $1 DPI"
    done
    WINEPREFIX="$dpi_dir/prefix" wineserver -w
    # The session starts no X server when one is running for its folder.
    Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp 3>"$dpi_dir/display" >/dev/null 2>&1 &
    echo $! >"$dpi_dir/xvfb.pid"
    for _ in $(seq 100); do [ -s "$dpi_dir/display" ] && break; sleep 0.1; done
    "$wine_scripts/wine-session.sh" start "$dpi_dir" >/dev/null || fail "no session at $1 DPI"
    TELLARO_WINE_DIR=$dpi_dir
    . "$wine_scripts/wine-env.sh"
}

# Sets x and y to the screen point at the middle of the node so labelled.
locate() {
    point=$(probe treeitem "$CAPTION" "$1" | tr -d '\r')
    [ -n "$point" ] || fail "no node '$1' in the tree"
    x=${point% *} y=${point#* }
}

# usage: drag_to Y NAME: drags the node Fonts up to height Y of the screen
# and back, where the drop changes nothing.
drag_to() {
    locate Fonts
    press_and_drag "$x" "$y" "$1"
    screenshot "dpi$dpi-drag-over-$2"
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
}

# usage: tray_menu BUTTON_UP_MESSAGE NAME
tray_menu() {
    xdotool mousemove 300 200
    probe post "$CAPTION" 1124 0 "$1" || fail "cannot reach the main window"
    probe waitmenu "$(seconds 10)" || fail "no tray menu ($2)"
    sleep 0.5
    screenshot "dpi$dpi-$2"
    # Keys reach the menu through the window under the pointer.
    xdotool mousemove 305 205 key Escape
    probe nomenu 5 || fail "the tray menu ($2) did not close"
}

# usage: show_dialog COMMAND CAPTION CLOSE_ID NAME
show_dialog() {
    probe post "$CAPTION" 273 "$1" 0 || fail "cannot reach the main window"
    probe shown "$2" "$(seconds 10)" || fail "no window '$2'"
    sleep 0.5
    screenshot "dpi$dpi-$4"
    probe post "$2" 273 "$3" 0
    probe hidden "$2" 5 || probe gone "$2" 0 || fail "'$2' did not close"
}

# DPI, small-icon size, screen.
for setting in "144 24 1536x1152" "192 32 2048x1536"; do
    set -- $setting
    dpi=$1 small=$2
    enter_dpi "$dpi" "$3"
    TELLARO_SMALL_ICON=$small "$(wine_for "$tests_exe")" "$tests_exe" \
        --gtest_filter=SettingsWindowTest.ImagesAreTheSystemsSmallIcons \
        >"$ARTIFACTS/dpi$dpi-image-size.txt" 2>&1 ||
        fail "the tree's images are not $small pixels at $dpi DPI: see $ARTIFACTS/dpi$dpi-image-size.txt"

    reset_tellaro
    write_settings "group=Tools" "depth=1" "folder=C:\\windows|Windows" "sep=" "depth=0" \
        "folder=C:\\windows\\Fonts|Fonts"
    start_tellaro
    probe post "$CAPTION" 273 32784 0 || fail "cannot reach the main window"
    probe shown "$CAPTION" "$(seconds 10)" || fail "the settings window does not open"
    sleep 1
    # The first table of special folders unfolded, with the shell's icons.
    locate "$SPECIAL1"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool key Right
    sleep 1
    screenshot "dpi$dpi-settings"
    # Folded again, so that the user's nodes are in view.
    xdotool key Left
    sleep 0.5

    # A drag over a group, with the arrow; then, with the second table of
    # special folders unfolded, over its last entry, with the no-entry sign.
    locate Tools
    drag_to "$y" group
    locate "$SPECIAL2"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    xdotool key Right
    sleep 0.5
    locate Fonts
    row_below=$y
    locate Tools
    drag_to $((y - (row_below - y))) special-folder

    probe post "$CAPTION" 273 40037 0
    probe wait "$NEW_FOLDER" "$(seconds 10)" || fail "no properties dialog"
    sleep 0.5
    screenshot "dpi$dpi-properties"
    probe post "$NEW_FOLDER" 273 1254 0
    probe gone "$NEW_FOLDER" 5 || fail "the properties dialog did not close"
    probe post "$CAPTION" 273 1002 0
    probe hidden "$CAPTION" 5 || fail "Cancel did not hide the settings window"

    tray_menu 514 tray-menu-left-click
    tray_menu 517 tray-menu-right-click
    show_dialog 32785 "$OPTIONS" 1217 options
    show_dialog 32786 "$ABOUT" 1215 about
    leave_dpi
done
echo "icons at 144 and 192 DPI: ok"
