#!/usr/bin/env bash
# Checks that the release files are the same bytes from another build of the same sources: copies
# the work tree to another path, builds the win64 release there with a fresh build folder a while
# after the first build, and compares the digests with build/win64's (built by check.sh first).
#   tools/check-reproducible.sh
# With STAKKO_SIGN_SIGNATURES=DIR, build/win64 holds a signed release whose signatures are in DIR
# (tools/check-signing.sh).
#
# One preset is enough to show it, and keeps the check within a minute: the win32 programs are
# made by the same compile and link options and the same packaging steps.
set -eu
cd "$(dirname "$0")/.."

# Both builds take their time stamps from the commit; the copy has no git history to read it from.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
copy=$(mktemp -d /tmp/stakko-rebuilt-XXXXXX)
trap 'rm -rf "$copy"' EXIT
git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - | tar -xf - -C "$copy"
# A signed first build: the copy, which has no key, attaches its detached signatures instead.
sign=OFF
[ -z "${STAKKO_SIGN_SIGNATURES:-}" ] || sign=ON
(cd "$copy" && cmake --preset win64 -DSTAKKO_BUILD_TESTS=OFF -DSTAKKO_SIGN=$sign >/dev/null &&
    cmake --build --preset win64 --target release -j "$(nproc)" >/dev/null)

files="stakko.exe release/stakko-*.zip release/stakko-*-setup.exe"
(cd build/win64 && sha256sum $files) | tee "$copy/first.sha256"
echo "check-reproducible: the same files built again in $copy:"
(cd "$copy/build/win64" && sha256sum --check "$copy/first.sha256")
