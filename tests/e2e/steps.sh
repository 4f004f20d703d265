# The steps the end-to-end scripts share: counting checks, the registry, and waiting for the
# game's processes and windows. Sourced; the script that sources it defines fail, which reports
# a failed check and stops.

passed=0

pass() {
    passed=$((passed + 1))
    echo "ok   $1"
}

# Whether the key exists, in the 32-bit view of the registry (where the game keeps its settings)
# or in the view given (64 for a 64-bit installer's keys).
reg_exists() {
    wine reg query "$1" "/reg:${2:-32}" >/dev/null 2>&1
}

# Waits for a process started here to end; sets exit_code, or fails after the seconds.
wait_exit() {
    local pid=$1 seconds=$2 what=$3
    local end=$((SECONDS + seconds))
    while kill -0 "$pid" 2>/dev/null; do
        ((SECONDS < end)) || fail "$what ends within $seconds s" "process $pid still runs"
        sleep 0.1
    done
    wait "$pid"
    exit_code=$?
}

# Sets window to a visible window of the process with exactly this title, or to nothing. Without
# --all, xdotool takes any window of the process, whatever its title.
find_window() {
    window=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -1)
    [ -n "$window" ]
}

# Waits for a window of the process with exactly this title; sets window.
wait_window() {
    local pid=$1 title=$2 seconds=$3
    local end=$((SECONDS + seconds))
    while :; do
        find_window "$pid" "$title" && return 0
        kill -0 "$pid" 2>/dev/null || fail "window \"$title\" appears" "the process ended first"
        ((SECONDS < end)) || fail "window \"$title\" appears within $seconds s"
        sleep 0.1
    done
}
