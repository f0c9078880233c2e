#!/bin/sh
# Start-up figures of the volantra program under Xvfb against the floor, a bare Qt window
# started the same way in the same run: time from spawn to the X server's MapNotify of
# the window (--show, simulated mouse, profile loaded, tray icon added when trayer
# provides a tray), resident memory after the map, and wake-ups (context switches of all
# threads) in 5 s idle. For reference, the bare window also runs drawing the default
# skin's background and one line of text. The map is taken from the server's event by
# map_timer, so no polling competes with the program for the cores. Starts alternate.
# Usage: bench/startup.sh <path to volantra> [runs]
# map_timer and bare_qt_window are taken from the build's bench/ folder beside app/.
set -eu
program=$1
runs=${2:-5}
benches=${VOLANTRA_BENCH_DIR:-$(dirname "$program")/../bench}
timer="$benches/map_timer"
bare="$benches/bare_qt_window"
for tool in "$timer" "$bare"; do
    [ -x "$tool" ] || { echo "startup.sh: $tool is missing (build the bench folder)" >&2; exit 1; }
done
work=$(mktemp -d)
xvfb=""; tray=""; app=""
# Every step, also after a program that has already ended: under set -e a failed kill
# would end the clean-up and leave Xvfb running.
cleanup() {
    for pid in $app $tray $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
for n in $(seq 200 260); do
    if [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
until [ -e "/tmp/.X11-unix/X$display" ]; do sleep 0.05; done
if command -v trayer >/dev/null; then
    trayer --edge bottom --align right --widthtype pixel --width 200 >/dev/null 2>&1 &
    tray=$!
    sleep 0.5
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
switches() {
    total=0
    for status in /proc/"$1"/task/*/status; do
        v=$(awk '/^voluntary_ctxt_switches/ { a = $2 } /^nonvoluntary_ctxt_switches/ { b = $2 } END { print a + b }' "$status")
        total=$((total + v))
    done
    echo "$total"
}
# start NAME TITLE COMMAND...: one start, its time and memory appended to NAME's files;
# the last start also counts the idle wake-ups.
start() {
    name=$1; shift
    # To a file: a pipe would stay open in the program, which keeps running.
    "$timer" "$@" >"$work/started" 2>/dev/null
    set -- $(cat "$work/started") # "<ms> <pid>"
    echo "$1" >>"$work/$name.times"; app=$2
    sleep 0.3
    awk '/^VmRSS/ { print $2 / 1024 }' "/proc/$app/status" >>"$work/$name.rss"
    if [ "$run" -eq "$runs" ]; then
        sleep 1
        before=$(switches "$app")
        sleep 5
        echo $(($(switches "$app") - before)) >"$work/$name.wakeups"
    fi
    kill "$app"; wait "$app" 2>/dev/null || true; app=""
}

# The data folder is set up once, so every run loads an existing profile.
"$program" --simulate --data-dir "$work/data" >/dev/null 2>&1 & app=$!
sleep 1; kill "$app"; wait "$app" 2>/dev/null || true; app=""

for run in $(seq "$runs"); do
    start bare "Bare Qt window" "$bare"
    start skinned "Bare Qt window" "$bare" "$work/data/Skins/Default/main.png"
    start volantra "Gaming Mouse" "$program" --simulate --show --data-dir "$work/data"
done
report() {
    echo "$1: mapped in median $(median <"$work/$2.times") ms over $runs starts ($(tr '\n' ' ' <"$work/$2.times")ms), resident $(median <"$work/$2.rss") MB, $(cat "$work/$2.wakeups") wake-ups in 5 s idle"
}
report "bare Qt window" bare
report "bare window with one skin image and one line of text" skinned
report "volantra" volantra
awk -v a="$(median <"$work/volantra.times")" -v s="$(median <"$work/skinned.times")" \
    -v b="$(median <"$work/bare.times")" \
    'BEGIN { printf "ratio volantra / bare Qt window: %.2f (the image and text alone: %.2f)\n", a / b, s / b }'
