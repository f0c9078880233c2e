#!/bin/sh
# The real window under Xvfb: start volantra on the simulated mouse, click Apply, and
# check that the mouse got the Apply sequence and the current profile was saved.
# Usage: window_e2e_test.sh <volantra> <artifact folder>
set -eu
program=$1
artifacts=$2
mkdir -p "$artifacts"
. "$(dirname "$0")/xvfb_session.sh"

profile="$work/data/config0.bin"
[ -f "$profile" ] || fail "the data folder holds no current profile"
before=$(stat -c %y "$profile")
sleep 0.05
# Apply sits at (923, 604)-(980, 634) of the window.
xdotool mousemove --window "$window" 950 619 click 1

sent() { grep -q '^set-feature 00 0c' "$work/trace.txt" 2>/dev/null; }
wait_until 200 sent || fail "Apply sent nothing"
# The sequence goes on with the button table and the twelve macros.
macros() { [ "$(grep -c '^set-feature 00 0f' "$work/trace.txt")" -ge 12 ]; }
wait_until 200 macros || fail "the macro images were not all sent"
grep -q '^set-feature 00 0d' "$work/trace.txt" || fail "the button table was not sent"
saved() { [ "$(stat -c %y "$profile")" != "$before" ]; }
wait_until 100 saved || fail "the current profile was not saved"
import -window root "$artifacts/main-window.png" || fail "no screenshot"
echo "window_e2e: Apply reached the simulated mouse and saved $profile"
