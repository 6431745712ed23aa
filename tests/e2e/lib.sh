# Shared helpers of the end-to-end checks. Each check is called as
#   CHECK.sh WINE_DIR Tellaro.exe probe.exe ARTIFACT_DIR
# and drives the real program inside the private Wine session.
set -u
TELLARO_WINE_DIR=$1
TELLARO_EXE=$2
PROBE_EXE=$3
ARTIFACTS=$4
mkdir -p "$ARTIFACTS"
. "$(dirname "$0")/../wine/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
    echo "no Wine session (run wine-session.sh start first)" >&2
    exit 77
fi
TELLARO_LOADER=$(wine_for "$TELLARO_EXE")
PROBE_LOADER=$(wine_for "$PROBE_EXE")
CAPTION="Tellaro Explorer"

# Where the kernel cannot run 32-bit code, Wine runs it under emulation, and
# every start of the 32-bit program takes the better part of a minute.
SLOW=1
if [ "$TELLARO_LOADER" = "$WINE32" ] && [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then SLOW=20; fi
seconds() { echo $(($1 * SLOW)); }

probe() { "$PROBE_LOADER" "$PROBE_EXE" "$@"; }

# The settings file writer sits beside the probe.
settings_tool() { "$PROBE_LOADER" "$(dirname "$PROBE_EXE")/tellaro_settings_tool.exe" "$@"; }

# A Unix path as the Windows programs of the session see it.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

user_dir() { echo "$WINEPREFIX/drive_c/users/$(id -un)"; }

# Writes the settings file the program reads at its next start.
write_settings() {
    dir="$(user_dir)/AppData/Local/Morvane/Tellaro"
    mkdir -p "$dir"
    settings_tool "$(winpath "$dir/Tellaro.tlr")" "$@" || fail "cannot write the settings file"
}

fail() {
    echo "FAIL: $*" >&2
    screenshot "failure-$(basename "$0" .sh)"
    stop_tellaro
    exit 1
}

screenshot() {
    if command -v import >/dev/null 2>&1; then
        import -display "$DISPLAY" -window root "$ARTIFACTS/$1.png" 2>/dev/null &&
            echo "screenshot: $ARTIFACTS/$1.png"
    fi
}

settings_dir() {
    for d in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Morvane/Tellaro \
             "$WINEPREFIX"/drive_c/users/*/"Local Settings/Application Data"/Morvane/Tellaro; do
        [ -d "$d" ] && echo "$d"
    done
}

# Starts from a clean slate: no running instance, no stored settings.
reset_tellaro() {
    stop_tellaro
    for d in $(settings_dir); do rm -rf "$d"; done
}

# TELLARO_LOCALE, when set, is the env(1) arguments of another system's
# locale for the program alone (the probe keeps the session's).
start_tellaro() {
    # shellcheck disable=SC2086 # a list of arguments
    env ${TELLARO_LOCALE:-} "$TELLARO_LOADER" "$TELLARO_EXE" >/dev/null 2>&1 &
    TELLARO_PID=$!
    probe wait "$CAPTION" "$(seconds 30)" || fail "no window captioned '$CAPTION' after start"
    # The window exists early in start-up; checks begin once it is running.
    probe idle "$CAPTION" "$(seconds 30)" || fail "the program does not answer after start"
}

# Presses the left button at (X, Y) and moves the pointer straight up or
# down to height TO_Y in steps, as a hand drags; the button stays down.
# usage: press_and_drag X Y TO_Y
press_and_drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove "$1" $(($2 + ($3 - $2) * step / 6))
        sleep 0.2
    done
    sleep 0.5
}

stop_tellaro() {
    if probe wait "$CAPTION" 0 >/dev/null 2>&1; then
        probe post "$CAPTION" 16 0 0 >/dev/null 2>&1
        probe gone "$CAPTION" "$(seconds 10)" >/dev/null 2>&1
    fi
    if [ -n "${TELLARO_PID:-}" ]; then
        # A program wedged by the failure being reported must not hold the
        # run until CTest's timeout: give it what an exit takes, then kill it.
        for _ in $(seq "$(seconds 10)"); do
            kill -0 "$TELLARO_PID" 2>/dev/null || break
            sleep 1
        done
        kill -9 "$TELLARO_PID" 2>/dev/null && echo "killed the program: it did not exit" >&2
        wait "$TELLARO_PID" 2>/dev/null
        TELLARO_PID=
    fi
}

# The program's error message box: waits for it, checks that it names
# NAME (taken literally), keeps a screenshot SHOT and closes it.
# usage: expect_error_box NAME SHOT WHAT
expect_error_box() {
    box="エラー"
    probe waitclass "#32770" "$box" "$(seconds 15)" || fail "no error message: $3"
    sleep 0.5
    screenshot "$2"
    probe texts "$box" | grep -qiF "$1" || fail "the message does not name $1: $(probe texts "$box")"
    probe post "$box" 16 0 0
    probe gone "$box" 5 || fail "the message box does not close"
}
