#!/usr/bin/env bash
# Fails when a C++ source is not formatted as .clang-format says.
set -eu
cd "$(dirname "$0")/.."
find app game display settings about tests tools bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
