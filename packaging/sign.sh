#!/bin/sh
# Signs one Windows program in place (Authenticode, SHA-256) with the
# certificate in TELLARO_SIGN_PKCS12 (a .pfx/.p12 file) unlocked by
# TELLARO_SIGN_PASSWORD (empty for a certificate file without a password),
# time-stamped by the RFC 3161 server at TELLARO_SIGN_TIMESTAMP_URL when
# that is set. The package target calls it for Tellaro.exe, the uninstaller
# and the installer; any failure stops the build rather than ship an
# unsigned file from a signed release.
# usage: sign.sh FILE
set -eu
file=$1
fail() { echo "sign.sh: $*" >&2; exit 1; }
[ -f "${TELLARO_SIGN_PKCS12:?}" ] || fail "TELLARO_SIGN_PKCS12: no such file: $TELLARO_SIGN_PKCS12"
[ -n "${TELLARO_SIGN_PASSWORD+set}" ] || fail "TELLARO_SIGN_PASSWORD is not set (the password of $TELLARO_SIGN_PKCS12, empty for none)"
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/setup.sh installs it)"

umask 077
work=$(mktemp -d)
# The work folder holds only the signed copy and the log, but an interrupted
# build must not leave even those behind.
trap 'rm -rf "$work"' EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
set -- -pkcs12 "$TELLARO_SIGN_PKCS12" -h sha256 -n "Tellaro Explorer"
# The password reaches osslsigncode on its standard input, from the shell's
# own printf: never on a command line, which every user of the machine can
# read, nor in a file a killed build would leave. osslsigncode refuses an
# empty password however it comes, so a certificate without one gets no
# password option at all.
[ -z "$TELLARO_SIGN_PASSWORD" ] || set -- "$@" -readpass -
[ -z "${TELLARO_SIGN_TIMESTAMP_URL:-}" ] || set -- "$@" -ts "$TELLARO_SIGN_TIMESTAMP_URL"
if ! printf '%s' "$TELLARO_SIGN_PASSWORD" | osslsigncode sign "$@" -in "$file" -out "$work/signed" >"$work/log" 2>&1 ||
    [ ! -s "$work/signed" ]; then
    cat "$work/log" >&2
    fail "cannot sign $file with $TELLARO_SIGN_PKCS12 (is TELLARO_SIGN_PASSWORD right?${TELLARO_SIGN_TIMESTAMP_URL:+ does $TELLARO_SIGN_TIMESTAMP_URL answer?})"
fi
cat "$work/signed" >"$file"
echo "signed $file"
