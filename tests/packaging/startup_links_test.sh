#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game must start without loading FluidSynth, libpulse or SDL: they are loaded with
# dlopen() once the title is on the screen. Checks the program's own list of needed
# libraries.
#   startup_links_test.sh GAME_BINARY
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "$needed" | grep -q '^libQt6Widgets' || { echo "FAIL: cannot read the needed libraries of $1" >&2; exit 1; }
if echo "$needed" | grep -q -e fluidsynth -e libpulse -e libSDL; then
  echo "FAIL: $1 links FluidSynth, libpulse or SDL:" >&2
  echo "$needed" >&2
  exit 1
fi
echo "links: ok"
