#!/bin/sh
# The real installer, silently, in the test session: it puts the program,
# the user guide, the Start-menu shortcut, the uninstall entry and (with
# /AUTOSTART) the logon start in place, and the installed program starts.
# The silent uninstall then ends the running program and removes all of it,
# but not the user's settings file.
# usage: installer.sh WINE_DIR Tellaro.exe probe.exe ARTIFACT_DIR SETUP.exe
. "$(dirname "$0")/../e2e/lib.sh"
SETUP=$5
[ -f "$SETUP" ] || fail "no installer at $SETUP"
version=$(basename "$SETUP" | sed -n 's/^Tellaro-Explorer-\(.*\)-setup\.exe$/\1/p')
[ -n "$version" ] || fail "installer name $(basename "$SETUP") without a version"

user=$(user_dir)
target="$user/AppData/Local/Programs/Tellaro Explorer"
shortcut="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tellaro Explorer.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellaro Explorer'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# Each step under emulation takes long: say how long, for the logs.
started=$(date +%s)
step() { echo "$(($(date +%s) - started)) s: $*"; }
reg_value() {
    "$WINE64" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

reset_tellaro
"$WINE64" reg delete "$uninstall_key" /f >/dev/null 2>&1
"$WINE64" reg delete "$run_key" /v "Tellaro Explorer" /f >/dev/null 2>&1
rm -rf "$target" "$shortcut"
write_settings "folder=C:\\windows|Windows"
settings="$(settings_dir)/Tellaro.tlr"

timeout "$(seconds 15)" "$WINE32" "$SETUP" /S /AUTOSTART || fail "the silent install failed"
step "installed"
for f in Tellaro.exe Tellaro.html Tellaro.en.html uninstall.exe; do
    [ -f "$target/$f" ] || fail "$f not installed in $target"
done
cmp -s "$target/Tellaro.exe" "$TELLARO_EXE" || fail "the installed program is not this build"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(reg_value "$uninstall_key" DisplayName)" = "Tellaro Explorer" ] || fail "no uninstall entry"
[ "$(reg_value "$uninstall_key" DisplayVersion)" = "$version" ] || fail "uninstall entry without version $version"
[ "$(reg_value "$uninstall_key" Publisher)" = "Morvane" ] || fail "uninstall entry without publisher"
case "$(reg_value "$uninstall_key" DisplayIcon)" in
    *'\Tellaro Explorer\Tellaro.exe,0') ;;
    *) fail "uninstall entry without the program's icon" ;;
esac
case "$(reg_value "$run_key" "Tellaro Explorer")" in
    '"'*'\Tellaro Explorer\Tellaro.exe"') ;;
    *) fail "/AUTOSTART did not set the logon start" ;;
esac

TELLARO_EXE="$target/Tellaro.exe"
start_tellaro
step "the installed program runs"

# The uninstaller copies itself away and returns at once; the entry goes last.
"$WINE32" "$target/uninstall.exe" /S
i=0
while [ -n "$(reg_value "$uninstall_key" DisplayName)" ] && [ $i -lt "$(seconds 20)" ]; do
    sleep 2
    i=$((i + 2))
done
[ -z "$(reg_value "$uninstall_key" DisplayName)" ] || fail "the uninstall entry is still there"
step "uninstalled"
probe gone "$CAPTION" 5 || fail "the uninstaller left Tellaro Explorer running"
wait "$TELLARO_PID"
TELLARO_PID=
[ ! -e "$target" ] || fail "the program folder is still there: $(ls "$target")"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
[ -z "$(reg_value "$run_key" "Tellaro Explorer")" ] || fail "the logon start is still there"
[ -f "$settings" ] || fail "the uninstaller removed the settings file"
echo "silent install, start and uninstall: ok"
