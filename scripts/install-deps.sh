#!/bin/sh
# Installs the Debian 12 packages needed to build, run, test and package Volantra.
# Run as root; does nothing when everything is already there.
set -eu

PACKAGES="build-essential cmake ninja-build pkg-config git
qt6-base-dev qt6-qpa-plugins libudev-dev libglib2.0-dev libxcb1-dev
fonts-dejavu-core fonts-wqy-microhei
libgtest-dev libgmock-dev libbenchmark-dev umockdev libumockdev-dev
clang libclang-rt-14-dev clang-format
xvfb xauth xdotool imagemagick dbus dbus-x11 trayer dunst
gsettings-desktop-schemas libglib2.0-bin
qt6-wayland weston debootstrap desktop-file-utils appstream file
g++-mingw-w64-x86-64-posix wine wine64 googletest"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: these packages are missing:$missing" >&2
    echo "install-deps: run this script as root (or with sudo) to install them" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
