#!/bin/sh
# Installs the Debian package into a brand-new minimal Debian 12 (debootstrap minbase,
# chroot) with apt, as a user would, and checks what it installed: both programs answer
# --version, volantra-cli reaches the simulated mouse and sets up a user's data folder
# from the installed defaults, the window maps under Xvfb and ends cleanly on SIGTERM,
# and removing the package takes all of its files but leaves the user's data folder.
# Run as root: tests/packaging/install_test.sh build/package/volantra_<version>_amd64.deb
# The base system is made once (a minute or two) and kept in $VOLANTRA_PACKAGE_BASE;
# downloaded packages are kept in $VOLANTRA_PACKAGE_APT_CACHE for the next run.
# `install_test.sh --can-run` only says (exit status) whether this machine allows it.
set -eu
if [ "${1:-}" = --can-run ]; then
    [ "$(id -u)" -eq 0 ] && command -v debootstrap >/dev/null && chroot / true 2>/dev/null || exit 1
    probe=$(mktemp -d)
    status=0
    mount --bind /proc "$probe" 2>/dev/null && umount "$probe" || status=1
    rmdir "$probe"
    exit "$status"
fi
deb=$(realpath "$1")
base=${VOLANTRA_PACKAGE_BASE:-${TMPDIR:-/tmp}/volantra-package-base}
apt_cache=${VOLANTRA_PACKAGE_APT_CACHE:-${TMPDIR:-/tmp}/volantra-package-apt-cache}
version=$(dpkg-deb -f "$deb" Version)

fail() {
    echo "install_test: $*" >&2
    exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap and chroot)"

if [ ! -x "$base/bin/bash" ]; then
    command -v debootstrap >/dev/null || fail "debootstrap is not installed"
    rm -rf "$base.new"
    debootstrap --variant=minbase bookworm "$base.new" http://deb.debian.org/debian >/dev/null ||
        fail "debootstrap failed"
    mv "$base.new" "$base"
fi

root=$(mktemp -d "${TMPDIR:-/tmp}/volantra-package-root.XXXXXX")
cleanup() {
    for mount in var/cache/apt/archives dev/pts dev sys proc; do
        umount -l "$root/$mount" 2>/dev/null || true
    done
    # Never remove files through a mount that is still there (the machine's /dev).
    if grep -q " $root/" /proc/mounts; then
        echo "install_test: $root is still mounted; left in place" >&2
    else
        rm -rf "$root"
    fi
}
trap cleanup EXIT
cp -a "$base"/. "$root"/
mkdir -p "$apt_cache/partial"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
for mount in proc sys dev dev/pts; do mount --bind "/$mount" "$root/$mount"; done
mount --bind "$apt_cache" "$root/var/cache/apt/archives"
cp "$deb" "$root/tmp/"

inside() {
    chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 sh -c "$1"
}

echo "install_test: installing $(basename "$deb") into a fresh Debian 12"
inside 'apt-get update -qq && apt-get install -y -qq --no-install-recommends \
    ./tmp/'"$(basename "$deb")"' >/tmp/install.log 2>&1' ||
    { cat "$root/tmp/install.log" >&2; fail "apt-get could not install the package"; }

[ "$(inside 'volantra-cli --version')" = "volantra-cli $version" ] ||
    fail "volantra-cli --version does not say $version"
[ "$(inside 'volantra --version')" = "volantra $version" ] ||
    fail "volantra --version does not say $version"
[ "$(inside 'volantra-cli --simulate connect')" = "profile 0" ] ||
    fail "volantra-cli --simulate connect did not reach the simulated mouse"
for file in /usr/lib/udev/rules.d/70-volantra.rules /usr/share/man/man1/volantra.1.gz \
    /usr/share/man/man1/volantra-cli.1.gz /usr/share/applications/volantra.desktop \
    /usr/share/icons/hicolor/128x128/apps/volantra.png /usr/share/volantra/config0.bin \
    /usr/share/volantra/Skins/Default/main.png /usr/share/volantra/Skins/Default/main@2x.png \
    /usr/share/bash-completion/completions/volantra-cli; do
    [ -f "$root$file" ] || fail "the package did not install $file"
done

# A user's first run sets up ~/.local/share/volantra from /usr/share/volantra.
inside 'useradd -m tester'
inside 'runuser -l tester -c "volantra-cli profiles"' >"$root/tmp/profiles" ||
    fail "volantra-cli profiles failed for a new user"
head -n 1 "$root/tmp/profiles" | grep -q '^\* ' || fail "no current profile in a new user's data folder"
[ -f "$root/home/tester/.local/share/volantra/config0.bin" ] ||
    fail "the new user's data folder was not filled from the installed defaults"
[ -f "$root/home/tester/.local/share/volantra/Skins/Default/main@2x.png" ] ||
    fail "the new user's data folder has no 2× images of the default skin"

# The window, under Xvfb (a test tool, installed after the package so that it cannot
# stand in for a missing dependency in the checks above).
inside 'apt-get install -y -qq --no-install-recommends xvfb >/tmp/xvfb.log 2>&1' ||
    { cat "$root/tmp/xvfb.log" >&2; fail "could not install Xvfb"; }
cp "$(dirname "$0")/window_check.sh" "$root/tmp/window_check.sh"
inside 'runuser -l tester -c "sh /tmp/window_check.sh"' ||
    fail "the installed window did not map under Xvfb or did not end cleanly on SIGTERM"

# Removing the package leaves nothing of it behind but the user's own files.
inside 'dpkg-query -L volantra' >"$root/tmp/files"
inside 'apt-get remove -y -qq volantra >/dev/null 2>&1' || fail "apt-get remove failed"
while read -r path; do
    [ -d "$root$path" ] && continue
    [ ! -e "$root$path" ] || fail "$path is still there after removing the package"
done <"$root/tmp/files"
[ ! -e "$root/usr/share/volantra" ] || fail "/usr/share/volantra is still there after removing the package"
[ -f "$root/home/tester/.local/share/volantra/config0.bin" ] ||
    fail "removing the package touched the user's data folder"
echo "install_test: installed, ran and removed volantra $version in a fresh Debian 12"
