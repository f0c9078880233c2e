#!/bin/sh
# Giving a button a key from the real window under Xvfb: open Button Assignment, choose
# "Single Key" for button 3, press A, OK, Apply; the simulated mouse must receive the
# button table the saved profile encodes, and the profile must name the key.
# Usage: assignment_e2e_test.sh <volantra> <volantra-cli> <artifact folder>
set -eu
program=$1
cli=$2
artifacts=$3
mkdir -p "$artifacts"
. "$(dirname "$0")/xvfb_session.sh"

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
windows() { xdotool search --onlyvisible --class volantra 2>/dev/null | wc -l; }
dialog_open() { [ "$(windows)" -ge 2 ]; }
dialog_closed() { [ "$(windows)" -le 1 ]; }
click 140 117 # the Button Assignment header
click 180 202 # button 3's box: its function list opens beside it
click 300 363 # "Single Key", the eleventh entry of the list
wait_until 200 dialog_open || fail "the single-key dialog did not open"
# The dialog is centred on the window; keys go to the window under the pointer.
eval "$(xdotool getwindowgeometry --shell "$window")"
dialog_x=$((X + (994 - 380) / 2))
dialog_y=$((Y + (634 - 283) / 2))
xdotool mousemove "$((dialog_x + 190))" "$((dialog_y + 120))"
sleep 0.2
xdotool key a
sleep 0.5
import -window root "$artifacts/single-key-dialog.png" || true
xdotool mousemove "$((dialog_x + 279))" "$((dialog_y + 262))" click 1 # OK
wait_until 200 dialog_closed || fail "OK did not end the dialog"
click 950 619 # Apply

table_sent() { [ "$(grep -c '^set-feature 00 0f' "$work/trace.txt")" -ge 12 ]; }
wait_until 200 table_sent || fail "Apply did not finish"
import -window root "$artifacts/assignment.png" || true
grep -q '^Item3=Single Key-A' "$work/data/str0.ini" || fail "button 3 is not named Single Key-A"

# The two 64-byte reports after the button table command, report id left out.
received=$(awk '/^set-feature 00 0d/ { n = 2; next } n > 0 && /^write/ { $1 = ""; $2 = ""; printf "%s", $0; n-- }' \
    "$work/trace.txt" | tr -d ' ')
expected=$("$cli" --data-dir "$work/data" images | awk '/^buttons/ { print $2 }')
[ -n "$expected" ] || fail "volantra-cli printed no button table"
[ "$received" = "$expected" ] || fail "the mouse received $received, the profile encodes $expected"
# Button 3 is the third slot: a single key, usage 04 (A).
slot=$(printf '%s' "$received" | cut -c17-24)
[ "$slot" = "00000400" ] || fail "button 3 holds $slot, not the key A"
echo "assignment_e2e: button 3 plays A on the simulated mouse"
