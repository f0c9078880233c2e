#!/bin/sh
# The profile manager from the real window under Xvfb: open it with the Config button,
# create a profile with New, load it through the list's menu (cancelling the file dialog
# it offers), and check the profile list and the new profile's files.
# Usage: profile_manager_e2e_test.sh <volantra> <artifact folder>
set -eu
program=$1
artifacts=$2
mkdir -p "$artifacts"
. "$(dirname "$0")/xvfb_session.sh"

click() { xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"; sleep 0.3; }
windows() { xdotool search --onlyvisible --class volantra 2>/dev/null | wc -l; }
dialog_open() { [ "$(windows)" -ge 2 ]; }
dialog_closed() { [ "$(windows)" -le 1 ]; }

click 50 619         # Config: the panel opens over the window's top-left corner
click 131 586        # New: PROFILE_1 is added below PROFILE_0
click 60 51          # choose PROFILE_1, the second row
import -window root "$artifacts/profile-manager.png" || true
click 60 51 3        # its menu: Delete, Edit, Copy, Load, Save
# Keys go where the X server sends them at once: only to the menu once it is up.
wait_until 200 dialog_open || fail "the list's menu did not open"
xdotool key Down Down Down Down Return
file_dialog() { xdotool search --onlyvisible --name '^Load Profile$' >/dev/null 2>&1; }
wait_until 200 file_dialog || fail "Load offered no file dialog"
# Escape goes to the window with the focus; the dialog may take it only after it shows, so
# it is given the focus and asked again until it is gone.
cancel_file_dialog() {
    dialog=$(xdotool search --onlyvisible --name '^Load Profile$' 2>/dev/null | head -n 1)
    [ -z "$dialog" ] && return 0
    xdotool windowfocus "$dialog" 2>/dev/null || true
    xdotool key Escape
    sleep 0.2
    dialog_closed
}
wait_until 50 cancel_file_dialog || fail "the file dialog did not close"

list="$work/data/str.ini"
grep -q '^ItemCount=2' "$list" || fail "the list does not hold two profiles"
grep -q '^Item1=PROFILE_1' "$list" || fail "the new profile is not in the list"
grep -q '^CurProfileName=PROFILE_1' "$list" || fail "the loaded profile is not the current one"
[ -f "$work/data/config1.bin" ] && [ -f "$work/data/str1.ini" ] || fail "the new profile has no files"
[ "$(stat -c %s "$work/data/config1.bin")" -eq 1757 ] || fail "config1.bin is not a profile file"
echo "profile_manager_e2e: PROFILE_1 created and loaded"
