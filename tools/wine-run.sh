#!/usr/bin/env bash
# Runs a Windows program under Wine and returns its exit code:
#   tools/wine-run.sh [--desktop] [--virtual-desktop] [--depth N] [--fresh-prefix DIR]
#                     program.exe [arguments...]
# or runs any other command inside one Wine session, so that every program it starts shares the
# prefix, the display and one wineserver (check.sh runs CTest this way):
#   tools/wine-run.sh command [arguments...]
#
# --desktop shows the program in a Wine desktop window of 800 x 600 with real window frames.
# --virtual-desktop runs every program of the run inside one 1024 x 768 Wine desktop, in a prefix
# of its own: the tests use it, since without a window manager Wine waits up to two seconds
# whenever a top-level window is hidden.
#
# --depth N runs on a screen of N bits per pixel (an Xvfb of its own), in a prefix of its own
# named for the depth, even inside a running session.
#
# --fresh-prefix DIR runs in a new prefix at DIR, removed first, on a screen of its own, even
# inside a running session: a program's installer is tried on a machine that has never seen it.
#
# It makes the Wine prefix under build/ on first use, starts Xvfb when there is no display (or
# when --depth asks for a screen of that many bits per pixel), keeps one wineserver for the run,
# and on the way out stops only the processes it started.
set -u

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
desktop=""
virtual_desktop=""
depth=""
fresh=""
while [ $# -gt 0 ]; do
    case "$1" in
    --desktop) desktop=1; shift ;;
    --virtual-desktop) virtual_desktop=1; shift ;;
    --depth) depth=$2; shift 2 ;;
    --fresh-prefix) fresh=$2; shift 2 ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--desktop] [--virtual-desktop] [--depth N] [--fresh-prefix DIR] program.exe|command [args...]" >&2; exit 2; }

if [ -n "$virtual_desktop" ]; then
    export WINEPREFIX=${STAKKO_WINEPREFIX:-$root/build/wineprefix-tests}
else
    export WINEPREFIX=${STAKKO_WINEPREFIX:-$root/build/wineprefix}
fi
# A screen of another depth gets a prefix, and so a wineserver, of its own: Wine's desktop process
# takes the display of whichever program starts it, and would end with this run's Xvfb.
[ -z "$depth" ] || WINEPREFIX="$WINEPREFIX-${depth}bpp"
if [ -n "$fresh" ]; then
    WINEPREFIX=$(realpath -m "$fresh")
    rm -rf "$WINEPREFIX"
fi
export WINEDEBUG=${WINEDEBUG:--all}
# STAKKO_DLL_OVERRIDES adds overrides of a test's own, such as Windows' search order for a library.
export WINEDLLOVERRIDES="mscoree,mshtml=${STAKKO_DLL_OVERRIDES:+;$STAKKO_DLL_OVERRIDES}"
export WINEARCH=win64

started=()
own_server=""
cleanup() {
    local pid
    # Our server serves only the programs of this run: end them with it.
    [ -n "$own_server" ] && wineserver -k >/dev/null 2>&1
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${started[@]}"; do
        wait "$pid" 2>/dev/null
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_xvfb() {
    local n=${STAKKO_XVFB_FIRST:-90}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 "1024x768x${1}" -nolisten tcp >/dev/null 2>&1 &
    started+=($!)
    local i
    for i in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
}

if [ -n "$depth" ]; then
    start_xvfb "$depth"
elif [ -n "$fresh" ] || [ -z "${DISPLAY:-}" ]; then
    start_xvfb 24
fi

if [ -z "${STAKKO_WINE_SESSION:-}" ] || [ -n "$depth$fresh" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            echo "wine-run: making the Wine prefix $WINEPREFIX" >&2
            wineboot -i >"$WINEPREFIX.log" 2>&1
            if [ -n "$virtual_desktop" ]; then
                wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
                wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
            fi >>"$WINEPREFIX.log" 2>&1
            wineserver -w
        fi
        # Debian's Wine finds fonts in the prefix's Fonts folder and through fontconfig, but not
        # in its own data folder, where the fonts-wine package puts them; wineboot does not copy
        # them either. Without Marlett, the symbol font of the caption buttons, the close box
        # shows the letter "r", and without Wine's "MS Sans Serif" dialogs take another font.
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        if [ ! -f "$fonts/marlett.ttf" ]; then
            cp /usr/share/wine/fonts/* "$fonts/" ||
                echo "wine-run: no Wine fonts in /usr/share/wine/fonts (package fonts-wine)" >&2
        fi
    ) 9>"$WINEPREFIX.lock"
    # Two runs on one prefix would share its wineserver and desktop across two displays, which
    # breaks the later one's windows: a second run waits for the first to end.
    exec 8>"$WINEPREFIX.session"
    if ! flock -n 8; then
        # The run that holds it, unless it is gone or a zombie nobody reaped.
        owner=$(cat "$WINEPREFIX.owner" 2>/dev/null)
        state=$(ps -o stat= -p "${owner:-0}" 2>/dev/null)
        if [ -z "$state" ] || [ "${state#Z}" != "$state" ]; then
            # That run was killed (a test's time limit) before it could end its Wine processes,
            # which hold the lock on. They carry the prefix in their environment and were left
            # to init: end them, so that one hang fails one test rather than every later one.
            echo "wine-run: ending what a killed run left on $WINEPREFIX" >&2
            for environ in /proc/[0-9]*/environ; do
                pid=${environ//[^0-9]/}
                [ "$(ps -o ppid= -p "$pid" 2>/dev/null)" -eq 1 ] 2>/dev/null &&
                    tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
                    kill -9 "$pid" 2>/dev/null
            done
        else
            echo "wine-run: waiting for another run on $WINEPREFIX to end" >&2
        fi
        flock 8
    fi
    echo $$ >"$WINEPREFIX.owner"
    # One persistent wineserver serves every program of this run; if one already serves the
    # prefix, this one exits at once and the running one is used.
    wineserver -f -p >/dev/null 2>&1 &
    server=$!
    sleep 0.2
    if kill -0 "$server" 2>/dev/null; then
        started+=("$server")
        own_server=1
    fi
    # Start Wine's own services now, detached from our output: started by the first test they
    # would keep its output pipe open, and CTest would wait for them.
    wineboot >/dev/null 2>&1 </dev/null
    export STAKKO_WINE_SESSION=1
fi

case "$1" in
*.exe | *.EXE)
    if [ -n "$desktop" ]; then
        wine explorer "/desktop=Stakko,800x600" "$@"
    else
        wine "$@"
    fi
    ;;
*)
    "$@"
    ;;
esac
rc=$?
exit $rc
