# Sourced by the window tests: a private Xvfb display, a runtime folder of its own, and
# volantra started on the simulated mouse in a fresh data folder. Defines `work`,
# `window` (the main window's id), `fail` and `wait_until`.
# Needs: program (path of volantra).
work=$(mktemp -d)
app=""
xvfb=""
cleanup() {
    if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
    if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    [ -f "$work/app.log" ] && cat "$work/app.log" >&2
    echo "$(basename "$0"): $*" >&2
    exit 1
}
# wait_until <tries of 50 ms> <command...>
wait_until() {
    tries=$1; shift
    until "$@"; do
        tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP

# Xvfb picks a display number nobody uses and says which (tests run in parallel).
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
has_display() { [ -s "$work/display" ]; }
wait_until 200 has_display || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
wait_until 100 xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb does not answer"

"$program" --simulate --show --data-dir "$work/data" --trace "$work/trace.txt" >"$work/app.log" 2>&1 &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 --name '^Gaming Mouse$') ||
    fail "the window did not appear"
