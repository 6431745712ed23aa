#!/bin/sh
# The other two ways in: the global hotkey pops up the menu, and so does a
# second launch when the options ask for it (after the configured wait).
. "$(dirname "$0")/lib.sh"
reset_tellaro
# Ctrl+Alt+Right as the hot-key control stores it: HOTKEYF_EXT (Right is an
# extended key) | HOTKEYF_ALT | HOTKEYF_CONTROL in the high byte, VK_RIGHT in
# the low.
write_settings hotkey=0x0E27 hotkeyNearTray=0 secondLaunchPopup=1 secondLaunchWaitMs=200
start_tellaro

# Wine sees keys only while one of its windows has the X focus: open the
# version box (the popup menu's about command) and focus it.
probe post "$CAPTION" 273 32786 0 || fail "cannot reach the main window"
sleep 1
xdotool search --name "Tellaro" windowfocus --sync >/dev/null 2>&1 || true
xdotool key ctrl+alt+Right
probe waitmenu "$(seconds 10)" || fail "the hotkey did not pop up the menu"
screenshot "hotkey-menu"
xdotool key Escape
probe nomenu 5 || fail "menu did not close"

"$TELLARO_LOADER" "$TELLARO_EXE" >/dev/null 2>&1
rc=$?
[ "$rc" -eq 255 ] || fail "second start exited with $rc, expected -1 (255)"
probe waitmenu "$(seconds 10)" || fail "a second launch did not pop up the menu"
screenshot "second-launch-menu"
xdotool key Escape
probe nomenu 5 || fail "menu did not close"
stop_tellaro
echo "hotkey and second launch: ok"
