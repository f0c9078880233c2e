#!/bin/sh
# Run inside the test system by install_test.sh, as a plain user: the installed window
# program on the simulated mouse under Xvfb must say its window is exposed, then end with
# status 0 on SIGTERM.
set -eu
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
log=$XDG_RUNTIME_DIR/window.log
# wait_until <tries of 50 ms> <command...>
wait_until() {
    tries=$1; shift
    until "$@"; do
        tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
has_display() { [ -s "$XDG_RUNTIME_DIR/display" ]; }
wait_until 200 has_display || { echo "window_check: Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$XDG_RUNTIME_DIR/display")" QT_QPA_PLATFORM=xcb VOLANTRA_REPORT_EXPOSED=1 \
    volantra --simulate --show >"$log" 2>&1 &
app=$!
exposed() { grep -qs '^exposed "Gaming Mouse"$' "$log"; }
wait_until 400 exposed || { cat "$log" >&2; echo "window_check: the window was not exposed" >&2; exit 1; }
kill -TERM "$app"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || { cat "$log" >&2; echo "window_check: exit status $status after SIGTERM" >&2; exit 1; }
echo "window_check: the window was exposed and the program ended on SIGTERM"
