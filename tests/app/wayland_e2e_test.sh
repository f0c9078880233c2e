#!/bin/sh
# The real window on Wayland (run by tests/support/weston_session.sh): volantra on Qt's
# Wayland platform with the simulated mouse. The window must be exposed, and SIGTERM must
# end the program with status 0 and leave every profile file whole.
# Usage: weston_session.sh wayland_e2e_test.sh <volantra> <volantra-cli>
set -eu
program=$1
cli=$2
work=$(mktemp -d)
app=""
cleanup() {
    if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    [ -f "$work/app.log" ] && cat "$work/app.log" >&2
    echo "wayland_e2e: $*" >&2
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

VOLANTRA_REPORT_EXPOSED=1 "$program" --simulate --show --data-dir "$work/data" >"$work/app.log" 2>&1 &
app=$!
exposed() { grep -qs '^exposed "Gaming Mouse"$' "$work/app.log"; }
wait_until 400 exposed || fail "the window was not exposed on Wayland"

kill -TERM "$app"
status=0
wait "$app" || status=$?
app=""
[ "$status" -eq 0 ] || fail "exit status $status after SIGTERM"

# Every profile is whole: the program's own size, and the CLI reads each one.
for n in 0 1 2 3 4 5; do
    size=$(stat -c %s "$work/data/config$n.bin")
    [ "$size" -eq 1757 ] || fail "config$n.bin has $size bytes after SIGTERM"
done
"$cli" --data-dir "$work/data" profiles | cut -c3- >"$work/names" || fail "str.ini is not whole"
while IFS= read -r name; do
    "$cli" --data-dir "$work/data" profiles use "$name" || fail "profile $name cannot be chosen"
    "$cli" --data-dir "$work/data" images >/dev/null || fail "profile $name is not whole"
done <"$work/names"
echo "wayland_e2e: the window was exposed on Wayland and ended cleanly on SIGTERM"
