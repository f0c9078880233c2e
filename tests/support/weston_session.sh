#!/bin/sh
# Runs a command on a Wayland display of its own: weston's headless compositor (no GPU, no
# screen) in a private runtime folder, with Qt told to use its Wayland platform.
# Usage: weston_session.sh COMMAND [ARGS...]; the command's exit status is returned.
set -eu
work=$(mktemp -d)
weston=""
cleanup() {
    if [ -n "$weston" ]; then kill "$weston" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY XDG_CURRENT_DESKTOP
weston --backend=headless-backend.so --socket=volantra-test --idle-time=0 --width=1280 \
    --height=800 >"$work/weston.log" 2>&1 &
weston=$!
tries=200
until [ -S "$XDG_RUNTIME_DIR/volantra-test" ]; do
    tries=$((tries - 1))
    if [ "$tries" -eq 0 ] || ! kill -0 "$weston" 2>/dev/null; then
        cat "$work/weston.log" >&2
        echo "weston_session: weston did not start" >&2
        exit 1
    fi
    sleep 0.05
done
export WAYLAND_DISPLAY=volantra-test QT_QPA_PLATFORM=wayland
# Our windows draw their own frames. Without Qt's decorations Qt does not start Mesa's EGL
# either, whose start-up memory is never freed and would fail the sanitizer build.
export QT_WAYLAND_DISABLE_WINDOWDECORATION=1
status=0
"$@" || status=$?
exit "$status"
