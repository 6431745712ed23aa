#!/bin/sh
# The portable zip unpacked into a folder of its own, as onto a USB stick:
# the program and its marker keep the settings there. A folder added and
# confirmed with OK is in the item file beside the program, the marker
# records the code page, and nothing was written to the per-user folder.
# usage: portable.sh WINE_DIR Tellaro.exe probe.exe ARTIFACT_DIR PORTABLE.zip
. "$(dirname "$0")/../e2e/lib.sh"
ZIP=$5
[ -f "$ZIP" ] || fail "no portable zip at $ZIP"
stick="$WINEPREFIX/drive_c/TellaroStick"
reset_tellaro
rm -rf "$stick"
mkdir -p "$stick/Work"
unzip -q -o "$ZIP" Tellaro.exe Tellaro.portable -d "$stick" || fail "cannot unpack $ZIP"
TELLARO_EXE="$stick/Tellaro.exe"
start_tellaro
NEW_FOLDER="フォルダの新規作成"

# A first start of a portable copy: its defaults are written beside it.
probe shown "$CAPTION" "$(seconds 20)" || fail "the first start shows no settings window"
[ -f "$stick/Tellaro.tlr" ] || fail "no item file beside the portable program"
probe post "$CAPTION" 273 40037 0
probe wait "$NEW_FOLDER" "$(seconds 10)" || fail "no properties dialog for a new folder"
probe settext "$NEW_FOLDER" 1250 'C:\TellaroStick\Work'
probe post "$NEW_FOLDER" 273 1253 0
probe gone "$NEW_FOLDER" "$(seconds 10)" || fail "the new folder was not taken"
probe post "$CAPTION" 273 1001 0
sleep 2
settings_tool --dump "$(winpath "$stick/Tellaro.tlr")" | tr -d '\r' |
    grep -qx '0 0 Work|C:\\TellaroStick\\Work' || fail "the folder is not in the item file beside the program"
grep -q '^CodePage=932' "$stick/Tellaro.portable" || fail "the marker does not record the code page"
[ -z "$(settings_dir)" ] || fail "settings were written to the per-user folder: $(settings_dir)"
stop_tellaro
echo "portable copy keeps its settings beside it: ok"
