#!/bin/sh
# Sets up a fresh Debian 12 machine, then builds and runs every test twice: a normal
# build, and one with AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows
# build of the core and volantra-cli, with its tests under wine.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

# Some hosts (containers) have no udev running; libudev's monitor then stays silent
# unless its control socket exists. The hot-plug tests rely on it.
[ -e /run/udev/control ] || { mkdir -p /run/udev 2>/dev/null && : >/run/udev/control; } 2>/dev/null || true

for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
echo "== windows build (mingw-w64, tests under wine)"
./scripts/build-windows.sh
echo "== all tests passed"
