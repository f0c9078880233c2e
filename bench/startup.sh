#!/bin/sh
# Start-up figures of the volantra program under Xvfb, measured the same way run to run:
# time from spawn to the window mapped (--show, simulated mouse, profile loaded, tray icon
# added when trayer provides a tray), resident memory after start-up, and wake-ups
# (context switches of all its threads) in 10 s idle with the mouse connected.
# Usage: bench/startup.sh <path to volantra> [runs]
set -eu
program=$1
runs=${2:-10}
work=$(mktemp -d)
xvfb=""; tray=""; app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$tray" ] && kill "$tray" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
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
until xdotool getmouselocation >/dev/null 2>&1; do sleep 0.05; done
if command -v trayer >/dev/null; then
    trayer --edge bottom --align right --widthtype pixel --width 200 >/dev/null 2>&1 &
    tray=$!
    sleep 0.5
fi

mapped() { xdotool search --onlyvisible --name '^Gaming Mouse$' >/dev/null 2>&1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
switches() {
    total=0
    for status in /proc/"$1"/task/*/status; do
        v=$(awk '/^voluntary_ctxt_switches/ { a = $2 } /^nonvoluntary_ctxt_switches/ { b = $2 } END { print a + b }' "$status")
        total=$((total + v))
    done
    echo "$total"
}

# The data folder is set up once, so every run loads an existing profile.
"$program" --simulate --data-dir "$work/data" >/dev/null 2>&1 & app=$!
sleep 1; kill "$app"; wait "$app" 2>/dev/null || true; app=""

: >"$work/times"; : >"$work/rss"
for run in $(seq "$runs"); do
    start=$(now_ms)
    "$program" --simulate --show --data-dir "$work/data" >/dev/null 2>&1 & app=$!
    until mapped; do :; done
    echo $(($(now_ms) - start)) >>"$work/times"
    sleep 0.3
    awk '/^VmRSS/ { print $2 / 1024 }' "/proc/$app/status" >>"$work/rss"
    if [ "$run" -eq "$runs" ]; then
        sleep 1
        before=$(switches "$app")
        sleep 10
        after=$(switches "$app")
    fi
    kill "$app"; wait "$app" 2>/dev/null || true; app=""
done
echo "start-up to window mapped: median $(median <"$work/times") ms over $runs runs ($(tr '\n' ' ' <"$work/times")ms)"
echo "resident memory after start-up: median $(median <"$work/rss") MB"
echo "wake-ups in 10 s idle: $((after - before))"
