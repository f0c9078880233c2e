#!/bin/sh
# The real window under Xvfb: start volantra on the simulated mouse, click Apply, and
# check that the mouse got the Apply sequence and the current profile was saved.
# Usage: window_e2e_test.sh <volantra> <artifact folder>
set -eu
program=$1
artifacts=$2
mkdir -p "$artifacts"
work=$(mktemp -d)
app=""
xvfb=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "window_e2e: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# A display number nobody else uses (tests run in parallel).
display=""
for n in $(seq 90 199); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || fail "no free display number"
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
export DISPLAY=":$display"
tries=0
until xdotool getmouselocation >/dev/null 2>&1; do
    tries=$((tries + 1)); [ $tries -lt 100 ] || fail "Xvfb did not start"; sleep 0.05
done

"$program" --simulate --show --data-dir "$work/data" --trace "$work/trace.txt" >"$work/app.log" 2>&1 &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name '^Volantra$') ||
    { cat "$work/app.log" >&2; fail "the window did not appear"; }

profile="$work/data/config0.bin"
[ -f "$profile" ] || fail "the data folder holds no current profile"
before=$(stat -c %y "$profile")
sleep 0.05
# Apply sits at (923, 604)-(980, 634) of the window.
xdotool mousemove --window "$window" 950 619 click 1

tries=0
until grep -q '^set-feature 00 0c' "$work/trace.txt" 2>/dev/null; do
    tries=$((tries + 1)); [ $tries -lt 200 ] || { cat "$work/app.log" >&2; fail "Apply sent nothing"; }
    sleep 0.05
done
# The sequence goes on with the button table and the twelve macros.
tries=0
until [ "$(grep -c '^set-feature 00 0f' "$work/trace.txt")" -ge 12 ]; do
    tries=$((tries + 1)); [ $tries -lt 200 ] || fail "the macro images were not all sent"
    sleep 0.05
done
grep -q '^set-feature 00 0d' "$work/trace.txt" || fail "the button table was not sent"
tries=0
until [ "$(stat -c %y "$profile")" != "$before" ]; do
    tries=$((tries + 1)); [ $tries -lt 100 ] || fail "the current profile was not saved"
    sleep 0.05
done
import -window root "$artifacts/main-window.png" || fail "no screenshot"
echo "window_e2e: Apply reached the simulated mouse and saved $profile"
