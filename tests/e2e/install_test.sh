#!/usr/bin/env bash
# The installer's round trip on a machine that has never seen the game: an install that cannot
# write its Apps entry, a silent install, the installed game started, shown and quit through its
# confirmation so that it stores its settings, an install that cannot write the program, the
# 32-bit build's installation replaced (in Program Files and elsewhere), the installation moved
# into another folder and moves that fail, a silent uninstall that leaves nothing behind, and an
# install elsewhere found again.
#
#   install_test.sh path/to/stakko-VERSION-win64-setup.exe VERSION path/to/entry-fails-setup.exe
#
# The last is the same installer with its entry under a key name too long for the registry, so
# that every write of it fails.
#
# Runs inside tools/wine-run.sh --virtual-desktop --fresh-prefix DIR (WINEPREFIX and DISPLAY
# set). Prints one line per check and ends with "N passed, M failed"; stops at the first failure.
set -u

installer=$1
version=$2
entry_fails=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for tool in wine xdotool; do
    command -v "$tool" >/dev/null || { echo "install_test: $tool is missing" >&2; exit 2; }
done
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "install_test: run me through tools/wine-run.sh --virtual-desktop --fresh-prefix DIR" >&2
    exit 2
fi

program_dir="$WINEPREFIX/drive_c/Program Files/Windows Stakko"
program='C:\Program Files\Windows Stakko\stakko.exe'
games_dir="$WINEPREFIX/drive_c/Games/Stakko"
x86_dir="$WINEPREFIX/drive_c/Program Files (x86)/Windows Stakko"
elsewhere_dir="$WINEPREFIX/drive_c/Games/Elsewhere"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Windows Stakko.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\WindowsStakko'
store_key='Software\Brindlewick Software\Dropstakk'

# shellcheck source=steps.sh
source "$here/steps.sh"

game_pid=""
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null' EXIT

