#!/bin/sh
# From a click on the tray icon to an open folder, as a user does it: the
# shell's click message shows the folder menu; the keyboard chooses a user
# folder and a desktop folder, which open in Explorer windows, and a folder
# that is gone, which the program says it could not open; the right-click
# menu's exit entry ends the program with exit code 0.
. "$(dirname "$0")/lib.sh"
reset_tellaro
work="$WINEPREFIX/drive_c/TellaroE2E/Work"
desk="$(user_dir)/Desktop"
mkdir -p "$work"
rm -rf "$desk"/* "$WINEPREFIX/drive_c/users/Public/Desktop"/* 2>/dev/null
mkdir -p "$desk/DeskFolder"
write_settings "folder=C:\\TellaroE2E\\Gone|Gone" "folder=C:\\TellaroE2E\\Work|Work"
start_tellaro
probe visible "$CAPTION" && fail "the settings window opened although settings exist"

# Keys reach Wine's windows only while one of them has the X focus.
focus_menu() { xdotool search --class "#32768" windowfocus --sync >/dev/null 2>&1 || true; }
open_menu() {
    probe post "$CAPTION" 1124 1 "$1" || fail "cannot reach the main window"
    probe waitmenu "$(seconds 10)" || fail "no popup menu after the click message $1"
    sleep 0.5
    focus_menu
}

# Left click: the folder menu; Up from the top wraps to the last entry, the
# only user folder.
open_menu 514
screenshot "folder-menu"
xdotool key Up Return
probe waitclass ExplorerWClass Work "$(seconds 15)" || fail "no Explorer window for the user folder"
screenshot "explorer-user-folder"
probe closeclass ExplorerWClass
probe nomenu 5

# A folder that is gone: the shell fails on the launch's own thread and says
# so itself; the program adds no second message for the same failure.
open_menu 514
xdotool key Up Up Return
box="エラー"
probe waitclass "#32770" "$box" "$(seconds 15)" || fail "nothing said about the folder that is gone"
sleep 0.5
screenshot "open-failed"
probe texts "$box" | grep -qF '次の場所を開けませんでした' &&
    fail "the program's own message instead of the shell's: $(probe texts "$box")"
probe post "$box" 16 0 0
probe gone "$box" 5 || fail "the shell's message does not close"
probe waitclass "#32770" "$box" "$(seconds 3)" && fail "a second message for one failure: $(probe texts "$box")"

# The desktop submenu: Cancel, special folders 1 and 2, desktop.
open_menu 514
xdotool key Down Down Down Down Right
sleep 0.5
screenshot "desktop-submenu"
xdotool key Up Return
probe waitclass ExplorerWClass DeskFolder "$(seconds 15)" || fail "no Explorer window for the desktop folder"
probe closeclass ExplorerWClass
# Wine's desktop may go with the last Explorer window: the next check
# starts once it has.
for _ in $(seq 20); do probe waitclass ExplorerWClass DeskFolder 0 || break; sleep 0.5; done

# Right click: the folder-and-command menu; its exit entry ends the program.
open_menu 517
screenshot "folder-and-command-menu"
xdotool key x
wait "$TELLARO_PID"
rc=$?
TELLARO_PID=
[ "$rc" -eq 0 ] || fail "exit from the menu gave exit code $rc"
echo "tray menu to open folder: ok"
