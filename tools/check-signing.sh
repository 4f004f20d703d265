#!/usr/bin/env bash
# Signs a whole release with a certificate made for this run and never kept, and checks it: each
# program and installer verifies, the signed win64 installer installs under Wine (its own
# integrity check passing with the signature) with a signed uninstall.exe that then uninstalls,
# and builds given only the detached signatures write the same bytes: this one (the same
# SHA256SUMS) and one of a copy of the sources (tools/check-reproducible.sh). Run after
# tools/package.sh, as check.sh does.
#   tools/check-signing.sh
set -eu
cd "$(dirname "$0")/.."

fail() {
    echo "check-signing: $*" >&2
    exit 1
}

work=$(mktemp -d /tmp/stakko-signed-XXXXXX)
# The builds are left unsigned, as the other checks and the developer's next build expect.
unsigned() {
    for preset in win64 win32; do
        cmake --preset "$preset" -DSTAKKO_SIGN=OFF >/dev/null
        rm -rf "build/$preset/release"
    done
    rm -rf "$work"
}
trap unsigned EXIT

export STAKKO_SIGN_PASSWORD=$RANDOM$RANDOM
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Windows Stakko test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/key.p12" \
    -passout env:STAKKO_SIGN_PASSWORD
# The certificate is its own root: each check trusts it alone.
export STAKKO_SIGN_CAFILE=$work/cert.pem
STAKKO_SIGN_PKCS12=$work/key.p12 STAKKO_DIST=$work/signed tools/package.sh >/dev/null

verify() {
    osslsigncode verify -CAfile "$STAKKO_SIGN_CAFILE" -in "$1" >/dev/null 2>&1 || fail "$2 does not verify"
    echo "check-signing: $2 verifies"
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
# shellcheck disable=SC2016 # expanded by the inner shell
tools/wine-run.sh --virtual-desktop --fresh-prefix "$work/prefix" bash -c '
    folder="$WINEPREFIX/drive_c/Program Files/Windows Stakko"
    wine "$1" /S || { echo "check-signing: the signed installer exits with $?" >&2; exit 1; }
    osslsigncode verify -CAfile "$STAKKO_SIGN_CAFILE" -in "$folder/uninstall.exe" >/dev/null 2>&1 ||
        { echo "check-signing: the installed uninstall.exe does not verify" >&2; exit 1; }
    echo "check-signing: the signed installer installs, and the installed uninstall.exe verifies"
    wine "$folder/uninstall.exe" /S
    for _ in $(seq 300); do [ -e "$folder" ] || exit 0; sleep 0.2; done
    echo "check-signing: the signed uninstaller leaves $folder" >&2
    exit 1' check "$installer"
echo "check-signing: the signed uninstaller removes the game"

STAKKO_DIST=$work/rebuilt tools/package.sh --signatures "$work/signed/signatures" >/dev/null
cmp "$work/signed/SHA256SUMS" "$work/rebuilt/SHA256SUMS" ||
    fail "the release rebuilt from its signatures differs from the signed one"
echo "check-signing: the release rebuilt from its signatures has the signed release's SHA256SUMS"
STAKKO_SIGN_SIGNATURES=$work/signed/signatures tools/check-reproducible.sh
