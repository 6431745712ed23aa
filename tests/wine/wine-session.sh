#!/bin/sh
# Starts or stops the private test session: a virtual X server and a Wine
# prefix kept in the build tree, with a persistent wineserver so that each
# test program starts quickly.
# usage: wine-session.sh start|stop WINE_DIR
set -u
action=$1
TELLARO_WINE_DIR=$2
mkdir -p "$TELLARO_WINE_DIR"
. "$(dirname "$0")/wine-env.sh"

stop_session() {
    wineserver -k 2>/dev/null
    if [ -f "$TELLARO_WINE_DIR/xvfb.pid" ]; then
        kill "$(cat "$TELLARO_WINE_DIR/xvfb.pid")" 2>/dev/null
        rm -f "$TELLARO_WINE_DIR/xvfb.pid" "$TELLARO_WINE_DIR/display"
    fi
}

start_xvfb() {
    if [ -f "$TELLARO_WINE_DIR/xvfb.pid" ] && kill -0 "$(cat "$TELLARO_WINE_DIR/xvfb.pid")" 2>/dev/null; then
        return 0
    fi
    rm -f "$TELLARO_WINE_DIR/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TELLARO_WINE_DIR/display" >/dev/null 2>&1 &
    echo $! >"$TELLARO_WINE_DIR/xvfb.pid"
    i=0
    while [ ! -s "$TELLARO_WINE_DIR/display" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    [ -s "$TELLARO_WINE_DIR/display" ] || { echo "Xvfb did not start" >&2; return 1; }
    DISPLAY=":$(cat "$TELLARO_WINE_DIR/display")"
    export DISPLAY
}

# Wine links the user's Desktop, Documents and the like to $HOME; the tests
# create files on the desktop, so those become real folders of the prefix.
detach_home_links() {
    for dir in "$WINEPREFIX"/drive_c/users/*/; do
        for link in "$dir"*; do
            if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
        done
    done
}

start_session() {
    start_xvfb || return 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once per build tree)"
        "$WINE64" wineboot -i >/dev/null 2>&1
        wineserver -w </dev/null >/dev/null 2>&1
    fi
    detach_home_links
    wineserver -p </dev/null >/dev/null 2>&1
    # A crashing test must end with a backtrace on stderr, not wait for
    # someone to close Wine's crash dialog.
    "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    "$(dirname "$0")/wine-fonts.sh" "$WINE64"
    # Start the desktop process now rather than inside the first test.
    "$WINE64" cmd /c exit 0 >/dev/null 2>&1
    echo "Wine session ready: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

case "$action" in
    start) start_session ;;
    stop) stop_session; exit 0 ;;
    *) echo "usage: $0 start|stop WINE_DIR" >&2; exit 2 ;;
esac
