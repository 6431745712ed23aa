#!/bin/sh
# The help command of a program that has its user guide beside it opens the
# guide through the shell, and a window's Help button opens it at that
# window's section; without the guide, or without a program for .html, it
# says so in a message box. The shell's handler for .html is replaced by one
# that records what it was asked to open, and put back at the end.
. "$(dirname "$0")/lib.sh"
guide="$(dirname "$0")/../../docs/Tellaro.html"
folder="$WINEPREFIX/drive_c/TellaroHelp"
record="$folder/opened.txt"
classes='HKLM\Software\Classes'
reset_tellaro
rm -rf "$folder"
mkdir -p "$folder"
cp "$TELLARO_EXE" "$guide" "$folder/"
TELLARO_EXE="$folder/Tellaro.exe"
write_settings "folder=C:\\windows|Windows"

previous=$("$WINE64" reg query "$classes\\.html" /ve 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *([^)]*) *REG_SZ *//p')
restore() { "$WINE64" reg add "$classes\\.html" /ve /d "${previous:-htmlfile}" /f >/dev/null 2>&1; }
trap restore EXIT
"$WINE64" reg add "$classes\\TellaroTestPage\\shell\\open\\command" /ve /f \
    /d 'C:\windows\system32\cmd.exe /c echo %1> C:\TellaroHelp\opened.txt' >/dev/null 2>&1
"$WINE64" reg add "$classes\\.html" /ve /d TellaroTestPage /f >/dev/null 2>&1 ||
    fail "cannot register the recording .html handler"

start_tellaro
probe post "$CAPTION" 273 32787 0 || fail "cannot send the help command"
i=0
while [ ! -s "$record" ] && [ $i -lt 20 ]; do sleep 0.5; i=$((i + 1)); done
grep -qi 'C:\\TellaroHelp\\Tellaro.html' "$record" 2>/dev/null ||
    fail "the guide was not opened through the shell (handler saw: $(cat "$record" 2>/dev/null))"

# The settings window's Help button: the guide's file: URL at its section.
rm -f "$record"
probe post "$CAPTION" 273 1219 0 || fail "cannot press the settings window's Help"
i=0
while [ ! -s "$record" ] && [ $i -lt 20 ]; do sleep 0.5; i=$((i + 1)); done
grep -qi 'file:///C:/TellaroHelp/Tellaro.html#settings' "$record" 2>/dev/null ||
    fail "Help did not open the guide at its section (handler saw: $(cat "$record" 2>/dev/null))"

# No program for .html: said, not silently ignored.
"$WINE64" reg add "$classes\\.html" /ve /d TellaroNoHandler /f >/dev/null 2>&1
probe post "$CAPTION" 273 32787 0 || fail "cannot send the help command"
expect_error_box 'C:\TellaroHelp\Tellaro.html' "help-no-viewer" "nothing opens .html"

rm -f "$folder/Tellaro.html"
probe post "$CAPTION" 273 32787 0 || fail "cannot send the help command"
expect_error_box 'C:\TellaroHelp\Tellaro.html' "help-missing" "the guide is missing"
stop_tellaro
echo "help opens the guide, or says it is missing: ok"
