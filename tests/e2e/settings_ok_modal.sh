#!/bin/sh
# OK on a tree of more than 1000 records cuts it and says so in a message
# box, whose message loop lets tray messages through. A double-click on the
# icon meanwhile (whose default action shows the settings window) and a
# second OK must not lose a folder's path: the item file holds the 1000
# folders, each with its path.
. "$(dirname "$0")/lib.sh"
reset_tellaro
base="$WINEPREFIX/drive_c/TellaroE2E"
mkdir -p "$base/New"
set --
for i in $(seq 1000); do set -- "$@" "folder=C:\\TellaroE2E\\F$i|F$i"; done
write_settings "$@"
start_tellaro
file="$(settings_dir)/Tellaro.tlr"
NEW_FOLDER="フォルダの新規作成"
TOO_MANY="ユーザー設定件数のオーバー"

probe post "$CAPTION" 273 32784 0 || fail "cannot reach the main window"
probe shown "$CAPTION" "$(seconds 20)" || fail "the settings window does not open"
sleep 1
probe post "$CAPTION" 273 40037 0
probe wait "$NEW_FOLDER" "$(seconds 10)" || fail "no properties dialog for a new folder"
probe settext "$NEW_FOLDER" 1250 'C:\TellaroE2E\New'
probe post "$NEW_FOLDER" 273 1253 0
probe gone "$NEW_FOLDER" "$(seconds 10)" || fail "the new folder was not taken"
probe post "$CAPTION" 273 1001 0
probe wait "$TOO_MANY" "$(seconds 20)" || fail "no message about the cut list"
probe post "$CAPTION" 1124 1 515
sleep 1
screenshot "cut-message-after-tray-double-click"
probe post "$TOO_MANY" 273 1 0
probe gone "$TOO_MANY" "$(seconds 10)" || fail "the message does not close"
sleep 1
probe post "$CAPTION" 273 1001 0
sleep 2
records=$(settings_tool --dump "$(winpath "$file")" | tr -d '\r') ||
    fail "the item file does not read back"
count=$(printf '%s\n' "$records" | grep -c '^0 0 ')
pathless=$(printf '%s\n' "$records" | grep -c '|$')
[ "$count" -eq 1000 ] || fail "$count folder records saved instead of 1000"
[ "$pathless" -eq 0 ] || fail "$pathless folders saved without their path"
printf '%s\n' "$records" | grep -qx '0 0 F1000|C:\\TellaroE2E\\F1000' ||
    fail "the last folder is not saved as it was"
stop_tellaro
echo "OK with a cut list while the tray is used: ok"
