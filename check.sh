#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the rules natively, natively again with sanitizers, the fuzz targets for a bounded time, and the
# Windows programs under Wine, the quick suites a second time as clang builds them; then checks
# the release programs, writes the release files to dist/, signs a release with a certificate made
# for the run and checks that another build given its signatures writes the same bytes. The CI
# workflows and the release notes of this version are checked first.
set -eu
cd "$(dirname "$0")"

tools/install-deps.sh
tools/check-format.sh
tools/lint-workflows.sh
tools/release-notes.sh >/dev/null

jobs=$(nproc)
for preset in native native-asan win64 win32; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
echo "== build win64-clang"
cmake --preset win64-clang >/dev/null
# GCC's C++ library pads the names of its exception types to 16 bytes and clang does not: ld keeps
# one copy of each and says so for every test program, which tells nothing about this code.
(set -o pipefail
 cmake --build --preset win64-clang -j "$jobs" 2>&1 | sed '/duplicate section .* has different size/d')

echo "== test native"
ctest --preset native -j "$jobs"
echo "== test native-asan"
ctest --preset native-asan -j "$jobs"
echo "== fuzz the stored settings and the command line (about 70 s)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz
echo "== test win64 (Wine)"
tools/wine-run.sh --virtual-desktop ctest --preset win64
echo "== test win64-clang (Wine; the suites that start no game and need no screen of their own)"
tools/wine-run.sh --virtual-desktop ctest --preset win64-clang
echo "== release files"
tools/package.sh
echo "== a signed release, and the same bytes again from a copy of the sources and its signatures"
tools/check-signing.sh
