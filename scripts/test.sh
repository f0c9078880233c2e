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
# The Release build of the Debian package, then the package installed into a fresh
# Debian 12 where the machine allows it (root, bind mounts and chroot).
echo "== package"
./scripts/package.sh
if tests/packaging/install_test.sh --can-run; then
    tests/packaging/install_test.sh build/package/volantra_*_amd64.deb
else
    echo "== package install test skipped: it needs root and a machine that allows chroot"
fi
echo "== windows build (mingw-w64, tests under wine)"
./scripts/build-windows.sh
echo "== all tests passed"
