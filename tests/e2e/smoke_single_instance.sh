#!/bin/sh
# One resident instance: a second start signals the first and exits with -1,
# and WM_CLOSE ends the program with exit code 0.
. "$(dirname "$0")/lib.sh"
reset_tellaro
# A first start has no stored settings yet, so the settings window opens.
start_tellaro
# The visible window of a first start. The program answers messages while
# it still asks the shell about the tree's special folders, which takes
# seconds under emulation: wait for the window rather than look once.
probe shown "$CAPTION" "$(seconds 30)" || fail "settings window not shown on a first start"
screenshot "first-start"
probe post "$CAPTION" 273 1002 0 || fail "cannot reach the settings window"
sleep 1

"$TELLARO_LOADER" "$TELLARO_EXE" >/dev/null 2>&1
rc=$?
[ "$rc" -eq 255 ] || fail "second start exited with $rc, expected -1 (255)"
count=$(probe count "$CAPTION" | tr -d '\r')
[ "$count" = "1" ] || fail "expected exactly one main window, found $count"
kill -0 "$TELLARO_PID" 2>/dev/null || fail "the first instance did not survive the second start"

probe post "$CAPTION" 16 0 0 || fail "cannot post WM_CLOSE"
wait "$TELLARO_PID"
rc=$?
TELLARO_PID=
[ "$rc" -eq 0 ] || fail "WM_CLOSE ended the program with $rc, expected 0"
probe gone "$CAPTION" 5 || fail "main window still exists after exit"
echo "single instance and shut-down: ok"