fail() {
    echo "FAIL $1"
    shift
    [ $# -eq 0 ] || printf '     %s\n' "$@"
    echo "$passed passed, 1 failed"
    exit 1
}

# One value of a key as "type data", or nothing; in the 32-bit view of the registry or the one
# given, as reg_exists.
reg_value() {
    wine reg query "$1" /v "$2" "/reg:${3:-32}" 2>/dev/null | tr -d '\r' |
        awk -v n="$2" '$1 == n {$1 = ""; sub(/^ +/, ""); print}'
}

# Moves the Apps entry from the 64-bit view to the 32-bit one, as the 32-bit build writes it.
move_entry_to_32() {
    wine reg export "$uninstall_key" 'C:\seed.reg' /reg:64 /y >/dev/null &&
        wine reg delete "$uninstall_key" /f /reg:64 >/dev/null && wine reg import 'C:\seed.reg' /reg:32 >/dev/null
}

# ===== 0. an install whose Apps entry cannot be written

wine "$entry_fails" /S; code=$?
[ $code -eq 2 ] && [ ! -e "$program_dir" ] && [ ! -e "$shortcut" ] ||
    fail "an install that cannot write its entry exits with 2 and leaves nothing" "exit code $code" \
        "left: $(ls -A "$program_dir" "$shortcut" 2>&1 | tr '\n' ' ')"
pass "an install that cannot write its entry exits with 2 and takes its files and shortcut back"

# ===== 1. a silent install

wine "$installer" /S || fail "$(basename "$installer") /S installs" "exit code $?"
for file in stakko.exe README.txt uninstall.exe; do
    [ -f "$program_dir/$file" ] || fail "the installer puts $file into Program Files\\Windows Stakko"
done
pass "the installer puts stakko.exe, README.txt and uninstall.exe into Program Files\\Windows Stakko"
[ -f "$shortcut" ] || fail "the installer makes the shortcut \"Windows Stakko\" in the common Start menu"
pass "the installer makes the shortcut \"Windows Stakko\" in the common Start menu"

# The 64-bit installer keeps its entry in the 64-bit view.
entry=$(wine reg query "$uninstall_key" /reg:64 2>/dev/null | tr -d '\r')
expect_entry() {
    [ "$(reg_value "$uninstall_key" "$1" 64)" = "$2" ] ||
        fail "the Uninstall entry's $1 is $2" "the entry holds:" "${entry:-nothing}"
}
expect_entry DisplayName "REG_SZ Windows Stakko"
expect_entry DisplayVersion "REG_SZ $version"
expect_entry Publisher "REG_SZ Brindlewick Software"
expect_entry DisplayIcon "REG_SZ C:\\Program Files\\Windows Stakko\\stakko.exe,0"
expect_entry NoModify "REG_DWORD 0x1"
expect_entry NoRepair "REG_DWORD 0x1"
[[ "$(reg_value "$uninstall_key" EstimatedSize 64)" =~ ^REG_DWORD\ 0x[0-9a-f]*[1-9a-f] ]] ||
    fail "the Uninstall entry has an EstimatedSize above 0" "the entry holds:" "$entry"
pass "the Uninstall entry names Windows Stakko $version by Brindlewick Software, with its icon and size"

# ===== 2. the installed game: started, shown, and quit through its confirmation

wine "$program" >/dev/null 2>&1 &
game_pid=$!
wait_window "$game_pid" "Windows Stakko" 60
pass "the installed game shows its window"
# Only with _?= (last and unquoted: split here) does the uninstaller check in its own process.
wine "$installer" /S && fail "the installer /S refuses while the game runs"
wine "$program_dir/uninstall.exe" /S "_?="${program%\\*} &&
    fail "uninstall.exe /S refuses while the game runs"
[ -f "$program_dir/stakko.exe" ] && [ -f "$shortcut" ] && reg_exists "$uninstall_key" 64 ||
    fail "a refused uninstall removes nothing"
pass "while the game runs, the installer and uninstall.exe /S refuse with a non-zero exit code"
# Keyboard input reaches a program in the Wine desktop only after a click on its window.
xdotool windowactivate --sync "$window" mousemove --window "$window" 20 100 click 1 2>/dev/null
xdotool key alt+F4
wait_window "$game_pid" "Exit Stakko game" 10
xdotool key y
wait_exit "$game_pid" 20 "the game after Yes"
game_pid=""
[ "$exit_code" -eq 0 ] || fail "Yes ends the game with exit code 0" "exit code $exit_code"
pass "Alt+F4 and Yes end the game with exit code 0"
[ "$(reg_value "HKLM\\$store_key" BrksPerLine)" = "REG_DWORD 0xa" ] ||
    fail "the game stores its settings under HKLM\\$store_key"
pass "the game stores its settings under HKLM\\$store_key"

# Starts the game at the path on a desktop of its own, out of the installer's sight as in another
# user's session, and waits for its window (within the test's time limit).
start_elsewhere() {
    wine explorer /desktop=Elsewhere,640x480 "$1" >/dev/null 2>&1 &
    until xdotool search --name '^Windows Stakko$' >/dev/null 2>&1; do sleep 0.2; done
}

# ===== 3. an install that cannot write the program, over the entry of an earlier version

wine reg add "$uninstall_key" /v DisplayVersion /d 0.9.0 /f /reg:64 >/dev/null
start_elsewhere "$program"
wine "$installer" /S; code=$?
[ $code -eq 2 ] && [ "$(reg_value "$uninstall_key" DisplayVersion 64)" = "REG_SZ 0.9.0" ] &&
    [ -f "$program_dir/uninstall.exe" ] || fail "with stakko.exe held, the installer /S exits with 2" "exit code $code"
pass "with stakko.exe held, the installer /S exits with 2 and leaves the earlier entry (0.9.0)"
wine taskkill /f /im stakko.exe >/dev/null 2>&1

# ===== 4. a 32-bit installation (an install moved into its folder, the entry moved), replaced

table=$(reg_value "HKLM\\$store_key" HiScores)
wine "$installer" /S /D=C:\\Program Files "(x86)\\Windows" Stakko && [ ! -e "$program_dir" ] && move_entry_to_32 ||
    fail "a 32-bit installation is seeded in Program Files (x86)"
start_elsewhere "C:\\Program Files (x86)\\Windows Stakko\\stakko.exe"
wine "$installer" /S; code=$?
[ $code -eq 2 ] && [ -f "$x86_dir/stakko.exe" ] && reg_exists "$uninstall_key" 32 && [ ! -e "$program_dir" ] ||
    fail "while the 32-bit build's stakko.exe is held, the installer /S exits with 2 and changes nothing" "exit code $code"
pass "while the 32-bit build's stakko.exe is held, the installer /S exits with 2 and changes nothing"
wine taskkill /f /im stakko.exe >/dev/null 2>&1
# A folder where the shortcut goes: the install fails after writing its files.
rm "$shortcut" && mkdir "$shortcut" && wine "$installer" /S; code=$?
rmdir "$shortcut"
[ $code -eq 2 ] && [ -f "$x86_dir/stakko.exe" ] && [ ! -e "$program_dir" ] && ! reg_exists "$uninstall_key" 64 &&
    [ "$(reg_value "$uninstall_key" InstallLocation)" = "REG_SZ C:\\Program Files (x86)\\Windows Stakko" ] ||
    fail "with its shortcut unwritable, the installer /S exits with 2 and the 32-bit build stays" "exit code $code"
pass "with its shortcut unwritable, the installer /S exits with 2; the 32-bit build stays whole and listed"
wine "$installer" /S; code=$?
[ $code -eq 0 ] && [ ! -e "$x86_dir" ] && ! reg_exists "$uninstall_key" 32 && [ -f "$program_dir/stakko.exe" ] &&
    [ "$(reg_value "$uninstall_key" InstallLocation 64)" = "REG_SZ ${program%\\*}" ] &&
    grep -qaF "$program" "$shortcut" && ! grep -qaF "(x86)" "$shortcut" &&
    [ -n "$table" ] && [ "$(reg_value "HKLM\\$store_key" HiScores)" = "$table" ] ||
    fail "the installer /S takes the 32-bit build's place" "exit code $code" \
        "left in Program Files (x86): $(ls -A "$x86_dir" 2>&1)" \
        "the 32-bit entry: $(reg_value "$uninstall_key" InstallLocation 32)" \
        "the entry: $(reg_value "$uninstall_key" InstallLocation 64)" \
        "the shortcut: $(grep -aoF -e "$program" -e "(x86)" "$shortcut" 2>&1 | tr '\n' ' ')" \
        "the stored table: $(reg_value "HKLM\\$store_key" HiScores | cut -c1-40), before: ${table:0:40}"
pass "the installer takes the 32-bit build's place: its folder and entry gone, one shortcut, the stored table kept"
# Its entry naming this folder (spelt otherwise): the files there are this build's by then.
wine reg add "$uninstall_key" /v InstallLocation /d 'c:\program files\windows stakko' /f /reg:32 >/dev/null
wine "$installer" /S; code=$?
[ $code -eq 0 ] && [ -f "$program_dir/stakko.exe" ] && ! reg_exists "$uninstall_key" 32 ||
    fail "a 32-bit entry naming the same folder goes, and the files there stay" "exit code $code" \
        "the 32-bit entry: $(reg_value "$uninstall_key" InstallLocation 32)" "left: $(ls -A "$program_dir" 2>&1)"
pass "a 32-bit entry naming the same folder goes, and the files there stay"

# ===== 5. moves into C:\Games\Elsewhere: three that fail, one that leaves the earlier folder only
# the player's file, and one back that leaves no folder behind

# The earlier entry is an older version's, without a value that this one writes.
wine reg add "$uninstall_key" /v DisplayVersion /d 0.9.0 /f /reg:64 >/dev/null
wine reg delete "$uninstall_key" /v QuietUninstallString /f /reg:64 >/dev/null
entry_now() { wine reg query "$uninstall_key" /reg:64 2>&1 | tr -d '\r'; }
entry=$(entry_now)
files=$(md5sum "$program_dir"/*)
left_in() { ls -A "$1" 2>/dev/null || echo "(no folder)"; }
# The exit code, the case, and what the failed move leaves in the new folder.
expect_unmoved() {
    [ "$1" -eq 2 ] && [ "$(md5sum "$program_dir"/*)" = "$files" ] && [ "$(entry_now)" = "$entry" ] &&
        grep -qaF "$program" "$shortcut" && [ "$(left_in "$elsewhere_dir")" = "${3:-(no folder)}" ] ||
        fail "$2, a move exits with 2 and leaves the earlier installation as it was" "exit code $1" \
            "the entry: $(entry_now)" "shortcut to it: $(grep -caF "$program" "$shortcut" 2>&1)" \
            "left in C:\Games\Elsewhere: $(left_in "$elsewhere_dir")"
    pass "$2, a move exits with 2; the earlier files, entry and shortcut stay as they were"
}
mkdir -p "$elsewhere_dir/uninstall.exe"
wine "$installer" /S /D=C:\\Games\\Elsewhere; code=$?
expect_unmoved $code "with uninstall.exe unwritable" uninstall.exe
rm -r "$elsewhere_dir"
# The shortcut, written after the entry, fails: cmd holds it open for reading alone meanwhile.
wine cmd /c "<" "$(winepath -w "$shortcut")" "$(winepath -w "$installer")" /S /D=C:\\Games\\Elsewhere; code=$?
expect_unmoved $code "with the shortcut held open"
start_elsewhere "$program"
wine "$installer" /S /D=C:\\Games\\Elsewhere; code=$?
wine taskkill /f /im stakko.exe >/dev/null 2>&1
expect_unmoved $code "with the earlier stakko.exe held"
echo "the player's" >"$program_dir/notes.txt"
wine "$installer" /S /D=C:\\Games\\Elsewhere; code=$?
[ $code -eq 0 ] && [ "$(ls -A "$program_dir")" = notes.txt ] && [ "$(ls "$elsewhere_dir" | wc -l)" -eq 3 ] &&
    [ "$(reg_value "$uninstall_key" UninstallString 64)" = 'REG_SZ "C:\Games\Elsewhere\uninstall.exe"' ] &&
    [ "$(reg_value "$uninstall_key" DisplayVersion 64)" = "REG_SZ $version" ] &&
    grep -qaF 'C:\Games\Elsewhere\stakko.exe' "$shortcut" && ! reg_exists "$uninstall_key" 32 ||
    fail "a move into C:\Games\Elsewhere leaves one installation, listed there" "exit code $code" \
        "the entry: $(entry_now)" "left in Program Files: $(ls -A "$program_dir" 2>&1)"
pass "a move into C:\Games\Elsewhere leaves one installation, listed there, and the player's file behind"
rm "$program_dir/notes.txt"
wine "$installer" /S /D=C:\\Program Files\\Windows Stakko && [ ! -e "$elsewhere_dir" ] &&
    [ "$(reg_value "$uninstall_key" InstallLocation 64)" = "REG_SZ ${program%\\*}" ] && grep -qaF "$program" "$shortcut" ||
    fail "a move back into Program Files removes C:\Games\Elsewhere" "left: $(left_in "$elsewhere_dir")"
pass "a move back into Program Files removes C:\Games\Elsewhere"

# ===== 6. a silent uninstall

# The uninstaller runs on from a copy of itself in the temporary folder, so its own process ends
# early: the check waits for what it removes.
uninstall() {
    wine "$1/uninstall.exe" /S || fail "uninstall.exe /S runs" "exit code $?"
    local end=$((SECONDS + 60))
    while [ -e "$1" ] || reg_exists "$uninstall_key" 64; do
        ((SECONDS < end)) || fail "uninstall.exe /S removes $1 and the Uninstall entry within 60 s" \
            "left: $(ls -A "$1" 2>/dev/null | tr '\n' ' ')"
        sleep 0.2
    done
}
uninstall "$program_dir"
pass "the uninstaller removes the program's folder and the Uninstall entry"
[ ! -e "$shortcut" ] || fail "the uninstaller removes the Start-menu shortcut"
pass "the uninstaller removes the Start-menu shortcut"
for hive in HKLM HKCU; do
    reg_exists "$hive\\$store_key" && fail "the uninstaller removes the stored settings" "$hive\\$store_key is still there"
done
pass "the uninstaller removes the stored settings (HKLM and HKCU)"

# ===== 7. an install elsewhere (/D= last, unquoted), found again by the next install: the
# second install, without /D=, brings back the file taken here. Then the same folder as the 32-bit
# build's: the next install takes its place there, not in Program Files.
# The folder is given as the winget manifest gives it.
read -r silent location < <(python3 "$here/../../tools/make-manifests.py" --switches)
wine "$installer" "$silent" "${location/<INSTALLPATH>/C:\\Games\\Stakko}" && rm "$games_dir/README.txt" &&
    wine "$installer" /S &&
    [ -f "$games_dir/README.txt" ] && [ ! -e "$program_dir" ] ||
    fail "a second install goes into C:\\Games\\Stakko again"
pass "installed with /D=C:\\Games\\Stakko, the next install without /D= goes there again"
move_entry_to_32 && wine "$installer" /S && [ ! -e "$program_dir" ] && ! reg_exists "$uninstall_key" 32 &&
    [ "$(reg_value "$uninstall_key" InstallLocation 64)" = "REG_SZ C:\\Games\\Stakko" ] ||
    fail "the 32-bit build in C:\\Games\\Stakko is replaced there"
pass "the 32-bit build in C:\\Games\\Stakko is replaced there, its entry gone"
uninstall "$games_dir"
pass "the uninstaller removes C:\\Games\\Stakko and the Uninstall entry"

echo "$passed passed, 0 failed"
