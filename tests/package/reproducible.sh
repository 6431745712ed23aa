#!/bin/sh
# Two clean builds of this checkout give byte-identical packages, though they
# differ in all that must not matter: the first builds the checkout and takes
# the date from git; the second builds a copy written later and elsewhere,
# into a deeper directory, with SOURCE_DATE_EPOCH, in Japan's time zone.
# usage: reproducible.sh SOURCE_DIR WORK_DIR
set -eu
source=$(cd "$1" && pwd) work=$2
rm -rf "$work" && mkdir -p "$work/a" "$work/copy/of/it" "$work/b/one/level/deeper"
build() {  # SOURCE BUILD
    { cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$1/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
          -DTELLARO_TESTS=OFF && cmake --build "$2" -j"$(nproc)" --target package; } >"$2.log" 2>&1 ||
        { tail -30 "$2.log"; echo "FAIL: the build in $2 failed"; exit 1; }
    (cd "$2" && sha256sum Tellaro.exe Tellaro-Explorer-*) >"$2.sums"
}
build "$source" "$work/a"
# Tracked and new files as they are in the worktree; -m dates them now.
(cd "$source" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - 2>/dev/null) |
    tar -xmf - -C "$work/copy/of/it"
TZ=JST-9 SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct) build "$work/copy/of/it" "$work/b/one/level/deeper"
cat "$work/a.sums"
cmp -s "$work/a.sums" "$work/b/one/level/deeper.sums" ||
    { cat "$work/b/one/level/deeper.sums"; echo "FAIL: the two builds differ"; exit 1; }
rm -rf "$work"
echo "two clean builds match"
