#!/bin/sh
# Builds the Debian package build/package/volantra_<version>_amd64.deb: a Release build of
# the two programs (preset "package", installed under /usr), packed by CPack with the
# libraries dpkg-shlibdeps finds. Then checks the desktop entry and the software-centre
# entry inside it, and prints the package's size and dependencies.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset package >/dev/null
cmake --build --preset package
rm -f build/package/volantra_*.deb
(cd build/package && cpack -G DEB >/dev/null)
deb=$(ls build/package/volantra_*_amd64.deb)

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents/usr/share/applications/volantra.desktop"
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml >/dev/null
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"$version\"" "$contents"/usr/share/metainfo/*.metainfo.xml || {
    echo "package: the metainfo file has no release entry for version $version" >&2
    exit 1
}
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
echo "package: Depends: $(dpkg-deb -f "$deb" Depends)"
