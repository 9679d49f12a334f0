#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The game on a real X server (Xvfb with openbox): the title window's size and place
# for the display it finds, --scale, F11, and M remembered between runs.
#   window_size_test.sh GAME SOURCE_DIR
# Exits 77 (skipped) when Xvfb, openbox or xdotool are not installed.
set -eu
game=$1
source_dir=$2
for tool in Xvfb openbox xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
export QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 ZNDL_SOUNDFONT=/nonexistent
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/play"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$source_dir"/assets/starter/* "$source_dir"/assets/groups/*.set "$work/play/"

# shellcheck source=tests/x_session.sh
. "$source_dir/tests/x_session.sh"
server=
start_server() {  # WIDTHxHEIGHT
  x_session_start "$work" "$1" || fail "no X server with a window manager at $1"
  server=$X_SERVER_PID
  pids="$pids $X_SERVER_PID $X_WM_PID"
}
stop_server() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  sleep 0.3
}

window=
gamepid=
start_game() {
  (cd "$work/play" && exec "$game" "$@") >"$work/game.log" 2>&1 &
  gamepid=$!
  pids="$pids $gamepid"
  x_wait_for_window "$gamepid" 60 || fail "no title window: $(cat "$work/game.log")"
  window=$X_WINDOW
  sleep 0.5
}
stop_game() {
  kill "$gamepid" 2>/dev/null || true
  wait "$gamepid" 2>/dev/null || true
}
geometry() {  # prints X Y WIDTH HEIGHT of the window
  xwininfo -id "$window" | awk '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
# Within a pixel: the middle of an even-sized display lies between two pixels.
near() {  # ACTUAL EXPECTED
  echo "$1 $2" | awk '{ for (i = 1; i <= 4; i++) { d = $i - $(i + 4); if (d > 1 || d < -1) exit 1 } }'
}
expect_geometry() {  # EXPECTED WHAT
  i=0
  until near "$(geometry)" "$1"; do
    i=$((i + 1)); [ $i -lt 50 ] || fail "$2: the title is at $(geometry), not $1"; sleep 0.1
  done
}

# 1920x1080: twice the size, in the middle.
start_server 1920x1080
start_game
expect_geometry "320 60 1280 960" "1920x1080"
# F11: the whole display; again: back in the middle.
xdotool windowactivate --sync "$window" key F11
expect_geometry "0 0 1920 1080" "full screen"
xdotool windowactivate --sync "$window" key F11
expect_geometry "320 60 1280 960" "after full screen"
# The window manager, too, must have taken it out of full screen: a window it still
# thinks full screen ignores every move and keeps covering the desktop's panels.
! xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
  fail "the window manager still holds the title full screen"
# And once more, both ways.
xdotool windowactivate --sync "$window" key F11
expect_geometry "0 0 1920 1080" "full screen again"
xdotool windowactivate --sync "$window" key F11
expect_geometry "320 60 1280 960" "after full screen again"
# M is remembered in the desktop's settings, not the play folder.
xdotool windowactivate --sync "$window" key m
i=0
until grep -q 'muted=true' "$XDG_CONFIG_HOME/zandoodle/zandoodle.conf" 2>/dev/null; do
  i=$((i + 1)); [ $i -lt 50 ] || fail "M was not remembered"; sleep 0.1
done
[ -z "$(ls "$work/play" | grep -i conf || true)" ] || fail "settings written to the play folder"
stop_game
# --scale 3 asks for more than fits, and gets it.
start_game --scale 3
i=0
until geometry | grep -q ' 1920 1440$'; do
  i=$((i + 1)); [ $i -lt 50 ] || fail "--scale 3: the title is $(geometry)"; sleep 0.1
done
stop_game
# The remembered choice survives a restart.
start_game
grep -q 'muted=true' "$XDG_CONFIG_HOME/zandoodle/zandoodle.conf" || fail "the mute was forgotten"
expect_geometry "320 60 1280 960" "restart"
stop_game
stop_server

# 1280x1024: the usual size.
start_server 1280x1024
start_game
expect_geometry "320 272 640 480" "1280x1024"
stop_game
stop_server
echo "windows on a real display: ok"
