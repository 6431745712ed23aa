#!/bin/sh
# Signing on request, with a throwaway certificate: the program, the
# uninstaller and the installer verify against it (SHA-256), and the signed
# installer and uninstaller still run, NSIS checking its own data. A
# certificate file without a password signs too. A wrong password or a
# missing certificate file stops the packaging, with a message.
# usage: signing.sh WINE_DIR CPACK BUILD_DIR WORK_DIR
set -u
TELLARO_WINE_DIR=$1 cpack=$2 config=$3/CPackConfig.cmake
. "$(dirname "$0")/../wine/wine-env.sh"
[ -n "${DISPLAY:-}" ] || { echo "no Wine session" >&2; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$4" && mkdir -p "$4/zip" && cd "$4" || exit 1
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj /CN=Signer \
    -addext extendedKeyUsage=codeSigning 2>/dev/null &&
    openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.pfx -passout pass:right &&
    openssl pkcs12 -export -inkey key.pem -in cert.pem -out bare.pfx -passout pass: || fail "no certificate"

package() {  # OUTPUT_DIR CERTIFICATE PASSWORD
    TELLARO_SIGN_PKCS12=$PWD/$2 TELLARO_SIGN_PASSWORD=$3 "$cpack" --config "$config" -B "$1" >"$1.log" 2>&1
}
for refusal in "wrong cert.pfx wrong is.TELLARO_SIGN_PASSWORD.right" "missing none.pfx right no.such.file"; do
    set -- $refusal
    ! package "$1" "$2" "$3" && grep -q "$4" "$1.log" && [ -z "$(ls "$1" | grep -v _CPack)" ] ||
        { cat "$1.log"; fail "$1: not refused with '$4'"; }
done

package signed cert.pfx right || { cat signed.log; fail "signed packaging failed"; }
verify() {  # FILE
    osslsigncode verify -in "$1" -CAfile cert.pem >verify.log 2>&1 && grep -q "digest algorithm *: SHA256" verify.log ||
        { cat verify.log; fail "$1 is not signed with SHA-256 by the test certificate"; }
}
(cd zip && cmake -E tar xf ../signed/*-portable.zip) && verify zip/Tellaro.exe
verify signed/*-setup.exe
package bare bare.pfx "" || { cat bare.log; fail "packaging with a certificate without a password failed"; }
verify bare/*-setup.exe
# The uninstaller exists only once installed; it copies itself away and
# returns at once, and its uninstall entry goes last.
timeout 300 "$WINE32" signed/*-setup.exe /S "/D=$(printf 'Z:%s/installed' "$PWD" | tr / '\\')" ||
    fail "the signed installer did not run"
verify installed/uninstall.exe
"$WINE32" installed/uninstall.exe /S
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellaro Explorer'
i=0
while "$WINE64" reg query "$key" >/dev/null 2>&1 && [ $i -lt 300 ]; do sleep 2; i=$((i + 2)); done
[ ! -e installed ] || fail "the signed uninstaller did not remove its folder"
echo "the program, the installer and the uninstaller are signed"
