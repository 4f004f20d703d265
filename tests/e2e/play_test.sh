#!/usr/bin/env bash
# Plays the real game under Wine as a person would, and checks what the screen and the registry
# show: the window with its top band and glass, moves by keyboard, a drop, the pause, quitting
# through the confirmation with the settings saved, a game played to its end with a name entered
# into the high-score table and saved at once, the saves at a name, at Options and at the end of
# the Windows session as the next start finds them, and the uninstall switch.
#
#   play_test.sh path/to/stakko.exe [folder for screenshots]
#
# Runs inside a Wine session of tools/wine-run.sh --virtual-desktop (WINEPREFIX and DISPLAY set),
# in which every program shows inside one 1024 x 768 Wine desktop. Screenshots go to the folder
# (by default e2e-screens beside the program): game.png while playing, paused.png while paused,
# hiscores.png of the table after the game, and the last screen of every step. Prints one line
# per check and ends with "N passed, M failed"; stops at the first failure, after printing what
# it saw.

# Lists of glass cells are words like "3,4", passed around unquoted on purpose.
# shellcheck disable=SC2046,SC2086
set -u

exe=$1
out=${2:-$(dirname "$exe")/e2e-screens}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The folder is the test's own: screenshots of an earlier run would only mislead.
mkdir -p "$out"
rm -f "$out"/*.png

# The window that the default settings give: 10 columns and 20 rows of 15-pixel bricks under the
# 65-pixel top band.
brick=15
columns=10
rows=20
band=65
client_w=$((columns * brick))
client_h=$((band + rows * brick))
background="64 0 128" # GlassBackgrColor 0x800040 holds red in its low byte

store_key='Software\Brindlewick Software\Dropstakk'
maker_key='Software\Brindlewick Software'
old_key='Software\Orlan_Vetchinsky'

for tool in wine xdotool xwininfo import convert od awk; do
    command -v "$tool" >/dev/null || { echo "play_test: $tool is missing" >&2; exit 2; }
done
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "play_test: run me through tools/wine-run.sh --virtual-desktop" >&2
    exit 2
fi

# shellcheck source=steps.sh
source "$here/steps.sh"

game_pid=""
uninstall_pid=""

cleanup() {
    local pid
    for pid in $game_pid $uninstall_pid; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# ---- reporting

show_windows() {
    echo "-- windows on the screen (xwininfo -root -tree):"
    xwininfo -root -tree 2>/dev/null | grep -E '^ +0x[0-9a-f]+ "' | grep -v '"Default IME"'
}

show_glass() {
    local r
    echo "-- the glass in $out/$shot.png (. background, x brick, # black, ? other):"
    for ((r = 0; r < rows; r++)); do
        printf '   %2d %s\n' "$r" "${picture[r]}"
    done
    if [ ${#odd[@]} -gt 0 ]; then
        echo "-- ${#odd[@]} cells marked ?, at most 8 shown (row column centre top-left bottom-right):"
        printf '   %s\n' "${odd[@]}" | sort -n -k1,1 -k2,2 | head -8
    fi
    echo "-- named pixels (R G B):"
    for r in "${!point[@]}"; do
        echo "   $r: ${point[$r]}"
    done | sort
}

# Prints what the test saw and stops with the one failed check.
fail() {
    echo "FAIL $1"
    shift
    [ $# -eq 0 ] || printf '     %s\n' "$@"
    [ -z "${shot:-}" ] || show_glass
    show_windows
    echo "$passed passed, 1 failed"
    exit 1
}

# ---- the registry

# Prints the key's values as "name type data" lines, or fails when the key is absent.
reg_values() {
    wine reg query "$1" /reg:32 2>/dev/null | tr -d '\r' | awk 'NF == 3 && $2 ~ /^REG_/'
    return "${PIPESTATUS[0]}"
}

# Restarts the registry's server, which writes the registry to disk and reads it back from there,
# as a reboot would. It ends every Wine program, the game too.
reload_registry() {
    wineserver -k
    wineserver -w
    game_pid=""
}

# ---- the screen

declare -a picture=()
declare -a odd=()
declare -A point=()
shot=""

# Preview and score panel pixels in client coordinates: the preview is the 40 x 40 control at
# (110, 25), framed by white on its outermost pixels; its bricks lie between 2 and 35 inside it.
preview_x=$((client_w - 40))
points="panel_top_left:1:26 panel_bottom_left:1:63 panel_bottom_right:$((preview_x - 2)):63
preview_frame_top_left:$preview_x:25 preview_frame_top:$((preview_x + 20)):25
preview_frame_top_right:$((preview_x + 39)):25 preview_frame_right:$((preview_x + 39)):45
preview_frame_bottom_right:$((preview_x + 39)):64 preview_frame_bottom:$((preview_x + 20)):64
preview_frame_bottom_left:$preview_x:64 preview_frame_left:$preview_x:45
preview_inside_top_left:$((preview_x + 1)):26 preview_inside_bottom_right:$((preview_x + 38)):63"

# Takes a screenshot of the game window into $out/NAME.png and reads its client area into
# picture (one string a glass row), odd (the cells that are neither empty, brick nor black) and
# point. The screen is read, not the window: under Wine another process cannot read its pixels.
grab() {
    shot=$1
    import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$out/$shot.png" ||
        fail "screenshot $shot"
    picture=()
    odd=()
    point=()
    local kind a b c d e
    while read -r kind a b c d e; do
        case $kind in
        row) picture[a]=$b ;;
        point) point[$a]="$b $c $d" ;;
        odd) odd+=("$a $b $c $d $e") ;;
        esac
    done < <(convert "$out/$shot.png" -crop "${client_w}x${client_h}+$((client_x - win_x))+$((client_y - win_y))" \
        +repage -depth 8 rgb:- | od -An -v -tu1 -w$((client_w * 3)) |
        awk -v brick=$brick -v columns=$columns -v rows=$rows -v band=$band \
            -v background="$background" -v points="${points//$'\n'/ }" -f "$here/glass_picture.awk")
}

# Screenshots until the named condition holds or the seconds run out. The game changes the
# screen in its own time, so each check waits for the state it expects to become visible.
grab_until() {
    local name=$1 seconds=$2 condition=$3
    local end=$((SECONDS + seconds))
    while :; do
        grab "$name"
        $condition && return 0
        ((SECONDS < end)) || return 1
        sleep 0.05
    done
}

# The glass cells that hold a given character, as "row,column" words, in rows from..to.
cells() {
    local char=$1 from=${2:-0} to=${3:-$((rows - 1))} r c line
    for ((r = from; r <= to; r++)); do
        line=${picture[r]}
        for ((c = 0; c < columns; c++)); do
            [ "${line:c:1}" = "$char" ] && printf '%s ' "$r,$c"
        done
    done
}

count() {
    echo $#
}

# A shape: the cells moved to the top-left corner, in order.
shape() {
    local cell minr=999 minc=999
    for cell in "$@"; do
        ((${cell%,*} < minr)) && minr=${cell%,*}
        ((${cell#*,} < minc)) && minc=${cell#*,}
    done
    for cell in "$@"; do
        echo "$((${cell%,*} - minr)),$((${cell#*,} - minc))"
    done | sort | tr '\n' ' '
}

# The shape turned a quarter clockwise: (row, column) becomes (column, -row).
turned() {
    local cell
    shape $(for cell in "$@"; do echo "${cell#*,},$((-${cell%,*}))"; done)
}

min_column() {
    local cell m=999
    for cell in "$@"; do ((${cell#*,} < m)) && m=${cell#*,}; done
    echo "$m"
}

max_column() {
    local cell m=-1
    for cell in "$@"; do ((${cell#*,} > m)) && m=${cell#*,}; done
    echo "$m"
}

max_row() {
    local cell m=-1
    for cell in "$@"; do ((${cell%,*} > m)) && m=${cell%,*}; done
    echo "$m"
}

is_color() {
    [ "${point[$1]:-}" = "$2" ]
}

# ---- the game process

# Position and size of a window on the screen. xdotool's getwindowgeometry reports twice the
# position for windows inside a Wine virtual desktop, so xwininfo is asked instead.
window_rect() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# Starts the game and waits for its window; sets game_pid, main_window, its rectangle and the
# client area's place on the screen, and clicks the glass: keyboard input reaches a program
# inside the Wine desktop only after a click on its window, and a click on the glass does nothing
# in the game.
start_game() {
    wine "$exe" >"$out/$1.log" 2>&1 &
    game_pid=$!
    wait_window "$game_pid" "Windows Stakko" 60
    main_window=$window
    read -r win_x win_y win_w win_h < <(window_rect "$main_window")
    # Wine draws the frame itself: the side and bottom borders are equally thick, the caption
    # and the menu bar take the rest at the top.
    border=$(((win_w - client_w) / 2))
    client_x=$((win_x + border))
    client_y=$((win_y + win_h - border - client_h))
    xdotool mousemove $((client_x + client_w / 2)) $((client_y + client_h - 3 * brick)) click 1
}

# ===== 1. known stored settings: none, so the program starts from its defaults

for hive in HKLM HKCU; do
    wine reg delete "$hive\\$store_key" /reg:32 /f >/dev/null 2>&1
    reg_exists "$hive\\$store_key" && fail "no stored settings before the start" "$hive\\$store_key is still there"
done
pass "no stored settings before the start (HKLM and HKCU cleared)"

# ===== 2. the game window

start_game game
((border >= 0 && win_w == client_w + 2 * border && win_h > client_h + 2 * border)) ||
    fail "the window fits a client area of ${client_w} x ${client_h}" "window ${win_w} x ${win_h} at ${win_x},${win_y}"
pass "window \"Windows Stakko\" appears, ${win_w} x ${win_h} at ${win_x},${win_y} (client at ${client_x},${client_y})"

band_ok() {
    local p
    for p in panel_top_left panel_bottom_left panel_bottom_right preview_inside_top_left preview_inside_bottom_right; do
        is_color "$p" "0 0 0" || return 1
    done
    for p in top top_left top_right right bottom_right bottom bottom_left left; do
        is_color "preview_frame_$p" "255 255 255" || return 1
    done
}

# One figure of the classic set: four bricks, everything else empty.
one_figure() {
    [ "$(count $(cells x))" -eq 4 ] && [ "$(count $(cells .))" -eq $((rows * columns - 4)) ]
}

# The first figure falls from the top on its own, a row at a time, until it lands; the moves
# below are made while it falls, so every step waits for no more than the state it expects.
start_ok() {
    band_ok && one_figure
}
grab_until start 10 start_ok
band_ok || fail "the top band shows the black score panel and the white-framed preview"
pass "the top band shows the black score panel and the white-framed preview"
one_figure || fail "the glass shows one figure of four bevelled bricks on the background 0x800040"
pass "the glass shows one figure of four bevelled bricks on the background 0x800040"
figure=$(shape $(cells x))

# ===== 3. moves by keyboard

at_left_wall() {
    [ "$(shape $(cells x))" = "$figure" ] && [ "$(min_column $(cells x))" -eq 0 ]
}
xdotool key --delay 10 Left Left Left Left Left Left Left Left Left
grab_until left 10 at_left_wall || fail "Left moves the figure to the left wall"
pass "Left moves the figure to the left wall"

three_from_wall() {
    [ "$(shape $(cells x))" = "$figure" ] && [ "$(min_column $(cells x))" -eq 3 ]
}
xdotool key --delay 10 Right Right Right
grab_until right 10 three_from_wall || fail "three presses of Right move the figure three columns"
pass "three presses of Right move the figure three columns"

# The classic figures all look different after a quarter turn; which way they turn is the game's.
# The turn is made three columns from the wall, where it has room.
clockwise=$(turned $figure)
anticlockwise=$(turned $(turned $(turned $figure)))
turned_at_right_wall() {
    local now
    now=$(shape $(cells x))
    [ "$(count $(cells x))" -eq 4 ] && { [ "$now" = "$clockwise" ] || [ "$now" = "$anticlockwise" ]; } &&
        [ "$(max_column $(cells x))" -eq $((columns - 1)) ]
}
xdotool key --delay 10 Up Right Right Right Right Right Right Right Right Right
grab_until right_wall 10 turned_at_right_wall ||
    fail "Up turns the figure a quarter, and Right moves it to the right wall" "before: $figure" "turned: $clockwise or $anticlockwise"
pass "Up turns the figure a quarter, and Right moves it to the right wall (it has fallen to row $(max_row $(cells x)))"
figure=$(shape $(cells x))

# After the drop the figure lies in the lower half of the glass, unchanged, on the floor and at
# the right wall; the next figure enters the upper half.
half=$((rows / 2))
dropped() {
    local low
    low=$(cells x $half $((rows - 1)))
    [ "$(shape $low)" = "$figure" ] && [ "$(max_row $low)" -eq $((rows - 1)) ] &&
        [ "$(max_column $low)" -eq $((columns - 1)) ] &&
        [ "$(count $(cells x 0 $((half - 1))))" -eq 4 ] &&
        [ "$(count $(cells .))" -eq $((rows * columns - 8)) ]
}
xdotool key space
grab_until game 10 dropped || fail "Space drops the figure onto the floor and the next one enters"
pass "Space drops the figure onto the floor and the next one enters"
resting=$(cells x $half $((rows - 1)))

# ===== 4. pause

all_black() {
    [ "$(count $(cells '#'))" -eq $((rows * columns)) ] && band_ok
}
xdotool key p
grab_until paused 10 all_black || fail "P pauses the game and blanks the glass"
pass "P pauses the game and blanks the glass; the top band stays"

redrawn() {
    [ "$(cells x $half $((rows - 1)))" = "$resting" ] && [ "$(count $(cells x))" -eq 8 ] &&
        [ "$(count $(cells .))" -eq $((rows * columns - 8)) ]
}
xdotool key p
grab_until unpaused 10 redrawn || fail "P again goes on and redraws the glass"
pass "P again goes on and redraws the glass"

# ===== 5. quit through the confirmation

xdotool key alt+F4
wait_window "$game_pid" "Exit Stakko game" 10
question=$window
read -r box_x box_y box_w box_h < <(window_rect "$question")
pass "Alt+F4 asks \"Exit Stakko game\""

# The open question deactivates the main window, which pauses the game: every glass cell that
# the box does not cover turns black. The box then has the keyboard.
uncovered_black() {
    local r c x y line
    for ((r = 0; r < rows; r++)); do
        line=${picture[r]}
        for ((c = 0; c < columns; c++)); do
            x=$((client_x + c * brick))
            y=$((client_y + band + r * brick))
            ((x + brick <= box_x || x >= box_x + box_w || y + brick <= box_y || y >= box_y + box_h)) ||
                continue
            [ "${line:c:1}" = "#" ] || return 1
        done
    done
}
grab_until question 10 uncovered_black || fail "the question pauses the game" "box ${box_w} x ${box_h} at ${box_x},${box_y}"
pass "the question pauses the game"

# Answers the question with Yes and waits for the program to end with exit code 0.
answer_yes() {
    xdotool key y
    wait_exit "$game_pid" 20 "the game after Yes"
    game_pid=""
    [ "$exit_code" -eq 0 ] || fail "Yes ends the game with exit code 0" "exit code $exit_code"
    pass "Yes ends the game with exit code 0"
    shot=""
}
answer_yes

# ===== 6. the saved settings, as the next start finds them

# Reads the stored settings into saved and the stored table into hiscores (hexadecimal digits).
read_saved() {
    saved=$(reg_values "HKLM\\$store_key") || fail "the settings are saved under HKLM\\$store_key" "no such key (32-bit view)"
    hiscores=$(awk '$1 == "HiScores" && $2 == "REG_BINARY" {print $3}' <<<"$saved")
}
reload_registry
read_saved
expect_value() {
    local name=$1 type=$2 data=$3 line
    line=$(awk -v n="$name" '$1 == n {print $2, $3}' <<<"$saved")
    [ "$line" = "$type $data" ] || fail "$name is $type $data" "found: ${line:-nothing}" "the key holds:" "$saved"
    pass "$name is $type $data"
}
expect_value BrkWidth REG_DWORD 0xf
expect_value BrkHeight REG_DWORD 0xf
expect_value BrksPerLine REG_DWORD 0xa
expect_value BrksPerColumn REG_DWORD 0x14
expect_value GlassBackgrColor REG_DWORD 0x800040
expect_value FiguresSetSize REG_DWORD 0x6

# Thirteen entries of 56 bytes: a 52-byte name field and a 32-bit score. Only the name up to its
# NUL carries meaning, so the rest of the field is not compared.
[ ${#hiscores} -eq $((728 * 2)) ] || fail "HiScores is REG_BINARY of 728 bytes" "found $((${#hiscores} / 2)) bytes"
pass "HiScores is REG_BINARY of 728 bytes"
# Fails unless the entries from the first given one to the last are "None" with score 0.
none_from() {
    local i entry
    for ((i = $1; i < 13; i++)); do
        entry=${hiscores:i*112:112}
        if [ "${entry:0:10}" != "4E6F6E6500" ] || [ "${entry:104:8}" != "00000000" ]; then
            fail "HiScores holds $((13 - $1)) entries \"None\" with score 0 from entry $1" "entry $i: $entry"
        fi
    done
}
none_from 0
pass "HiScores holds 13 entries \"None\" with score 0"

reg_exists "HKCU\\$store_key" && fail "nothing is saved under HKCU" "HKCU\\$store_key exists"
pass "nothing is saved under HKCU"

# ===== 7. a game to its end: the name, the high-score table and its saved entry

start_game end
# Each Space drops the figure and the next tick lands it; the figures pile up in the middle until
# one does not fit at the top, which ends the game.
play_to_the_end() {
    presses=0
    local end=$((SECONDS + 60))
    until find_window "$game_pid" "Enter Your name"; do
        kill -0 "$game_pid" 2>/dev/null || fail "the game ends in \"Enter Your name\"" "the process ended"
        ((SECONDS < end)) || fail "Space again and again ends the game within 60 s" "$presses presses"
        xdotool key space
        presses=$((presses + 1))
        sleep 0.2
    done
}
play_to_the_end
find_window "$game_pid" "Hi-Scores" && fail "the name is asked for before the table is shown"
pass "after $presses presses of Space the game ends and asks \"Enter Your name\" alone"

# A Space sent just before the dialog opened may have reached its edit: the name replaces it.
name="E2E Tester"
xdotool key Home shift+End
xdotool type --delay 20 "$name"
xdotool key Return
wait_window "$game_pid" "Hi-Scores" 10
read -r box_x box_y box_w box_h < <(window_rect "$window")
pass "Enter takes the name and opens \"Hi-Scores\""

# The score is saved as soon as it is entered, not only when the player quits.
want=$(printf '%s\0' "$name" | od -An -v -tx1 | tr -d ' \n' | tr a-f A-F)
read_saved
[ "${hiscores:0:${#want}}" = "$want" ] || fail "the entered name is saved at once" "entry 0: ${hiscores:0:112}"
pass "the entered name is saved at once, while the table shows"

# Both lists show yellow text on black. They are told apart by the borders between them: the
# first column, in the box around the yellow pixels, that holds no black pixel.
lists_yellow_on_black() {
    local f=$out/hiscores.png bbox left right black
    import -window root -crop "${box_w}x${box_h}+${box_x}+${box_y}" +repage "$f" || fail "screenshot hiscores"
    bbox=$(convert "$f" -fill black +opaque yellow -format %@ info:)
    colours="no yellow pixel"
    [ "${bbox%%x*}" -gt 0 ] || return 1
    read -r left right black < <(convert "$f" -crop "$bbox" +repage -depth 8 rgb:- |
        od -An -v -tu1 -w$((${bbox%%x*} * 3)) | awk '
        {
            for (x = 0; 3 * x < NF; x++) {
                p = $(3 * x + 1) " " $(3 * x + 2) " " $(3 * x + 3)
                if (p == "255 255 0") yellow[x]++
                else if (p == "0 0 0") { black[x]++; blacks++ }
            }
        }
        END {
            w = NF / 3
            for (border = 0; border < w && black[border] > 0; border++) {}
            for (x = 0; x < w; x++) { if (x < border) left += yellow[x]; else right += yellow[x] }
            print left + 0, right + 0, int(100 * blacks / (w * NR))
        }')
    colours="yellow pixels: $left in the names list, $right in the scores list; $black% black around them"
    ((left > 0 && right > 0 && black >= 50))
}
end=$((SECONDS + 10))
until lists_yellow_on_black; do
    ((SECONDS < end)) || fail "the Hi-Scores lists show yellow text on black" "$colours" "see $out/hiscores.png"
    sleep 0.05
done
pass "the Hi-Scores lists show yellow text on black ($colours)"

xdotool key Return
grab_until next_game 10 one_figure || fail "Enter closes the table and the next game starts in an empty glass"
pass "Enter closes the table and the next game starts in an empty glass"

xdotool key alt+F4
wait_window "$game_pid" "Exit Stakko game" 10
answer_yes

# On the fresh table any score replaces the first "None" and stays on top.
read_saved
entry=${hiscores:0:112}
score=$((16#${entry:110:2}${entry:108:2}${entry:106:2}${entry:104:2}))
if [ "${entry:0:${#want}}" != "$want" ] || ((score <= 0 || score >= 1 << 31)); then
    fail "HiScores entry 0 is \"$name\" with a score above 0" "entry 0: $entry"
fi
pass "HiScores entry 0 is \"$name\" with the game's score $score"
none_from 1
pass "HiScores entries 1 to 12 stay \"None\" with score 0"

# ===== 7b. every other save, as the next start finds it: each is made into a store emptied while
# the game runs, and checked after the registry is reloaded, which ends the game
for save in "the name entry" "an unchanged Options OK" "the end of the Windows session" \
    "the end of the Windows session at the name prompt"; do
    start_game "save"
    wine reg delete "HKLM\\$store_key" /reg:32 /f >/dev/null 2>&1
    case $save in
    *prompt)
        # The name is typed but not confirmed when Windows ends the session.
        play_to_the_end
        xdotool type "Unconfirmed"
        wineboot --end-session
        ;;
    *name*)
        play_to_the_end
        xdotool type "Reloaded"
        xdotool key Return
        wait_window "$game_pid" "Hi-Scores" 10
        ;;
    *Options*)
        xdotool key alt+g o
        wait_window "$game_pid" "Options" 10
        xdotool key Return
        ;;
    *)
        wineboot --end-session
        ;;
    esac
    # The dialog hides before the save is done: the reload waits for the save.
    end=$((SECONDS + 10))
    until reg_exists "HKLM\\$store_key"; do
        ((SECONDS < end)) || fail "$save saves the settings"
        sleep 0.1
    done
    reload_registry
    reg_exists "HKLM\\$store_key" || fail "$save saves the settings to where the next start finds them"
    read_saved
    case $save in
    *prompt) [[ $hiscores == *556E636F6E6669726D6564* ]] || fail "$save saves the name" "$hiscores" ;;
    *name*) [[ $hiscores == *52656C6F61646564* ]] || fail "$save saves the name" "$hiscores" ;;
    esac
    pass "$save saves the settings to where the next start finds them"
done

# ===== 8. the uninstall switch

# The keys of the program's earlier maker go too, from the machine-wide hive, where it kept them;
# the same path under the current user was never the program's and stays.
for hive in HKLM HKCU; do
    wine reg add "$hive\\$old_key\\Dropstakk\\Config" /v Seed /t REG_DWORD /d 1 /reg:32 /f >/dev/null 2>&1 ||
        fail "seed $hive\\$old_key\\Dropstakk\\Config"
done
wine "$exe" /UNINSTALL >"$out/uninstall.log" 2>&1 &
uninstall_pid=$!
end=$((SECONDS + 60))
while kill -0 "$uninstall_pid" 2>/dev/null; do
    ((SECONDS < end)) || fail "stakko.exe /UNINSTALL ends within 60 s"
    [ -z "$(xdotool search --pid "$uninstall_pid" --name '^Windows Stakko$' 2>/dev/null)" ] ||
        fail "stakko.exe /UNINSTALL shows no window"
    sleep 0.1
done
wait_exit "$uninstall_pid" 1 "stakko.exe /UNINSTALL"
uninstall_pid=""
[ "$exit_code" -eq 0 ] || fail "stakko.exe /UNINSTALL exits with code 0" "exit code $exit_code"
pass "stakko.exe /UNINSTALL exits with code 0 and shows no window"

for key in "HKLM\\$store_key" "HKCU\\$store_key" "HKLM\\$old_key"; do
    reg_exists "$key" && fail "stakko.exe /UNINSTALL removes $key" "$(wine reg query "$key" /s /reg:32 2>&1)"
done
pass "stakko.exe /UNINSTALL removes the settings and the earlier maker's keys"
reg_exists "HKLM\\$maker_key" || fail "stakko.exe /UNINSTALL keeps HKLM\\$maker_key"
pass "stakko.exe /UNINSTALL keeps HKLM\\$maker_key"
reg_exists "HKCU\\$old_key\\Dropstakk\\Config" || fail "stakko.exe /UNINSTALL keeps HKCU\\$old_key"
wine reg delete "HKCU\\$old_key" /reg:32 /f >/dev/null 2>&1
pass "stakko.exe /UNINSTALL keeps HKCU\\$old_key, which it never wrote"

echo "screenshots: $out/game.png, $out/paused.png, $out/hiscores.png"
echo "$passed passed, 0 failed"
