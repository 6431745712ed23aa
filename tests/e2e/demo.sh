#!/bin/sh
# Shows, without a display, what a user sees: starts a virtual X server and
# Tellaro.exe in a private Wine prefix, takes screenshots of the first-start
# settings window, the tray menu, the options dialog and the version box,
# then exits the program.
# usage: demo.sh WINE_DIR Tellaro.exe probe.exe SCREENSHOT_DIR
set -u
here=$(dirname "$0")
"$here/../wine/wine-session.sh" start "$1" || exit 1
. "$here/lib.sh"
reset_tellaro
echo "Starting Tellaro.exe (a 32-bit program; under emulation this takes a while)"
start_tellaro
sleep 2
screenshot "1-first-start-settings-window"
probe post "$CAPTION" 273 1002 0
sleep 1
# What the shell sends when the user releases the left button on the icon.
probe post "$CAPTION" 1124 0 514
sleep "$(seconds 2)"
screenshot "2-tray-menu-left-click"
xdotool key Escape
sleep 1
probe post "$CAPTION" 1124 0 517
sleep "$(seconds 2)"
screenshot "3-tray-menu-right-click"
xdotool key Escape
sleep 1
# The options dialog and the version box, as their menu entries open them.
probe post "$CAPTION" 273 32785 0
sleep "$(seconds 2)"
screenshot "4-options-dialog"
probe post "$CAPTION" 273 1217 0
sleep 1
probe post "$CAPTION" 273 32786 0
sleep "$(seconds 2)"
screenshot "5-about-dialog"
probe post "$CAPTION" 273 1215 0
sleep 1
stop_tellaro
"$here/../wine/wine-session.sh" stop "$1"
echo "Screenshots are in $ARTIFACTS"
