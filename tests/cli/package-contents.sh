#!/bin/sh
# The Debian package: made with cpack in a scratch folder (never installed), it holds both
# programs, the desktop entry, the icon, the sample recordings and the README under /usr, and
# depends on the Qt libraries the console links.
set -eu
work="$2"
cpack="$3"
config="$4"
version="$5"
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$1"; exit 1; }
"$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
package="kestrion-demo_${version}_$(dpkg --print-architecture).deb"
[ -f "$work/$package" ] || fail "no $package in $(ls "$work")"
dpkg-deb -c "$work/$package" | awk '{ print $6 }' >"$work/contents"
for file in bin/kestrion-demo bin/kestrion-cli share/applications/kestrion-demo.desktop \
    share/icons/hicolor/scalable/apps/kestrion-demo.svg share/kestrion-demo/samples/receiver-38400.bin \
    share/kestrion-demo/samples/simulator-drive.bin share/kestrion-demo/samples/README.md \
    share/doc/kestrion-demo/README.md; do
    grep -qx "./usr/$file" "$work/contents" || fail "the package lacks /usr/$file"
done
# Nothing outside /usr, and nothing of the tests, benchmarks or tools.
! grep -v '^\./usr/\|^\./$' "$work/contents" || fail "files outside /usr"
! grep -q 'test\|bench\|make-sample\|pictures' "$work/contents" || fail "a program that is not the console's"
depends=$(dpkg-deb -f "$work/$package" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libc6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$work/$package" Section)" = science ] || fail "section"
dpkg-deb -f "$work/$package" Maintainer | grep -q . || fail "no maintainer"
