#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the rules natively, natively again with sanitizers, the fuzz targets for a bounded time, and the
# Windows programs under Wine; then checks the release programs, writes the release files to
# dist/ and checks that another build gives the same bytes. The CI workflows are linted first.
set -eu
cd "$(dirname "$0")"

tools/install-deps.sh
tools/check-format.sh
tools/lint-workflows.sh

jobs=$(nproc)
for preset in native native-asan win64 win32; do
    echo "== build $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done

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
echo "== release files"
tools/package.sh
echo "== the release files again, from a copy of the sources built elsewhere"
tools/check-reproducible.sh
