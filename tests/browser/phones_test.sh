#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two phones play a whole game in a real browser: the game with --phones on a private
# X session, a play folder of three known questions, and phones_test.py driving
# headless Chromium against the address the game prints.
#   phones_test.sh SOURCE_DIR GAME_BINARY [TEST]
# TEST is the Python test to run against it (phones_test.py unless named); it is given
# the join address and the play folder.
# Exit status: 0 passed, 1 failed, 77 when Chromium, its driver or Selenium are
# missing. ZNDL_PHONE_SHOTS=DIR keeps the phones' screenshots, ZNDL_PHONES_KEEP=1 the
# work folder with the game's output.
set -u
PYTHON=/usr/bin/python3
SKIP=77

SOURCE=$(cd "$1" && pwd)
GAME=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
TEST=${3:-$SOURCE/tests/browser/phones_test.py}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# shellcheck disable=SC2317  # run by the EXIT trap
cleanup() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null && wait "$GAME_PID" 2>/dev/null
  [ -n "${X_WM_PID:-}" ] && kill "$X_WM_PID" 2>/dev/null
  [ -n "${X_SERVER_PID:-}" ] && kill "$X_SERVER_PID" 2>/dev/null
  wait 2>/dev/null
  if [ -n "${ZNDL_PHONES_KEEP:-}" ]; then
    echo "kept $WORK"
  else
    rm -rf "$WORK"
  fi
}

WORK=$(mktemp -d /tmp/zndl-phones-XXXXXX)
trap cleanup EXIT
# The game remembers --phones with its display settings: never in the player's own.
mkdir -p "$WORK/run" "$WORK/config" && chmod 700 "$WORK/run"
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config
# The game's own leak report is the offscreen suite's business.
export ASAN_OPTIONS=detect_leaks=0

# shellcheck source=tests/x_session.sh
. "$SOURCE/tests/x_session.sh"
x_session_start "$WORK" 1280x1024 --sm-disable || fail "no X server with a window manager"

# The starter files and three questions, in the sectioned layout, Windows-1252 with
# CR LF as the game reads groups. phones_test.py knows the same questions and answers.
PLAY=$WORK/play
mkdir -p "$PLAY"
cp "$SOURCE/assets/starter/"* "$PLAY/"
printf '%s\r\n' '(ZNDL v4)' \
  '[1]' 'Which planet is called the Red Planet?' '[1-YES]' 'Mars' '[1-NO]' 'Jupiter' 'Venus' \
  '[2]' $'Which caf\xe9 drink is made with steamed milk?' '[2-YES]' 'Latte' \
  '[2-NO]' 'Ristretto' 'Espresso' \
  '[3]' 'Which tag makes text bold: <b> or <i> & co?' '[3-YES]' '<b>' '[3-NO]' '<u>' '<i>' \
  '[4]' >"$PLAY/phones.set"

(cd "$PLAY" && exec env QT_QPA_PLATFORM=xcb ZNDL_SOUNDFONT=/nonexistent "$GAME" --phones \
  >"$WORK/game.out" 2>"$WORK/game.err") &
GAME_PID=$!

URL=
for _ in $(seq 300); do
  URL=$(sed -n 's/^Phones: join at //p' "$WORK/game.out" | head -n1)
  [ -n "$URL" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before it printed its join address: $(cat "$WORK/game.err")"
  sleep 0.1
done
[ -n "$URL" ] || fail "the game printed no 'Phones: join at' line in 30 s"
case $URL in
  http://*/j/*) ;;
  *) fail "the join address is no http://ADDRESS:PORT/j/TOKEN: $URL" ;;
esac
echo "the game says: join at $URL"

"$PYTHON" "$TEST" "$URL" "$PLAY"
status=$?
if [ "$status" -eq 0 ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
  wait "$GAME_PID"
  echo "FAIL: the game ended during the test (status $?): $(tail -n 20 "$WORK/game.err")" >&2
  GAME_PID=
  exit 1
fi
[ "$status" -eq 1 ] && echo "the game's stderr ends: $(tail -n 20 "$WORK/game.err")" >&2
exit "$status"
