#!/bin/sh
# Builds the Debian package and checks its contents and declared dependencies.
#   deb_test.sh BUILD_DIR
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/bin/zandoodle ./usr/bin/zandoodle-launcher ./usr/bin/zandoodle-check \
         ./usr/bin/zandoodle-editor ./usr/share/applications/zandoodle-editor.desktop \
         ./usr/share/applications/zandoodle.desktop ./usr/share/zandoodle/groups/default.set \
         ./usr/share/icons/hicolor/scalable/apps/zandoodle.svg; do
  echo "$contents" | grep -q " $f\$" || { echo "FAIL: $f not in the package" >&2; exit 1; }
done
info=$(dpkg-deb -I "$deb")
echo "$info" | grep '^ Depends:'
for dep in libqt6widgets6 libqt6svg6 libfluidsynth3 timgm6mb-soundfont fonts-dejavu-core fonts-liberation2; do
  echo "$info" | grep '^ Depends:' | grep -q "$dep" || { echo "FAIL: no dependency on $dep" >&2; exit 1; }
done
echo "package: ok"
