#!/bin/sh
# CTest's emulator: runs a Windows program inside the private Wine session.
# usage: wine-run.sh WINE_DIR PROGRAM.exe [ARGS...]
TELLARO_WINE_DIR=$1
shift
. "$(dirname "$0")/wine-env.sh"
loader=$(wine_for "$1")
# Wine processes the program starts (the desktop, Explorer windows) inherit
# its output handles and may outlive it; through a file rather than CTest's
# pipe, they cannot keep the test from ending.
out=$(mktemp)
"$loader" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
