#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it under Wine on this display.
#   ./play.sh             the game in a window of its own
#   ./play.sh --desktop   the game inside a Wine virtual desktop of 800 x 600
set -eu
cd "$(dirname "$0")"

tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target stakko -j "$(nproc)"

[ -n "${DISPLAY:-}" ] || echo "play: no DISPLAY; the game runs on an invisible virtual screen" >&2
exec tools/wine-run.sh "$@" build/win64/stakko.exe
