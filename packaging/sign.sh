#!/bin/sh
# Signs one Windows program in place (Authenticode, SHA-256) with the
# certificate in TELLARO_SIGN_PKCS12 (a .pfx/.p12 file) unlocked by
# TELLARO_SIGN_PASSWORD, time-stamped by the RFC 3161 server at
# TELLARO_SIGN_TIMESTAMP_URL when that is set. The package target calls it
# for Tellaro.exe, the uninstaller and the installer; any failure stops the
# build rather than ship an unsigned file from a signed release.
# usage: sign.sh FILE
set -eu
file=$1
fail() { echo "sign.sh: $*" >&2; exit 1; }
[ -f "${TELLARO_SIGN_PKCS12:?}" ] || fail "TELLARO_SIGN_PKCS12: no such file: $TELLARO_SIGN_PKCS12"
[ -n "${TELLARO_SIGN_PASSWORD+set}" ] || fail "TELLARO_SIGN_PASSWORD is not set (the password of $TELLARO_SIGN_PKCS12)"
command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/setup.sh installs it)"

# The password goes through a private file, not the command line, which
# every user of the machine can read.
umask 077
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s' "$TELLARO_SIGN_PASSWORD" >"$work/password"
set -- -pkcs12 "$TELLARO_SIGN_PKCS12" -readpass "$work/password" -h sha256 -n "Tellaro Explorer"
[ -z "${TELLARO_SIGN_TIMESTAMP_URL:-}" ] || set -- "$@" -ts "$TELLARO_SIGN_TIMESTAMP_URL"
if ! osslsigncode sign "$@" -in "$file" -out "$work/signed" >"$work/log" 2>&1 || [ ! -s "$work/signed" ]; then
    cat "$work/log" >&2
    fail "cannot sign $file with $TELLARO_SIGN_PKCS12 (is TELLARO_SIGN_PASSWORD right?${TELLARO_SIGN_TIMESTAMP_URL:+ does $TELLARO_SIGN_TIMESTAMP_URL answer?})"
fi
cat "$work/signed" >"$file"
echo "signed $file"
