#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game must start without loading FluidSynth, libpulse or SDL, which are loaded with
# dlopen() once the title is on the screen, nor Qt's network and WebSockets and
# libqrencode, which only the phones' module needs and which are loaded with it when the
# phones are turned on. Checks the program's own list of needed libraries, and that the
# module is beside it with what it needs.
#   startup_links_test.sh GAME_BINARY [PHONES_MODULE]
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "$needed" | grep -q '^libQt6Widgets' || { echo "FAIL: cannot read the needed libraries of $1" >&2; exit 1; }
if echo "$needed" | grep -q -e fluidsynth -e libpulse -e libSDL -e Qt6Network -e Qt6WebSockets -e qrencode; then
  echo "FAIL: $1 links a library it should load only when needed:" >&2
  echo "$needed" >&2
  exit 1
fi
if [ -n "${2:-}" ]; then
  module=$(readelf -d "$2" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  for lib in Qt6WebSockets Qt6Network qrencode; do
    echo "$module" | grep -q "$lib" || { echo "FAIL: the phones' module $2 does not link $lib" >&2; exit 1; }
  done
fi
echo "links: ok"
