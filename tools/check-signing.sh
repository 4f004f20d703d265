#!/usr/bin/env bash
# Signs a whole release as a maintainer's key is reached today, and checks it. The key is in a
# PKCS#11 token (SoftHSM, a token made for this run), reached as tools/signing-key.sh sets up a
# key service's for the workflow; its certificate lasts a day, under a root made for the run, and
# names a revocation list where nothing answers; every signature is timestamped by an RFC 3161
# responder on the loopback. Each program and installer verifies as of
# a day after the certificate has expired; the signed win64 installer installs under Wine (its own
# integrity check passing with the signature) with a signed uninstall.exe that then uninstalls;
# and builds given only the detached signatures, with no roots, write the same bytes: this one
# (the same SHA256SUMS) and one of a copy of the sources (tools/check-reproducible.sh). Run after
# tools/package.sh, as check.sh does.
#   tools/check-signing.sh
set -eu
cd "$(dirname "$0")/.."

fail() {
    echo "check-signing: $*" >&2
    exit 1
}

work=$(mktemp -d /tmp/stakko-signed-XXXXXX)
responder=""
# The builds are left unsigned, as the other checks and the developer's next build expect.
unsigned() {
    [ -z "$responder" ] || kill "$responder"
    for preset in win64 win32; do
        cmake --preset "$preset" -DSTAKKO_SIGN=OFF >/dev/null
        rm -rf "build/$preset/release"
    done
    rm -rf "$work"
}
trap unsigned EXIT

# The certificates' extensions, the root's list of revoked certificates (which only the verifier
# here is given) and the timestamp authority.
cat >"$work/openssl.cnf" <<CONFIG
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
[signer]
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
crlDistributionPoints = URI:http://127.0.0.1:9/stakko.crl
[timestamps]
keyUsage = critical, digitalSignature
extendedKeyUsage = critical, timeStamping
[ca]
default_ca = revoked
[revoked]
database = $work/index.txt
crlnumber = $work/crlnumber
default_md = sha256
default_crl_days = 30
[tsa]
default_tsa = responder
[responder]
serial = $work/serial
signer_cert = $work/timestamps.pem
signer_key = $work/timestamps.key
signer_digest = sha256
default_policy = 1.2.3.4.1
digests = sha256
ess_cert_id_alg = sha256
CONFIG
: >"$work/index.txt"
echo 01 >"$work/crlnumber"
echo 01 >"$work/serial"
# A key and a certificate of the days given, issued by the root with the extensions of its name.
certificate() {
    openssl req -newkey rsa:2048 -nodes -subj "/CN=Windows Stakko test $1" -keyout "$work/$1.key" \
        -out "$work/$1.csr" 2>/dev/null
    local issuer=(-CA "$work/root.pem" -CAkey "$work/root.key" -CAcreateserial)
    [ "$1" != root ] || issuer=(-signkey "$work/root.key")
    openssl x509 -req -in "$work/$1.csr" "${issuer[@]}" -days "$2" -extfile "$work/openssl.cnf" \
        -extensions "$1" -out "$work/$1.pem" 2>/dev/null
}
certificate root 30
certificate signer 1
certificate timestamps 30
cat "$work/signer.pem" "$work/root.pem" >"$work/chain.pem"
openssl ca -gencrl -config "$work/openssl.cnf" -keyfile "$work/root.key" -cert "$work/root.pem" \
    -out "$work/root.crl" 2>/dev/null

# The signer's key goes into a token, and is reached there by its PKCS#11 URI and PIN alone.
export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\n' "$work/tokens" >"$SOFTHSM2_CONF"
pin=$RANDOM$RANDOM
softhsm2-util --init-token --free --label stakko --pin "$pin" --so-pin "$pin" >/dev/null
openssl pkcs8 -topk8 -nocrypt -in "$work/signer.key" -out "$work/signer.p8"
softhsm2-util --import "$work/signer.p8" --token stakko --label signer --id 01 --pin "$pin" >/dev/null
rm "$work/signer.key" "$work/signer.p8"
# The module comes as the workflow takes a key service's: from an address, checked by its SHA-256.
tar -czhf "$work/softhsm.tar.gz" -C /usr/lib/softhsm libsofthsm2.so
export STAKKO_SIGN_PKCS11_MODULE_URL=file://$work/softhsm.tar.gz
STAKKO_SIGN_PKCS11_MODULE_SHA256=$(sha256sum <"$work/softhsm.tar.gz" | cut -d ' ' -f 1)
export STAKKO_SIGN_PKCS11_MODULE_SHA256
export STAKKO_SIGN_PKCS11_MODULE=libsofthsm2.so
export STAKKO_SIGN_PKCS11_KEY="pkcs11:token=stakko;object=signer;type=private"
STAKKO_SIGN_CERT_CHAIN=$(cat "$work/chain.pem")
export STAKKO_SIGN_CERT_CHAIN
export STAKKO_SIGN_PASSWORD=$pin
mkdir "$work/key"
variables=$(tools/signing-key.sh "$work/key")
while IFS= read -r variable; do
    export "${variable?}"
