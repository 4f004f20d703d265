#!/usr/bin/env bash
# What the game costs while nobody plays: the CPU time that its process and the wineserver take
# under Wine in a number of seconds, first with the game left running in front (the figures fall
# by themselves), then paused with P. Run it beside an earlier build to compare them:
#   tools/wine-run.sh --virtual-desktop tools/idle-cpu.sh path/to/stakko.exe [seconds]
set -u

exe=$1
seconds=${2:-20}
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
    echo "idle-cpu: run me through tools/wine-run.sh --virtual-desktop" >&2
    exit 2
fi

# The CPU seconds a process has taken so far.
cpu() {
    awk -v tick="$(getconf CLK_TCK)" '{printf "%.2f", ($14 + $15) / tick}' "/proc/$1/stat"
}

wine "$exe" &
sleep 5
game=$(pgrep -f -n 'stakko.exe')
server=$(pgrep -x -n wineserver)
for state in running paused; do
    [ "$state" = running ] || xdotool key p
    game_before=$(cpu "$game")
    server_before=$(cpu "$server")
    sleep "$seconds"
    awk -v state="$state" -v s="$seconds" -v gb="$game_before" -v ga="$(cpu "$game")" \
        -v sb="$server_before" -v sa="$(cpu "$server")" 'BEGIN {
            printf "%s for %d s: game %.2f s, wineserver %.2f s of CPU\n", state, s, ga - gb, sa - sb
        }'
done
kill "$game"
