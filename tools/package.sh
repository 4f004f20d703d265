#!/usr/bin/env bash
# Builds the release configurations and writes the release files to dist/:
#   stakko-VERSION-win64.zip, stakko-VERSION-win32.zip   the program and the players' README
#   stakko-VERSION-win64-setup.exe, ...-win32-setup.exe   the installers (NSIS)
#   SHA256SUMS                                            their digests, for sha256sum --check
#   manifests/                                            winget's and Scoop's, which quote them
#   signatures/                                           with a key: each program's signature
# Each program is checked first (tools/check-exe.sh): a release that is too large, needs a DLL
# that Windows lacks or has lost its version resource is not written.
#   tools/package.sh [--repository https://host/owner/repository] [--signatures DIR]
#                    [--untimestamped]
# The manifests' download addresses are that repository's releases: by default STAKKO_REPOSITORY,
# else origin's when that is a forge's address, else the project's own (tools/make-manifests.py).
# With a key in the environment (tools/sign.sh) every program is signed, and its signature kept in
# signatures/; a key needs STAKKO_SIGN_TIMESTAMP_URL too, since a signature without a timestamp
# ends with its certificate (--untimestamped allows that, for a test). Given the signatures/ of a signed release instead, the same signatures are attached
# to this build, which then writes that release's very bytes. STAKKO_DIST names another folder
# than dist/.
set -eu
cd "$(dirname "$0")/.."

usage() {
    echo "usage: $0 [--repository https://host/owner/repository] [--signatures DIR] [--untimestamped]" >&2
    exit 2
}
repository=${STAKKO_REPOSITORY:-}
signatures=""
untimestamped=""
while [ $# -gt 0 ]; do
    case "$1" in
    --repository) [ $# -ge 2 ] || usage; repository=$2; shift 2 ;;
    --signatures) [ $# -ge 2 ] || usage; signatures=$(realpath "$2"); shift 2 ;;
    --untimestamped) untimestamped=1; shift ;;
    *) usage ;;
    esac
done

tools/install-deps.sh
dist=${STAKKO_DIST:-dist}
mkdir -p "$dist"
dist=$(realpath "$dist")
sign=OFF
if [ -n "$signatures" ]; then
    export STAKKO_SIGN_SIGNATURES=$signatures
    sign=ON
elif [ -n "${STAKKO_SIGN_PKCS12:-}${STAKKO_SIGN_PKCS11_MODULE:-}" ]; then
    if [ -z "${STAKKO_SIGN_TIMESTAMP_URL:-}" ] && [ -z "$untimestamped" ]; then
        echo "package: a key but no STAKKO_SIGN_TIMESTAMP_URL: the signatures would end with the certificate" >&2
        exit 2
    fi
    export STAKKO_SIGN_OUT=$dist/signatures
    sign=ON
fi
[ "$signatures" = "$dist/signatures" ] || rm -rf "$dist/signatures"
released=()
for preset in win64 win32; do
    cmake --preset "$preset" -DSTAKKO_SIGN=$sign >/dev/null
    # Made afresh, signed or not as asked.
    rm -rf "build/$preset/release"
    cmake --build --preset "$preset" --target release -j "$(nproc)"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
    tools/check-exe.sh "build/$preset/stakko.exe" "$version"
    name="stakko-$version-$preset"
    cp "build/$preset/release/$name.zip" "build/$preset/release/$name-setup.exe" "$dist/"
    echo "package: $dist/$name.zip, $dist/$name-setup.exe"
    released+=("$name.zip" "$name-setup.exe")
done
if [ -n "$signatures" ] && [ "$signatures" != "$dist/signatures" ]; then
    cp -r "$signatures" "$dist/signatures"
fi
(cd "$dist" && sha256sum "${released[@]}" >SHA256SUMS)
echo "package: $dist/SHA256SUMS"
# Debian's Python, which has Debian's YAML module (tools/install-deps.sh).
rm -rf "$dist/manifests"
/usr/bin/python3 tools/make-manifests.py "$dist" "$version" "$repository"
/usr/bin/python3 tools/make-manifests.py --check "$dist" "$version"
