#!/bin/sh
# CTest's emulator: runs a Windows program inside the private Wine session.
# usage: wine-run.sh WINE_DIR PROGRAM.exe [ARGS...]
TELLARO_WINE_DIR=$1
shift
. "$(dirname "$0")/wine-env.sh"
loader=$(wine_for "$1")
exec "$loader" "$@"