done <<<"$variables"

code=0
STAKKO_DIST=$work/untimestamped tools/package.sh >/dev/null 2>&1 || code=$?
[ $code -eq 2 ] || fail "a key without a timestamp's authority makes package.sh exit with $code, not 2"
echo "check-signing: a key without a timestamp's authority is refused"

python3 tools/timestamp-responder.py "$work/openssl.cnf" >"$work/port" &
responder=$!
for _ in $(seq 50); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
export STAKKO_SIGN_TIMESTAMP_URL=http://127.0.0.1:$(cat "$work/port")/
STAKKO_DIST=$work/signed tools/package.sh >/dev/null

# Two days from now the signer has expired; the timestamps keep its signatures valid.
export STAKKO_VERIFY="-CAfile $work/root.pem -CRLfile $work/root.crl -TSA-CAfile $work/root.pem
    -time $(($(date +%s) + 2 * 86400))"
verify() {
    # shellcheck disable=SC2086 # the options, split on purpose
    report=$(osslsigncode verify $STAKKO_VERIFY -in "$1" 2>&1) || fail "$2 does not verify:"$'\n'"$report"
    grep -q '^Timestamp Server Signature verification: ok' <<<"$report" || fail "$2 has no timestamp"
    echo "check-signing: $2 verifies, timestamped, after its certificate has expired"
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
for preset in win64 win32; do
    name="stakko-$version-$preset"
    mkdir "$work/$preset"
    python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extract("stakko.exe", sys.argv[2])' \
        "$work/signed/$name.zip" "$work/$preset"
    verify "$work/$preset/stakko.exe" "stakko.exe in $name.zip"
    verify "$work/signed/$name-setup.exe" "$name-setup.exe"
done

installer="$work/signed/stakko-$version-win64-setup.exe"
# shellcheck disable=SC2016,SC2086 # expanded by the inner shell; the options split on purpose
tools/wine-run.sh --virtual-desktop --fresh-prefix "$work/prefix" bash -c '
    folder="$WINEPREFIX/drive_c/Program Files/Windows Stakko"
    wine "$1" /S || { echo "check-signing: the signed installer exits with $?" >&2; exit 1; }
    osslsigncode verify $STAKKO_VERIFY -in "$folder/uninstall.exe" >/dev/null 2>&1 ||
        { echo "check-signing: the installed uninstall.exe does not verify" >&2; exit 1; }
    echo "check-signing: the signed installer installs, and the installed uninstall.exe verifies"
    wine "$folder/uninstall.exe" /S
    for _ in $(seq 300); do [ -e "$folder" ] || exit 0; sleep 0.2; done
    echo "check-signing: the signed uninstaller leaves $folder" >&2
    exit 1' check "$installer"
echo "check-signing: the signed uninstaller removes the game"

# Without the key, and offline as far as the chain goes: its root is in no bundle, and its list
# of revoked certificates is nowhere to be had.
unset STAKKO_SIGN_PKCS11_MODULE STAKKO_SIGN_TIMESTAMP_URL
STAKKO_DIST=$work/rebuilt tools/package.sh --signatures "$work/signed/signatures" >/dev/null
cmp "$work/signed/SHA256SUMS" "$work/rebuilt/SHA256SUMS" ||
    fail "the release rebuilt from its signatures differs from the signed one"
echo "check-signing: the release rebuilt from its signatures has the signed release's SHA256SUMS"
STAKKO_SIGN_SIGNATURES=$work/signed/signatures tools/check-reproducible.sh
