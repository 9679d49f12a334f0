#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game core (every file of shell/, quiz/, host/, finale/ and platform/ but the
# windows and the Qt and FluidSynth adapters) and the exchange formats (exchange/)
# include no Qt header.
#   core_without_qt_test.sh SOURCE_DIR
set -eu
cd "$1"
found=$(find shell quiz host finale platform exchange -name '*.cpp' -o -name '*.h' |
  grep -v -e '_view\.' -e '/qt_' -e '/fluid_' -e '^shell/app\.' -e '^shell/program\.' \
    -e '^shell/main\.cpp$' -e '^shell/look\.h$' |
  xargs grep -l -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q' || true)
if [ -n "$found" ]; then
  echo "Qt included in the core:" >&2
  echo "$found" >&2
  exit 1
fi
