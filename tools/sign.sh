#!/usr/bin/env bash
# Signs one Windows program in place with Authenticode (SHA-256), and keeps the signature apart:
#   tools/sign.sh FILE NAME
# The key comes only from the environment, never from arguments that a process list shows:
#   STAKKO_SIGN_PKCS12, STAKKO_SIGN_PASSWORD            a PKCS#12 file and its password, or
#   STAKKO_SIGN_PKCS11_MODULE, STAKKO_SIGN_PKCS11_KEY,  a key in a hardware or cloud module
#   STAKKO_SIGN_CERT (STAKKO_SIGN_PASSWORD its PIN)      (the key's PKCS#11 URI, its certificate)
#   STAKKO_SIGN_TIMESTAMP_URL                           adds an RFC 3161 timestamp
# The signature goes to STAKKO_SIGN_OUT/NAME.pem. With STAKKO_SIGN_SIGNATURES=DIR instead of a
# key, the signature DIR/NAME.pem, made so for the same bytes, is attached: the signed file is
# then the very bytes that were signed, without the key. It is checked against the certificates
# of STAKKO_SIGN_CAFILE (the system's by default).
set -eu

fail() {
    echo "sign: $*" >&2
    exit 1
}

[ $# -eq 2 ] || fail "usage: $0 FILE NAME"
file=$1
name=$2
signed="$file.signed"
if [ -n "${STAKKO_SIGN_SIGNATURES:-}" ]; then
    osslsigncode attach-signature -CAfile "${STAKKO_SIGN_CAFILE:-/etc/ssl/certs/ca-certificates.crt}" \
        -sigin "$STAKKO_SIGN_SIGNATURES/$name.pem" -in "$file" -out "$signed" >/dev/null ||
        fail "the signature $STAKKO_SIGN_SIGNATURES/$name.pem does not fit $file"
else
    if [ -n "${STAKKO_SIGN_PKCS12:-}" ]; then
        key=(-pkcs12 "$STAKKO_SIGN_PKCS12")
    elif [ -n "${STAKKO_SIGN_PKCS11_MODULE:-}" ]; then
        key=(-pkcs11module "$STAKKO_SIGN_PKCS11_MODULE" -certs "$STAKKO_SIGN_CERT" -key "$STAKKO_SIGN_PKCS11_KEY")
    else
        fail "no key: set STAKKO_SIGN_PKCS12 or STAKKO_SIGN_PKCS11_MODULE"
    fi
    [ -n "${STAKKO_SIGN_OUT:-}" ] || fail "STAKKO_SIGN_OUT names no folder for the signature"
    stamp=()
    [ -z "${STAKKO_SIGN_TIMESTAMP_URL:-}" ] || stamp=(-ts "$STAKKO_SIGN_TIMESTAMP_URL")
    # The password through standard input, which every version reads as a file.
    printf '%s' "${STAKKO_SIGN_PASSWORD:-}" |
        osslsigncode sign "${key[@]}" -readpass /dev/stdin -h sha256 -n "Windows Stakko" "${stamp[@]}" \
            -in "$file" -out "$signed" >/dev/null || fail "cannot sign $file"
    mkdir -p "$STAKKO_SIGN_OUT"
    # As PEM, which every version of osslsigncode writes and reads alike.
    osslsigncode extract-signature -pem -in "$signed" -out "$STAKKO_SIGN_OUT/$name.pem" >/dev/null
fi
mv "$signed" "$file"
