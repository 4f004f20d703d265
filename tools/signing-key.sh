#!/usr/bin/env bash
# Makes the release's signing key usable by tools/sign.sh, from what the environment names, and
# prints the variables that sign.sh then takes, one NAME=value a line (for the workflow's
# GITHUB_ENV). Files it writes go into DIR, which the caller removes after signing:
#   tools/signing-key.sh DIR
# A key in a hardware token or a cloud key service, reached through its PKCS#11 module:
#   STAKKO_SIGN_PKCS11_PACKAGE         a Debian package that installs the module, or
#   STAKKO_SIGN_PKCS11_MODULE_URL      an address of the module, or of a .tar.gz or .zip holding
#   STAKKO_SIGN_PKCS11_MODULE_SHA256   it, and its SHA-256; it is unpacked into DIR/module
#   STAKKO_SIGN_PKCS11_MODULE          the module's path; for an address, in what it unpacks
#   STAKKO_SIGN_PKCS11_KEY             the key's PKCS#11 URI
#   STAKKO_SIGN_CERT_CHAIN             the certificate chain, PEM, the signer's first
#   STAKKO_SIGN_PKCS11_CONFIG and      a file the module reads, and the name of the variable
#   STAKKO_SIGN_PKCS11_CONFIG_VARIABLE that tells it where (both optional)
#   STAKKO_SIGN_PKCS11_CREDENTIALS and the same for the service's credentials (optional)
#   STAKKO_SIGN_PKCS11_CREDENTIALS_VARIABLE
# or a PKCS#12 file, for whoever still has one:
#   STAKKO_SIGN_PKCS12_BASE64          the file, base64
# The PIN or password stays where it is, in STAKKO_SIGN_PASSWORD. With none of these set, it
# prints nothing: the release is unsigned.
set -eu
cd "$(dirname "$0")/.."

fail() {
    echo "signing-key: $*" >&2
    exit 1
}

[ $# -eq 1 ] || fail "usage: $0 DIR"
dir=$(realpath "$1")
tools/install-deps.sh >&2

# A file of the given text, readable by this user alone.
private() {
    (umask 077 && printf '%s\n' "$2" >"$1")
}

if [ -n "${STAKKO_SIGN_PKCS11_MODULE:-}" ]; then
    if [ -n "${STAKKO_SIGN_PKCS11_MODULE_URL:-}" ]; then
        [ -n "${STAKKO_SIGN_PKCS11_MODULE_SHA256:-}" ] || fail "the module's address has no SHA-256"
        mkdir -p "$dir/module"
        # Python's own library, so that the download needs nothing else; file:// works too.
        python3 - "$STAKKO_SIGN_PKCS11_MODULE_URL" "$STAKKO_SIGN_PKCS11_MODULE_SHA256" "$dir/module" <<'PYTHON' >&2 ||
import hashlib, io, os, sys, tarfile, urllib.request, zipfile
url, digest, folder = sys.argv[1:]
data = urllib.request.urlopen(url).read()
if hashlib.sha256(data).hexdigest() != digest.lower():
    sys.exit(f"{url} does not have the SHA-256 {digest}")
name = url.rstrip("/").rsplit("/", 1)[1]
if name.endswith((".tar.gz", ".tgz")):
    tarfile.open(fileobj=io.BytesIO(data)).extractall(folder)
elif name.endswith(".zip"):
    zipfile.ZipFile(io.BytesIO(data)).extractall(folder)
else:
    with open(os.path.join(folder, name), "wb") as module:
        module.write(data)
PYTHON
            fail "cannot install the module from $STAKKO_SIGN_PKCS11_MODULE_URL"
    elif [ -n "${STAKKO_SIGN_PKCS11_PACKAGE:-}" ]; then
        status=$(dpkg-query -W -f='${Status}' "$STAKKO_SIGN_PKCS11_PACKAGE" 2>/dev/null || true)
        if [ "$status" != "install ok installed" ]; then
            sudo=""
            [ "$(id -u)" -eq 0 ] || sudo=sudo
            DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "$STAKKO_SIGN_PKCS11_PACKAGE" >&2
        fi
    fi
    module=$STAKKO_SIGN_PKCS11_MODULE
    [ -z "${STAKKO_SIGN_PKCS11_MODULE_URL:-}" ] || module=$dir/module/$module
    [ -f "$module" ] || fail "no module at $module"
    [ -n "${STAKKO_SIGN_PKCS11_KEY:-}" ] || fail "STAKKO_SIGN_PKCS11_KEY names no key"
    [ -n "${STAKKO_SIGN_CERT_CHAIN:-}" ] || fail "STAKKO_SIGN_CERT_CHAIN holds no certificates"
    printf '%s\n' "$STAKKO_SIGN_CERT_CHAIN" >"$dir/chain.pem"
    echo "STAKKO_SIGN_PKCS11_MODULE=$module"
    echo "STAKKO_SIGN_PKCS11_KEY=$STAKKO_SIGN_PKCS11_KEY"
    echo "STAKKO_SIGN_CERT=$dir/chain.pem"
    for file in CONFIG CREDENTIALS; do
        text=STAKKO_SIGN_PKCS11_$file
        variable=STAKKO_SIGN_PKCS11_${file}_VARIABLE
        [ -n "${!text:-}" ] || continue
        [ -n "${!variable:-}" ] || fail "$variable names no variable for $text"
        private "$dir/pkcs11-${file,,}" "${!text}"
        echo "${!variable}=$dir/pkcs11-${file,,}"
    done
elif [ -n "${STAKKO_SIGN_PKCS12_BASE64:-}" ]; then
    private "$dir/signing.p12.base64" "$STAKKO_SIGN_PKCS12_BASE64"
    (umask 077 && base64 -d "$dir/signing.p12.base64" >"$dir/signing.p12")
    rm "$dir/signing.p12.base64"
    echo "STAKKO_SIGN_PKCS12=$dir/signing.p12"
fi
