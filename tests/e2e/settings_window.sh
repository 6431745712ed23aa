#!/bin/sh
# The settings window as a user meets it: opened from the tray menu, inside
# the screen, showing the whole menu as a tree; OK without edits keeps the
# item file; Esc and the close box hide the window without writing; F2 on a
# folder and "Explorer" open that folder.
. "$(dirname "$0")/lib.sh"
reset_tellaro
base="$WINEPREFIX/drive_c/TellaroE2E"
mkdir -p "$base/Work" "$base/Inner" "$base/Deep"
write_settings "folder=C:\\TellaroE2E\\Work|Work" "group=Tools" "depth=1" \
    "folder=C:\\TellaroE2E\\Inner|Inner" "sep=" "group=Nested" "depth=2" \
    "folder=C:\\TellaroE2E\\Deep|Deep" "depth=0" "folder=C:\\Windows|Windows"
start_tellaro
file="$(settings_dir)/Tellaro.tlr"
[ -f "$file" ] || fail "no item file at $file"

window_id() { xdotool search --onlyvisible --name "^$CAPTION\$" | head -n 1; }
focus_window() { xdotool windowfocus --sync "$(window_id)" >/dev/null 2>&1 || true; sleep 0.5; }
# The program saves into a new file renamed over the old one.
stamp() { stat -c '%i %s %y' "$file"; }
wait_written() {
    for _ in $(seq "$(seconds 20)"); do [ "$(stamp)" != "$1" ] && return 0; sleep 0.5; done
    fail "$2 did not write the item file"
}

# The tray's right-click menu; its first entry opens the settings window.
# Under Wine without a window manager, the first menu after hiding the
# window that held the keyboard focus can close as it opens, or just after
# (a late focus change from X), and the key then reaches nothing: a user
# would click again, and so does this.
open_tray_menu() {
    for _ in 1 2 3; do
        probe post "$CAPTION" 1124 1 517 || fail "cannot reach the main window"
        probe waitmenu "$(seconds 5)" && return 0
    done
    fail "no tray menu"
}
# With no window manager X gives keys to the window under the pointer, and
# a menu opened at the pointer may have the pointer on its very edge: the
# pointer goes onto its first entry, as a user's hand would.
point_into_menu() {
    for w in $(xdotool search --onlyvisible --class tellaro.exe); do
        [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] || continue
        eval "$(xdotool getwindowgeometry --shell "$w")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + 8))
        return 0
    done
}
shown_within() {
    for _ in $(seq "$(seconds "$1")"); do probe visible "$CAPTION" && return 0; sleep 1; done
    return 1
}
open_settings() {
    for _ in 1 2 3 4 5; do
        open_tray_menu
        sleep 0.5
        point_into_menu
        xdotool key o
        if shown_within 10; then
            focus_window
            return 0
        fi
        probe nomenu "$(seconds 1)" || xdotool key Escape
    done
    fail "the settings window did not open from the tray menu"
}

hidden_after() {
    for _ in $(seq "$(seconds 5)"); do probe visible "$CAPTION" || return 0; sleep 1; done
    fail "the window stays visible after $1"
}

open_settings
probe inside "$CAPTION" || fail "the settings window sticks out of the screen"
# Root, special folders 1 and 2, Work, Tools: open Tools with everything in it.
xdotool key Home Down Down Down Down KP_Multiply
sleep 1
screenshot "settings-window-tree"
xdotool key F2
probe waitmenu "$(seconds 5)" || fail "F2 on a group shows no menu"
screenshot "settings-context-group"
xdotool key Escape
xdotool key Home F2
probe waitmenu "$(seconds 5)" || fail "F2 on the menu root shows no menu"
screenshot "settings-context-root"
xdotool key Escape
xdotool key Down Right
sleep 1
screenshot "settings-window-special-folders"
xdotool key Left alt+f
probe waitmenu "$(seconds 5)" && screenshot "settings-window-menu"
xdotool key Escape Escape

# OK without edits: only the special-folder positions may change (the file
# was written with every folder shown, this system lacks some), and a
# second OK writes the very same bytes.
cp "$file" "$ARTIFACTS/before.tlr"
before=$(stamp)
probe post "$CAPTION" 273 1001 0
hidden_after "OK"
wait_written "$before" "OK"
cmp -l "$ARTIFACTS/before.tlr" "$file" >"$ARTIFACTS/ok-diff.txt"
size=$(stat -c %s "$file")
[ "$size" -eq "$(stat -c %s "$ARTIFACTS/before.tlr")" ] || fail "OK changed the size of the item file"
# cmp -l numbers bytes from 1: the order arrays are bytes 38-82, the checksum the last four.
awk -v size="$size" '!(($1 >= 38 && $1 <= 82) || $1 > size - 4) { bad = 1 } END { exit bad }' \
    "$ARTIFACTS/ok-diff.txt" || fail "OK changed the item file outside the special-folder positions"
cp "$file" "$ARTIFACTS/after-ok.tlr"
before=$(stamp)
open_settings
probe post "$CAPTION" 273 1001 0
hidden_after "a second OK"
wait_written "$before" "a second OK"
cmp "$ARTIFACTS/after-ok.tlr" "$file" || fail "a second OK without edits changed the item file"

# Esc and the close box (also a variant with its low bits set) cancel
# without writing and without ending the program.
before=$(stamp)
open_settings
xdotool key Escape
hidden_after "Esc"
for close in 0xF060 0xF063; do
    open_settings
    probe post "$CAPTION" 274 "$close" 0
    hidden_after "the close box ($close)"
    probe wait "$CAPTION" 0 || fail "the close box ($close) ended the program"
done
sleep 1
[ "$(stamp)" = "$before" ] || fail "cancelling wrote the item file"

# F2 on Work and "Explorer" (X) open Work in Explorer.
open_settings
xdotool key Home Down Down Down F2
probe waitmenu "$(seconds 5)" || fail "F2 on a folder shows no menu"
screenshot "settings-context-folder"
xdotool key x
probe waitclass ExplorerWClass Work "$(seconds 15)" || fail "no Explorer window for the folder"
probe closeclass ExplorerWClass
stop_tellaro
echo "settings window: ok"
