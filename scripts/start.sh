#!/bin/sh
# Sets up a fresh Debian 12 machine, builds Volantra and starts it on the simulated mouse
# with its window shown. The tray menu of the simulated mouse offers "Press DPI button",
# "Press macro key", "Unplug" and "Plug in".
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
# Only the two programs and the default data a new data folder starts with; the tests and
# benchmarks are built by scripts/test.sh, in the same build folder.
cmake --build --preset default --target volantra volantra-cli default_data default_skin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "start: no display; the window is drawn off screen (set DISPLAY to see it)" >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec build/default/app/volantra --simulate --show "$@"
