#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_test.sh GAME
#
# Plays the opening of a game beside the Orca screen reader on a private X display
# and checks what Orca said: the host's lines of the introduction, whose turn it is,
# the question, its three answers, the clock as it starts and the result with the
# scores, in that order; and that nothing the player cannot see (the Internet
# dialog's clipboard field, a hidden list) was said at start-up.
#
# The game is driven with real input through xdotool: a click on the question group
# and the Down key to choose it, a click on Play, a click on CONTINUE and the key A.
# Exit status 77 means the desktop tools are missing (scripts/install-packages test
# installs them).
set -u

here=$(cd "$(dirname "$0")" && pwd)
# What Orca says is UTF-8 (curly quotes, the curly apostrophe), and the checks below
# match it: grep reads it as UTF-8 whatever locale the caller has, or none at all.
grep() { LC_ALL=C.UTF-8 command grep "$@"; }
# shellcheck source=tests/x_session.sh
. "$here/../x_session.sh"
title='^Zandoodle v4\.2$'

# ---- The player's side, run inside the harness ----------------------------------
if [[ ${1:-} == --play ]]; then
  game=$2
  cd "$3" || exit 3
  log() { echo "orca_test: $*" >&2; }
  said() { grep -q "SPEECH OUTPUT: '.*$1" "$ORCA_HARNESS_DEBUG"; }
  # Waits up to $1 seconds until Orca has said something matching $2.
  wait_said() {
    local n=$(($1 * 10))
    until said "$2"; do
      ((n-- > 0)) || { log "never said: $2"; return 1; }
      sleep 0.1
    done
  }
  click() { # window x y
    xdotool mousemove --window "$1" "$2" "$3" click 1
  }

  # libxkbcommon's X11 keymap reader hands strndup() a buffer without an end, which
  # a strict string check takes for an overflow; nothing of ours is involved.
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0" "$game" >game.log 2>&1 &
  pid=$!
  trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT
  x_wait_for_window "$pid" 30 "$title" || { log "the title never came up"; exit 1; }
  window=$X_WINDOW
  # The title is up and read; the hidden windows are built just after its first paint.
  # Orca 43 says "push button", later releases "button".
  wait_said 20 "Play \(push \)\?button" || exit 1
  sleep 1

  # The question group's drop-down on the setup panel, then Play.
  click "$window" 517 425
  sleep 0.3
  xdotool key Down
  sleep 0.3
  click "$window" 53 20

  # The introduction runs on its own and hands over to the quiz. CONTINUE is clicked
  # on whatever window is in front until the quiz takes it and the question starts.
  wait_said 30 "And now let.s meet our contestants" || exit 1
  for ((i = 0; i < 40; ++i)); do
    said "Ann to answer" && break
    click "$(xdotool getactivewindow)" 320 207
    sleep 0.5
  done
  wait_said 10 "[0-9]\+ seconds" || exit 1
  xdotool key a
  wait_said 5 "CORRECT\|WRONG" || exit 1
  sleep 1
  exit 0
fi

# ---- The check --------------------------------------------------------------------
[[ $# -eq 1 ]] || { echo "usage: $0 GAME" >&2; exit 2; }
game=$(realpath "$1")
for tool in orca Xvfb xdotool xprop dbus-daemon openbox /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null 2>&1 || { echo "orca_test: $tool is missing" >&2; exit 77; }
done

work=$(mktemp -d /tmp/zndl-orca-test.XXXXXX) || exit 3
trap 'rm -rf "$work"' EXIT
play=$work/play
mkdir -p "$play"
crlf() { printf '%s\r\n' "$@"; }
crlf Ann Bob Fluffy Rover 0 3 5 5 >"$play/names.etc"
crlf "Hello and welcome to Zandoodle!" "<NAMES>" "<END>" >"$play/banter"
crlf "Descriptions" "a quiz" "a show" "a game" "a test" >"$play/describe"
crlf "Jobs" "baker" "pilot" >"$play/jobs"
crlf "After jobs" "from Leeds" "at sea" >"$play/after.job"
crlf "Prizes" "a signed photo of Pembril" >"$play/prizes"
crlf "(ZNDL v4)" "[1]" "Which planet is red?" "[1-YES]" "Mars" "[1-NO]" "Venus" "Pluto" "[2]" \
  >"$play/quick.set"

spoken=$work/spoken.txt
ORCA_HARNESS_TIMEOUT=${ORCA_HARNESS_TIMEOUT:-90} \
  "$here/orca_harness.sh" "$spoken" -- "$here/orca_test.sh" --play "$game" "$play"
rc=$?
echo "---- Orca said:"
cat "$spoken" 2>/dev/null
echo "----"
if [[ $rc -ne 0 ]]; then
  echo "orca_test: the game or the harness failed ($rc)"
  sed 's/^/game: /' "$play/game.log" 2>/dev/null | head -n 40
  exit 1
fi

fail=0
# Each expected line must come after the one before it.
at=0
expect() { # description, extended regular expression for a whole spoken line
  local n
  n=$(tail -n +"$((at + 1))" "$spoken" | grep -n -m1 -E -x -- "$2" | cut -d: -f1)
  if [[ -z $n ]]; then
    echo "orca_test: not said after line $at: $1 /$2/"
    fail=1
    return
  fi
  at=$((at + n))
}
quote="(\"|“|”)?"
expect "the host's first line" "${quote}Hello and welcome to Zandoodle!${quote}\.?"
expect "the host's second line" "${quote}And now let.s meet our contestants, Ann and Bob${quote}\.?"
expect "whose turn" "Ann to answer\.?"
expect "the question" "Which planet is red\?"
for slot in A B C; do
  expect "answer $slot" "$slot- (Mars|Venus|Pluto)\.?"
done
expect "the clock" "4 seconds\.?"
expect "the result" "(CORRECT\. Ann 1 point, 5 lives|WRONG\. Ann 0 points, 4 lives); Bob 0 points, 5 lives\.?"
# The three answers are the three the group gives.
if [[ $(grep -E -x -c "[ABC]- (Mars|Venus|Pluto)\.?" "$spoken") -ne 3 ]] ||
  [[ $(grep -E -x "[ABC]- (Mars|Venus|Pluto)\.?" "$spoken" | sed -E 's/^[ABC]- //; s/\.$//' |
    sort -u | wc -l) -ne 3 ]]; then
  echo "orca_test: the answers were not Mars, Venus and Pluto once each"
  fail=1
fi
# Nothing off view: the clipboard field, the hidden lists, the host lines not yet due.
for hidden in "Edit1" "clipboard" "Memo1" "Questions" "<END>" "<NAMES>"; do
  if grep -q -F -- "$hidden" "$spoken"; then
    echo "orca_test: said something hidden: $hidden"
    fail=1
  fi
done
[[ $fail -eq 0 ]] && echo "orca_test: all said, in order"
exit $fail
