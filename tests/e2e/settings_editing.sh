#!/bin/sh
# Editing the folder tree as a user does it, checked in the item file that
# OK writes: a new folder through the properties dialog (a path that does
# not exist is refused first), deleting with confirmation, a folder dragged
# with the mouse into a group, and the save before the drag restored.
. "$(dirname "$0")/lib.sh"
reset_tellaro
base="$WINEPREFIX/drive_c/TellaroE2E"
mkdir -p "$base/Work" "$base/Inner" "$base/New"
write_settings "group=Tools" "depth=1" "folder=C:\\TellaroE2E\\Inner|Inner" \
    "depth=0" "folder=C:\\TellaroE2E\\Work|Work"
start_tellaro
file="$(settings_dir)/Tellaro.tlr"
# The pointer goes back where it was: where a later check's menus open
# depends on it.
eval "$(xdotool getmouselocation --shell)"
pointer_x=$X pointer_y=$Y
NEW_FOLDER="フォルダの新規作成"
INPUT_NOTE="入力した値の注意"
CONFIRM="削除の確認"
RESTORE="以前の設定に戻す"

records() { settings_tool --dump "$(winpath "$file")" | tr -d '\r'; }
stamp() { stat -c '%i %s %y' "$file"; }
open_settings() {
    probe post "$CAPTION" 273 32784 0 || fail "cannot reach the main window"
    for _ in $(seq "$(seconds 10)"); do probe visible "$CAPTION" && break; sleep 0.5; done
    probe visible "$CAPTION" || fail "the settings window does not open"
    sleep 1
}
# OK, then the records it wrote.
press_ok() {
    before=$(stamp)
    probe post "$CAPTION" 273 1001 0
    for _ in $(seq "$(seconds 20)"); do [ "$(stamp)" != "$before" ] && break; sleep 0.5; done
    [ "$(stamp)" != "$before" ] || fail "OK did not write the item file"
    records >"$ARTIFACTS/$1.txt" || fail "the item file does not read back after $1"
}
point_of() {
    point=$(probe treeitem "$CAPTION" "$1") || fail "no node '$1' in the tree"
    echo "$point" | tr -d '\r'
}
click_node() {
    set -- $(point_of "$1")
    xdotool mousemove "$1" "$2" click 1
    sleep 0.5
}

# A new folder, created inside the menu root: a path that does not exist
# is refused and the dialog stays; an existing one is taken.
open_settings
probe post "$CAPTION" 273 40037 0
probe wait "$NEW_FOLDER" "$(seconds 10)" || fail "no properties dialog for a new folder"
probe settext "$NEW_FOLDER" 1250 'C:\TellaroE2E\Missing'
probe post "$NEW_FOLDER" 273 1253 0
probe wait "$INPUT_NOTE" "$(seconds 10)" || fail "a missing folder was not refused"
screenshot "properties-invalid-path"
probe post "$INPUT_NOTE" 273 1 0
probe gone "$INPUT_NOTE" "$(seconds 5)" || fail "the message does not close"
probe wait "$NEW_FOLDER" 0 || fail "the dialog closed with an invalid path"
probe settext "$NEW_FOLDER" 1250 'C:\TellaroE2E\New'
probe post "$NEW_FOLDER" 273 1253 0
probe gone "$NEW_FOLDER" "$(seconds 10)" || fail "the dialog stays open with a valid path"
screenshot "settings-new-folder"
press_ok "after-new-folder"
grep -qx '0 0 New|C:\\TellaroE2E\\New' "$ARTIFACTS/after-new-folder.txt" ||
    fail "the new folder is not in the item file: $(cat "$ARTIFACTS/after-new-folder.txt")"

# Deleting it again, after the confirmation.
open_settings
click_node New
probe post "$CAPTION" 273 40004 0
probe wait "$CONFIRM" "$(seconds 10)" || fail "deleting asks nothing"
screenshot "delete-confirmation"
probe post "$CONFIRM" 273 6 0
probe gone "$CONFIRM" "$(seconds 5)" || fail "the confirmation does not close"
press_ok "after-delete"
grep -q '^0 0 New|' "$ARTIFACTS/after-delete.txt" && fail "the deleted folder is still saved"

# Work dragged with the left button onto the group Tools becomes its first
# entry; the popup menu is built from exactly these records.
open_settings
set -- $(point_of Work)
from_x=$1 from_y=$2
set -- $(point_of Tools)
press_and_drag "$from_x" "$from_y" "$2"
screenshot "drag-onto-group"
xdotool mouseup 1
sleep 0.5
press_ok "after-drag"
expected="0 1 Tools|
1 0 Work|C:\\TellaroE2E\\Work
1 0 Inner|C:\\TellaroE2E\\Inner"
[ "$(head -n 3 "$ARTIFACTS/after-drag.txt")" = "$expected" ] ||
    fail "Work did not move into Tools: $(cat "$ARTIFACTS/after-drag.txt")"
# For the eye: the folder menu with Tools open. The menu opens at the
# pointer, which the drag left right of and below the screen's centre, so
# it unfolds up and left and its last entry, Tools, lies just above it.
probe post "$CAPTION" 1124 1 514
probe waitmenu "$(seconds 10)" || fail "no folder menu after OK"
sleep 0.5
xdotool mousemove_relative -- -40 -8
sleep 1
screenshot "menu-after-drag"
xdotool key Escape Escape
xdotool mousemove "$pointer_x" "$pointer_y"

# The save the drag replaced was kept: chosen from the folder menu and
# confirmed with OK, it is again what the item file, and so the popup menu,
# holds.
open_settings
probe post "$CAPTION" 273 40044 0
probe shown "$RESTORE" "$(seconds 10)" || fail "no dialog of kept saves"
screenshot "restore-dialog"
probe post "$RESTORE" 273 1 0
probe gone "$RESTORE" "$(seconds 5)" || fail "OK does not close the dialog of kept saves"
press_ok "after-restore"
cmp -s "$ARTIFACTS/after-restore.txt" "$ARTIFACTS/after-delete.txt" ||
    fail "the kept save was not restored: $(cat "$ARTIFACTS/after-restore.txt")"

# An installer closes a running copy with WM_CLOSE and gives up after a
# while: with the delete confirmation waiting for an answer, the program
# still ends within seconds, and neither the deletion nor anything else
# is saved.
before=$(stamp)
open_settings
click_node Tools
probe post "$CAPTION" 273 40004 0
probe wait "$CONFIRM" "$(seconds 10)" || fail "deleting the group asks nothing"
probe post "$CAPTION" 16 0 0
probe gone "$CAPTION" "$(seconds 5)" || fail "WM_CLOSE does not end the program under a message box"
for _ in $(seq "$(seconds 10)"); do kill -0 "$TELLARO_PID" 2>/dev/null || break; sleep 0.5; done
kill -0 "$TELLARO_PID" 2>/dev/null && fail "the process outlives its windows"
[ "$(stamp)" = "$before" ] || fail "the exit saved the item file"
[ "$(records)" = "$(cat "$ARTIFACTS/after-restore.txt")" ] || fail "the item file changed at the exit"
stop_tellaro
echo "editing the folder tree: ok"
