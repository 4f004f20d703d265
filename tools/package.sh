#!/usr/bin/env bash
# Builds the release configurations and writes the release files to dist/:
#   stakko-VERSION-win64.zip, stakko-VERSION-win32.zip   the program and the players' README
#   stakko-VERSION-win64-setup.exe, ...-win32-setup.exe   the installers (NSIS)
#   SHA256SUMS                                            their digests, for sha256sum --check
#   manifests/                                            winget's and Scoop's, which quote them
# Each program is checked first (tools/check-exe.sh): a release that is too large, needs a DLL
# that Windows lacks or has lost its version resource is not written.
#   tools/package.sh [--repository https://host/owner/repository]
# The manifests' download addresses are that repository's releases: by default STAKKO_REPOSITORY,
# else origin's when that is a forge's address, else the project's own (tools/make-manifests.py).
set -eu
cd "$(dirname "$0")/.."

repository=${STAKKO_REPOSITORY:-}
if [ "${1:-}" = --repository ] && [ $# -eq 2 ]; then
    repository=$2
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--repository https://host/owner/repository]" >&2
    exit 2
fi

tools/install-deps.sh
mkdir -p dist
released=()
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target release -j "$(nproc)"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
    tools/check-exe.sh "build/$preset/stakko.exe" "$version"
    name="stakko-$version-$preset"
    cp "build/$preset/release/$name.zip" "build/$preset/release/$name-setup.exe" dist/
    echo "package: dist/$name.zip, dist/$name-setup.exe"
    released+=("$name.zip" "$name-setup.exe")
done
(cd dist && sha256sum "${released[@]}" >SHA256SUMS)
echo "package: dist/SHA256SUMS"
# Debian's Python, which has Debian's YAML module (tools/install-deps.sh).
rm -rf dist/manifests
/usr/bin/python3 tools/make-manifests.py dist "$version" "$repository"
/usr/bin/python3 tools/make-manifests.py --check dist "$version"
