#!/usr/bin/env bash
# Signs one Windows program in place with Authenticode (SHA-256), and keeps the signature apart:
#   tools/sign.sh FILE NAME
# The key comes only from the environment, never from arguments that a process list shows:
#   STAKKO_SIGN_PKCS11_MODULE, STAKKO_SIGN_PKCS11_KEY,  a key in a hardware token or a cloud key
#   STAKKO_SIGN_CERT (STAKKO_SIGN_PASSWORD its PIN)      service: its module, the key's PKCS#11
#                                                       URI and the certificate chain, or
#   STAKKO_SIGN_PKCS12, STAKKO_SIGN_PASSWORD            a PKCS#12 file and its password
#   STAKKO_SIGN_TIMESTAMP_URL                           an RFC 3161 timestamp's authority
# The signature goes to STAKKO_SIGN_OUT/NAME.pem. With STAKKO_SIGN_SIGNATURES=DIR instead of a
# key, the signature DIR/NAME.pem, made so for the same bytes, is attached: the signed file is
# then the very bytes that were signed, without the key.
# Works with osslsigncode 2.5 (Debian 12) and 2.9 (its backports); a failure shows its words.
set -eu

fail() {
    echo "sign: $*" >&2
    exit 1
}

[ $# -eq 2 ] || fail "usage: $0 FILE NAME"
file=$1
name=$2
signed="$file.signed"
# osslsigncode 2.5 writes no file that exists already.
rm -f "$signed"
if [ -n "${STAKKO_SIGN_SIGNATURES:-}" ]; then
    signature=$STAKKO_SIGN_SIGNATURES/$name.pem
    # The attach writes the file, then judges the signer's chain: its trust in a bundle of roots
    # and, from 2.9 on, revocation lists fetched over the network. Those are the verifier's
    # business (osslsigncode verify, or Windows), and a rebuild may run offline with roots of its
    # own: no roots are given, and only the digest that binds the signature to the bytes counts.
    report=$(osslsigncode attach-signature -CAfile /dev/null -sigin "$signature" -in "$file" \
        -out "$signed" 2>&1) || true
    carried=$(sed -n 's/^Current message digest *: *\([0-9A-F]*\).*/\1/p' <<<"$report")
    computed=$(sed -n 's/^Calculated message digest *: *\([0-9A-F]*\).*/\1/p' <<<"$report")
    [ -s "$signed" ] && [ -n "$carried" ] && [ "$carried" = "$computed" ] ||
        fail "the signature $signature does not fit $file:"$'\n'"$report"
else
    if [ -n "${STAKKO_SIGN_PKCS11_MODULE:-}" ]; then
        key=(-pkcs11module "$STAKKO_SIGN_PKCS11_MODULE" -certs "$STAKKO_SIGN_CERT" -key "$STAKKO_SIGN_PKCS11_KEY")
    elif [ -n "${STAKKO_SIGN_PKCS12:-}" ]; then
        key=(-pkcs12 "$STAKKO_SIGN_PKCS12")
    else
        fail "no key: set STAKKO_SIGN_PKCS11_MODULE or STAKKO_SIGN_PKCS12"
    fi
    [ -n "${STAKKO_SIGN_OUT:-}" ] || fail "STAKKO_SIGN_OUT names no folder for the signature"
    stamp=()
    [ -z "${STAKKO_SIGN_TIMESTAMP_URL:-}" ] || stamp=(-ts "$STAKKO_SIGN_TIMESTAMP_URL")
    # The password through standard input, which every version reads as a file.
    report=$(printf '%s' "${STAKKO_SIGN_PASSWORD:-}" |
        osslsigncode sign "${key[@]}" -readpass /dev/stdin -h sha256 -n "Windows Stakko" \
            "${stamp[@]}" -in "$file" -out "$signed" 2>&1) ||
        fail "cannot sign $file:"$'\n'"$report"
    mkdir -p "$STAKKO_SIGN_OUT"
    rm -f "$STAKKO_SIGN_OUT/$name.pem"
    # As PEM, which every version of osslsigncode writes and reads alike.
    report=$(osslsigncode extract-signature -pem -in "$signed" -out "$STAKKO_SIGN_OUT/$name.pem" 2>&1) ||
        fail "cannot keep the signature of $file:"$'\n'"$report"
fi
mv "$signed" "$file"
