# Shared settings of the private Wine session; sourced by the other scripts.
# Never touches ~/.wine: the prefix and the X server belong to one build tree.
: "${TELLARO_WINE_DIR:?}"
# Wine wants an absolute prefix; the scripts also take one relative to here.
case "$TELLARO_WINE_DIR" in
    /*) ;;
    *) TELLARO_WINE_DIR="$PWD/$TELLARO_WINE_DIR" ;;
esac
export WINEPREFIX="$TELLARO_WINE_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
# Under this locale Wine's ANSI code page is 932, as on a Japanese Windows;
# a check of another system's code page names its own.
TELLARO_WINE_LOCALE=${TELLARO_WINE_LOCALE:-ja_JP.UTF-8}
export LANG=$TELLARO_WINE_LOCALE LC_ALL=$TELLARO_WINE_LOCALE
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || echo wine)
WINE32=$(command -v wine || echo /usr/lib/wine/wine)
if [ -f "$TELLARO_WINE_DIR/display" ]; then
    DISPLAY=":$(cat "$TELLARO_WINE_DIR/display")"
    export DISPLAY
fi

# Picks the Wine loader for a PE file from its machine field.
wine_for() {
    off=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((off + 4)) -N2 "$1" | tr -d ' ')
    if [ "$machine" = "8664" ]; then echo "$WINE64"; else echo "$WINE32"; fi
}
