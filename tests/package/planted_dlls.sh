#!/bin/sh
# DLLs planted under system libraries' names beside the program and the
# installer, as in a Downloads folder, with Wine preferring native DLLs
# wherever it finds them: none may be loaded. The program runs from that
# folder through start-up, the settings window, the options dialog and the
# version box; the installer installs silently from it, and the uninstaller
# runs silently with the same DLLs beside it.
# usage: planted_dlls.sh WINE_DIR Tellaro.exe probe.exe ARTIFACT_DIR SETUP.exe planted.dll
. "$(dirname "$0")/../e2e/lib.sh"
SETUP=$5
PLANTED=$6
# Where 32-bit code runs only under emulation, a start with Wine told to
# prefer native DLLs has not reached its first window within ten minutes,
# while the same program starts in two without that: the check cannot
# answer there, so it is skipped rather than left to time out.
if [ "$SLOW" -gt 1 ]; then
    echo "skipped: 32-bit code runs under emulation here" >&2
    exit 77
fi
NAMES="uxtheme dwmapi comctl32 propsys cryptbase"
OPTIONS="Tellaro Explorerの環境設定"
ABOUT="Tellaro Explorerのバージョン情報"

work="$ARTIFACTS/planted-dlls"
downloads="$work/Downloads"
target="$work/Installed"
markers="$work/markers"
rm -rf "$work"
mkdir -p "$downloads" "$markers"
plant() {
    for name in $NAMES; do cp "$PLANTED" "$1/$name.dll"; done
}
cp "$TELLARO_EXE" "$SETUP" "$downloads/"
plant "$downloads"

# Only the processes this check starts get the markers' folder and the
# preference for native DLLs.
planted_env="TELLARO_PLANTED_MARKERS=$(winpath "$markers")"
planted_overrides="WINEDLLOVERRIDES=$WINEDLLOVERRIDES;$(echo $NAMES | tr ' ' ,)=n,b"
planted_wine() { env "$planted_env" "$planted_overrides" "$WINE32" "$@"; }

reset_tellaro
write_settings
TELLARO_LOADER=planted_wine
TELLARO_EXE="$downloads/Tellaro.exe"
start_tellaro
probe post "$CAPTION" 273 32784 0
for _ in $(seq "$(seconds 10)"); do probe visible "$CAPTION" && break; sleep 1; done
probe visible "$CAPTION" || fail "the settings window did not open"
probe post "$CAPTION" 274 0xF060 0
probe post "$CAPTION" 273 32785 0
probe shown "$OPTIONS" "$(seconds 10)" || fail "the options dialog did not open"
probe post "$OPTIONS" 273 1217 0
probe hidden "$OPTIONS" "$(seconds 5)" || fail "Cancel did not hide the options dialog"
probe post "$CAPTION" 273 32786 0
probe shown "$ABOUT" "$(seconds 10)" || fail "the version box did not open"
probe post "$ABOUT" 273 1215 0
probe hidden "$ABOUT" "$(seconds 5)" || fail "OK did not hide the version box"
probe wait "$CAPTION" 0 || fail "the program ended"
stop_tellaro

timeout "$(seconds 15)" env "$planted_env" "$planted_overrides" "$WINE32" "$downloads/$(basename "$SETUP")" /S "/D=$(winpath "$target")" ||
    fail "the silent install failed"
[ -f "$target/uninstall.exe" ] || fail "nothing installed in $target"
plant "$target"
planted_wine "$target/uninstall.exe" /S
# It copies itself away and returns at once; its entry goes last.
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellaro Explorer'
installed() { "$WINE64" reg query "$uninstall_key" >/dev/null 2>&1; }
for _ in $(seq "$(seconds 20)"); do installed || break; sleep 1; done
! installed || fail "the silent uninstall did not end"
[ ! -e "$target/Tellaro.exe" ] || fail "the silent uninstall did not remove the program"

# Wine's user32 loads uxtheme.dll while the installer's statically imported
# comctl32 attaches, before the installer's own first instruction, which
# limits the search to System32: out of anyone's reach but Wine's.
loaded=""
for marker in "$markers"/*.loaded; do
    [ -e "$marker" ] || continue
    dll=$(basename "$marker" .loaded)
    for process in $(tr -d '\r' <"$marker" | tr '\\ ' '/?' | sort -u); do
        case "$dll:$process" in
            uxtheme.dll:*-setup.exe | uxtheme.dll:*/uninstall.exe) ;;
            *) loaded="$loaded $dll($process)" ;;
        esac
    done
done
[ -z "$loaded" ] || fail "planted DLLs were loaded:$loaded"
rm -rf "$target"
echo "planted DLLs beside the program, the installer and the uninstaller: none loaded"
