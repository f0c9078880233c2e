#!/bin/sh
# Sets up a fresh Debian 12 machine, builds Volantra and starts it on the simulated mouse.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
cli=build/default/cli/volantra-cli
echo "\$ volantra-cli --simulate connect"
"$cli" --simulate connect
echo "\$ volantra-cli --simulate devices"
"$cli" --simulate devices
