#!/bin/sh
# On two monitors every window opens on the one the user works on: with the
# pointer on the second monitor, the settings window, the options dialog and
# the version box open inside it; the options dialog opened from the
# settings window stays on its monitor wherever the pointer is. Xephyr with two screens joined by Xinerama
# gives one display with two heads, inside the session's X server; Wine
# reports them as two monitors when told not to ask XRandR, which it reads
# when its server starts, so the check runs on its own copy of the prefix.
. "$(dirname "$0")/lib.sh"
command -v Xephyr >/dev/null 2>&1 || { echo "Xephyr is not installed" >&2; exit 77; }
work="$TELLARO_WINE_DIR/two-monitors"
rm -rf "$work"
mkdir -p "$work"
cp -a "$WINEPREFIX" "$work/prefix" || fail "cannot copy the prefix"
Xephyr -displayfd 3 -screen 800x600 -screen 800x600 +xinerama -ac -nolisten tcp \
    3>"$work/display" >/dev/null 2>&1 &
xephyr=$!
i=0
while [ ! -s "$work/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
[ -s "$work/display" ] || fail "Xephyr did not start"
export WINEPREFIX="$work/prefix" DISPLAY=":$(cat "$work/display")"
finish() {
    stop_tellaro
    wineserver -k 2>/dev/null
    kill "$xephyr" 2>/dev/null
    rm -rf "$work/prefix"
}
trap finish EXIT
"$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
wineserver -k 2>/dev/null
wineserver -w

reset_tellaro
write_settings "folder=C:\\windows|Windows"
start_tellaro
# The pointer on the second monitor, right of the first one's 800 pixels.
xdotool mousemove 1250 350
sleep 0.5

# "x,y wxh" of a window, checked against the second monitor.
opens_on_second() {
    rect=$(probe inside "$1" | tr -d '\r')
    x=${rect%%,*} rest=${rect#*,}
    y=${rest%% *} size=${rest#* }
    w=${size%x*} h=${size#*x}
    [ "$x" -ge 800 ] && [ $((x + w)) -le 1600 ] && [ "$y" -ge 0 ] && [ $((y + h)) -le 600 ] ||
        fail "$2 opened at $rect, not inside the second monitor (800,0 800x600)"
}
probe post "$CAPTION" 273 32784 0 || fail "cannot reach the main window"
probe shown "$CAPTION" "$(seconds 20)" || fail "the settings window does not open"
sleep 0.5
opens_on_second "$CAPTION" "the settings window"
OPTIONS="Tellaro Explorerの環境設定"
ABOUT="Tellaro Explorerのバージョン情報"
probe post "$CAPTION" 273 32785 0
probe shown "$OPTIONS" "$(seconds 10)" || fail "the options dialog does not open"
sleep 0.5
opens_on_second "$OPTIONS" "the options dialog"
probe post "$CAPTION" 273 32786 0
probe shown "$ABOUT" "$(seconds 10)" || fail "the version box does not open"
sleep 0.5
opens_on_second "$ABOUT" "the version box"
# Opened with the keyboard from the settings window's menu, the pointer
# left on the first monitor: the dialog stays with the settings window.
probe post "$OPTIONS" 273 1217 0
probe hidden "$OPTIONS" "$(seconds 10)" || fail "the options dialog does not close"
xdotool mousemove 300 300
sleep 0.5
probe post "$CAPTION" 273 40003 0
probe shown "$OPTIONS" "$(seconds 10)" || fail "the options dialog does not open from the settings window"
sleep 0.5
opens_on_second "$OPTIONS" "the options dialog opened from the settings window"
import -display "$DISPLAY" -window root "$ARTIFACTS/two-monitors.png" 2>/dev/null &&
    echo "screenshot: $ARTIFACTS/two-monitors.png"
echo "windows open on the pointer's monitor: ok"
