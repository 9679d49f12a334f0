#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks its contents, its declared dependencies, and
# that Debian's own checker, lintian, finds neither errors nor warnings in it.
#   deb_test.sh BUILD_DIR
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb --contents "$deb")
for f in ./usr/games/zandoodle ./usr/games/zandoodle-launcher ./usr/games/zandoodle-check \
         ./usr/lib/games/zandoodle/zandoodle-phones.so \
         ./usr/games/zandoodle-editor ./usr/share/applications/zandoodle-editor.desktop \
         ./usr/share/applications/zandoodle.desktop ./usr/share/zandoodle/groups/default.set \
         ./usr/share/icons/hicolor/scalable/apps/zandoodle.svg \
         ./usr/share/doc/zandoodle/copyright ./usr/share/doc/zandoodle/changelog.gz \
         ./usr/share/man/man6/zandoodle.6.gz ./usr/share/man/man6/zandoodle-check.6.gz \
         ./usr/share/man/man6/zandoodle-launcher.6.gz ./usr/share/man/man6/zandoodle-editor.6.gz; do
  echo "$contents" | grep -q " $f\$" || { echo "FAIL: $f not in the package" >&2; exit 1; }
done
if echo "$contents" | grep -q " ./usr/bin/"; then
  echo "FAIL: programs in /usr/bin; a game's go in /usr/games" >&2
  exit 1
fi
info=$(dpkg-deb -I "$deb")
echo "$info" | grep '^ Depends:'
for dep in libqt6widgets6 libqt6svg6 libqt6websockets6 libqrencode4 libfluidsynth3 libsdl2-2.0-0 timgm6mb-soundfont fonts-dejavu-core fonts-liberation2; do
  echo "$info" | grep '^ Depends:' | grep -q "$dep" || { echo "FAIL: no dependency on $dep" >&2; exit 1; }
done
echo "$info" | grep -q '^ Section: games' || { echo "FAIL: not in the games section" >&2; exit 1; }

# The copyright file is machine-readable and names both licences.
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/zandoodle/copyright)
echo "$copyright" | head -1 | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  { echo "FAIL: copyright is not in the machine-readable format" >&2; exit 1; }
for licence in GPL-3.0+ CC-BY-SA-4.0; do
  echo "$copyright" | grep -q "^License: $licence" || { echo "FAIL: copyright lacks $licence" >&2; exit 1; }
done

# lintian: no error and no warning (information and pedantic notes may remain).
if command -v lintian >/dev/null 2>&1; then
  report=$(lintian --fail-on none "$deb" 2>&1 || true)
  [ -z "$report" ] || echo "$report"
  if echo "$report" | grep -q '^[EW]: '; then
    echo "FAIL: lintian reports errors or warnings" >&2
    exit 1
  fi
else
  echo "note: lintian is not installed; the package was not checked by it" >&2
fi
echo "package: ok"
