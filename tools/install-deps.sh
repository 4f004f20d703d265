#!/usr/bin/env bash
# Installs with apt-get whatever the build and the tests need and the machine lacks.
# Quick when everything is present.
set -eu

packages=(
    cmake g++ make libgtest-dev googletest libbenchmark-dev clang-format
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick fonts-liberation nsis
    python3 python3-yaml git osslsigncode openssl softhsm2 libengine-pkcs11-openssl
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
# The workflow lint runs on Node; a machine may have its npm from elsewhere than Debian.
command -v npm >/dev/null || missing+=(nodejs npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
