#!/bin/sh
# Sets up what is missing, builds, and runs the 32-bit Tellaro.exe under Wine.
# With a display it runs on it; without one it starts a virtual X server,
# shows what a user would see (the first-start settings window and the tray
# menu), saves screenshots and says where they are.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
build=${TELLARO_BUILD_DIR:-build}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
exe="$PWD/$build/windows-i686/Tellaro.exe"
probe="$PWD/$build/windows-x86_64/tellaro_probe.exe"
echo "Tellaro.exe: $exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINEPREFIX="$PWD/$build/wine-run/prefix" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
    export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
    # The 64-bit loader, where there is one, starts fast even under emulation.
    loader=/usr/lib/wine/wine64
    [ -x "$loader" ] || loader=wine
    tests/wine/wine-fonts.sh "$loader"
    echo "Running on $DISPLAY (prefix $WINEPREFIX). Exit from the tray menu."
    exec wine "$exe"
fi
exec tests/e2e/demo.sh "$PWD/$build/wine-run" "$exe" "$probe" "$PWD/$build/screenshots"
