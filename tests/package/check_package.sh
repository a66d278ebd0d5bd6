#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root
# and checks what it installs: the program, its desktop entry and its icons.
set -euo pipefail
build="$1"
src="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

desktop-file-validate "$src/packaging/qinghefang-browser.desktop"
(cd "$build" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/qinghefang-browser_*_amd64.deb)
info=$(dpkg-deb -I "$deb")
grep -q "Package: qinghefang-browser" <<<"$info"
grep -q "libwebkit2gtk-4.1" <<<"$info"   # shared-library dependencies were computed
dpkg-deb -x "$deb" "$scratch/root"
test -x "$scratch/root/usr/bin/qinghefang-browser"
desktop-file-validate "$scratch/root/usr/share/applications/qinghefang-browser.desktop"
grep -q "^Exec=qinghefang-browser" "$scratch/root/usr/share/applications/qinghefang-browser.desktop"
for s in 16 24 32 48 64 128 256; do
  test -s "$scratch/root/usr/share/icons/hicolor/${s}x${s}/apps/qinghefang-browser.png"
done
# Every library the program needs resolves on this system.
libs=$(ldd "$scratch/root/usr/bin/qinghefang-browser")
! grep -q "not found" <<<"$libs"
echo "package ok: $(basename "$deb")"
