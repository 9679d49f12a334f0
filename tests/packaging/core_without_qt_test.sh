#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game core (every file of shell/, quiz/, host/, finale/, pads/ and platform/ outside a
# ui/ folder) and the exchange formats (exchange/) include no Qt, FluidSynth,
# fontconfig or X header: those belong to the windows in the ui/ folders and to the
# adapters in adapters/.
#   core_without_qt_test.sh SOURCE_DIR
set -eu
cd "$1"
found=$(find shell quiz host finale pads platform exchange \( -name '*.cpp' -o -name '*.h' \) \
  -not -path '*/ui/*' |
  xargs grep -l -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q|fluidsynth|fontconfig|xcb/|X11/)' ||
  true)
if [ -n "$found" ]; then
  echo "Qt or a platform library included in the core:" >&2
  echo "$found" >&2
  exit 1
fi
