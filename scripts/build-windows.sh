#!/bin/sh
# Cross-builds the core, the Windows adapters, volantra-cli.exe and their tests for 64-bit
# Windows with mingw-w64 into build/windows, and runs the tests under wine (a wine prefix
# of its own in the build folder, wine's messages silenced). The window is not built: it
# needs Qt 6 for Windows, which these machines do not have.
set -eu
cd "$(dirname "$0")/.."
build=build/windows
mkdir -p "$build"
WINEPREFIX="$(pwd)/$build/wine-prefix"
WINEDEBUG=-all
# wine turns Windows file names into the Unix ones in the locale's character set: without
# a UTF-8 locale (a bare CI shell) a folder with non-ASCII characters cannot be made.
LC_ALL=C.UTF-8
export WINEPREFIX WINEDEBUG LC_ALL
# Keep one wine server for the whole build and test run: every wine process then starts
# in a fraction of a second instead of seconds.
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
# The first start creates the prefix (its one harmless complaint about 32-bit wine is
# dropped).
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
# wine's services (services.exe, plugplay.exe, winedevice.exe) start with the first program
# and live as long as the server. Started here, they keep no pipe of ninja's or ctest's open
# (ninja would wait for them to end).
wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true

# -O2 as the Linux builds: GCC 12's -O3 warns falsely (-Wrestrict) inside std::string.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DVOLANTRA_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" -j 2
ctest --test-dir "$build" --output-on-failure -j 2 --timeout 300
