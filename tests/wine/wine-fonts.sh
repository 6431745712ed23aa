#!/bin/sh
# The dialogs ask for the Japanese UI faces of a Japanese Windows, which Wine
# lacks; its fallback is wider and cuts labels off. The IPA Gothic fonts have
# the metrics those faces have, so they stand in for them.
# usage: WINEPREFIX=... wine-fonts.sh WINE_LOADER
loader=$1
key='HKCU\Software\Wine\Fonts\Replacements'
replace() {
    "$loader" reg add "$key" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}
replace "ＭＳ Ｐゴシック" IPAPGothic
replace "ＭＳ ゴシック" IPAGothic
replace "MS UI Gothic" IPAPGothic
