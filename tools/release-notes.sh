#!/usr/bin/env bash
# Prints the release notes of the source's version, its section of CHANGELOG.md:
#   tools/release-notes.sh [TAG]
# The version is the one of project() in CMakeLists.txt. Given a tag, as the release job gives
# it, the tag must name that version (v1.2.3): a tag of another version fails before anything is
# published. No section for the version, or an empty one, fails too, so ./check.sh finds a
# version raised without its notes.
set -eu
cd "$(dirname "$0")/.."

fail() {
    echo "release-notes: $*" >&2
    exit 1
}

version=$(sed -n 's/^project(Stakko VERSION \([0-9][0-9.]*\)[ )].*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
if [ $# -gt 0 ] && [ "$1" != "v$version" ]; then
    fail "the tag $1 does not name the source's version: the tag for it is v$version"
fi
# The lines under "## VERSION" (or "## VERSION anything") up to the next section, from the first
# that is not blank.
notes=$(awk -v heading="## $version" '
    $0 == heading || index($0, heading " ") == 1 { inside = 1; next }
    inside && /^## / { exit }
    inside && (started || NF > 0) { started = 1; print }' CHANGELOG.md)
[ -n "$notes" ] || fail "CHANGELOG.md has no notes for $version under \"## $version\""
printf '%s\n' "$notes"
