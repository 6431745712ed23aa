#!/bin/sh
# Installs what building and testing Tellaro Explorer needs on Debian 12, as
# root (or through sudo). Safe to run again: it only adds what is missing.
set -eu
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"

# nsis and zip make the packages (the package target) and osslsigncode signs
# them on request; python3-pefile lets the package checks read Tellaro.exe's
# resources and imports, and openssl makes their throwaway certificate; git
# gives a build its one date, the last commit's. xserver-xephyr gives the
# two-monitor check a display with two heads.
packages="cmake make g++ clang libclang-rt-14-dev googletest git
g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
wine wine32:i386 wine64 xvfb xserver-xephyr xdotool x11-utils imagemagick fonts-ipafont-gothic locales
qemu-user-static nsis zip unzip osslsigncode openssl python3-pefile"

missing=""
dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386; missing=update; }
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends $(echo "$missing" | sed 's/\bupdate\b//')
fi

# Under ja_JP.UTF-8 Wine's ANSI code page is 932, as on a Japanese Windows;
# under en_US.UTF-8 it is 1252, as on an English one (the English checks).
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc.utf8\$"; then
        sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" >>/etc/locale.gen
        locale-gen >/dev/null
    fi
done

# Some kernels are built without 32-bit user-space support ("32-bit emulation
# disabled"): the 32-bit Wine loader then fails with "Exec format error". Run
# 32-bit programs through qemu's user-mode emulator instead; slower, but the
# 32-bit Tellaro.exe then runs as it would on Windows.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
    if [ -e "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' >"$binfmt/register"
    fi
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "32-bit programs run under qemu-i386 emulation on this kernel"
    else
        echo "warning: this machine cannot run 32-bit Wine; only the x86-64 build will run" >&2
    fi
fi
