#!/usr/bin/env bash
# Checks a release build of stakko.exe: no symbols, at most 100 KB, nothing imported but Windows'
# known DLLs (which Windows never takes from the program's folder), the security marks of its
# header, and the version resource and manifest in place. One line per failure.
#   tools/check-exe.sh path/to/stakko.exe VERSION
set -u

exe=$1
version=$2
limit=$((100 * 1024))
known_dlls=" advapi32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll user32.dll "
# The x86-64 tools read 32-bit programs too.
objdump=x86_64-w64-mingw32-objdump
windres=x86_64-w64-mingw32-windres

failures=0
problem() {
    echo "check-exe: $exe: $1" >&2
    failures=$((failures + 1))
}

[ -f "$exe" ] || { echo "check-exe: $exe is missing" >&2; exit 1; }
size=$(stat -c %s "$exe")
((size <= limit)) || problem "$size bytes, over the limit of $limit"

header=$($objdump -p "$exe")
dlls=$(awk '/DLL Name:/ {print $3}' <<<"$header")
for dll in $dlls; do
    [[ "$known_dlls" == *" ${dll,,} "* ]] || problem "imports $dll, which is not a known DLL of Windows"
done
marks="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
grep -q '^Magic.*PE32+' <<<"$header" && marks+=" HIGH_ENTROPY_VA"
for mark in $marks; do
    grep -qx "[[:space:]]*$mark" <<<"$header" || problem "its header lacks $mark"
done

$objdump -h "$exe" | grep -q ' \.debug' && problem "carries debug information"
$objdump -t "$exe" | grep -q '^\[' && problem "carries a symbol table"

resources=$($windres -i "$exe" -O rc 2>/dev/null)
for value in FileVersion ProductVersion; do
    grep -q "VALUE \"$value\", \"$version\"" <<<"$resources" ||
        problem "its version resource lacks $value \"$version\""
done
grep -q 'requestedExecutionLevel level=""asInvoker""' <<<"$resources" ||
    problem "its manifest does not ask to run as the invoker"

((failures == 0)) || exit 1
echo "check-exe: $exe: $size bytes, imports $(echo $dlls | tr ' ' ','), version $version"
