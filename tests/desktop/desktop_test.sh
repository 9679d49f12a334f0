#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The game on a real X server with a window manager (Xvfb and openbox): what only a
# window manager shows. One taskbar entry, the captions as the window manager reads
# them, the stacking of screens and error boxes, and where the keyboard goes.
#   desktop_test.sh SOURCE_DIR GAME_BINARY SCENARIO
# Scenarios: startup-error, whole-game, error-box. ZNDL_DESKTOP_SHOTS=DIR keeps
# screenshots.
set -u
SOURCE=$1
GAME=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
SCENARIO=$3
# shellcheck source=tests/desktop/desktop_lib.sh
. "$SOURCE/tests/desktop/desktop_lib.sh"
# The game's own leak report is the offscreen suite's business.
export ASAN_OPTIONS=detect_leaks=0

shot() {
  [ -n "${ZNDL_DESKTOP_SHOTS:-}" ] && import -window root "$ZNDL_DESKTOP_SHOTS/$1.png"
  return 0
}

# Title window positions of its controls, from the top left of the window.
PLAY_BUTTON="50 20"
INTERNET="50 52"
MORE="448 451"
GROUP_BOX="517 425"

choose_group() {
  # shellcheck disable=SC2086
  click_in "$(window_of title)" $GROUP_BOX
  key Down
}

start_and_wait() {
  start_game
  wait_for 30 test -s "$STATE" || fail "the game wrote no report"
  expect_state focus title/Play 5 "the title holds the keyboard at Play"
}

# Keys go to the window the window manager has made active; wait for it to be NAME's.
keys_go_to() {
  wait_for 5 wm_active_is "$(window_of "$1")" || fail "the window manager did not activate $1"
}

screen_comes_up() {  # NAME FOCUS WHY
  wait_for 5 sh -c "grep -q '^window.$1=[1-9][0-9]* shown' '$STATE'" || fail "$1 did not show"
  # The keyboard moves once the window manager has mapped and focused the window and the
  # accessibility bus has told of it: on a loaded machine (the browser tests beside this
  # one) that has taken over five seconds.
  expect_state focus "$1/$2" 15 "$3"
  keys_go_to "$1"
  expect_one_taskbar_entry "$1 on view"
  expect_above "$(window_of "$1")" "$(window_of title)" "$1" "the title"
  local w
  w=$(hex "$(window_of "$1")")
  [ "$(transient_for "$w")" = "$(hex "$(window_of title)")" ] || fail "$1 does not belong to the title"
}

scenario_startup_error() {
  rm "$PLAY/banter"
  start_game
  # The box and the title, and nothing else.
  wait_for 30 sh -c '[ "$(xprop -root _NET_CLIENT_LIST | grep -o "0x[0-9a-f]*" | wc -l)" -ge 2 ]' ||
    fail "no error box came up"
  local title="" box="" w
  for w in $(client_list); do
    if [ -z "$(transient_for "$w")" ]; then title=$w; else box=$w; fi
  done
  [ -n "$title" ] && [ -n "$box" ] || fail "expected the title and a box: $(client_list)"
  is_viewable "$title" || fail "the title is not on view under the start-up error"
  [ "$(transient_for "$box")" = "$title" ] || fail "the error box does not belong to the title"
  expect_title "$box" "Zandoodle v4.2"
  expect_title "$title" "Zandoodle v4.2"
  wait_for 3 above "$box" "$title" || fail "the error box is under the title"
  [ "$(taskbar_entries | wc -l)" = 1 ] || fail "two taskbar entries with the error box"
  pass "the title is on view under the start-up error, the box above it"
  shot startup-error
  wait_for 5 wm_active_is "$box" || fail "the error box does not hold the keyboard"
  key Return
  wait_for 30 test -s "$STATE" || fail "the game did not go on after the box"
  expect_state focus title/Play 5 "the title holds the keyboard after the box"
  [ "$(client_list | wc -l)" = 1 ] || fail "windows left after the box: $(client_list)"
  pass "after OK only the title is left, with Play holding the keyboard"
}

# The right answer of the test's one question, as the quiz shows it.
RIGHT_ANSWER=Yellow
right_slot() {
  local slot
  for slot in A B C; do
    [ "$(state "answer$slot")" = "$slot- $RIGHT_ANSWER" ] && { echo "$slot"; return; }
  done
}
answer_right() {
  case "$(right_slot)" in A) key a ;; B) key b ;; C) key c ;; *) fail "no right answer on view" ;; esac
}
answer_wrong() {
  case "$(right_slot)" in A) key b ;; B) key c ;; C) key a ;; *) fail "no right answer on view" ;; esac
}

# CONTINUE, the countdown with stray Space and Enter, then the answer.
play_question() {  # right|wrong
  expect_state focus quiz/Continue 5 "CONTINUE holds the keyboard"
  key space
  expect_state focus quiz/window 3 "the quiz window holds the keyboard during a question"
  expect_state clock running 8 "the countdown runs"
  local before1 before2
  before1=$(state lives1)$(state score1)
  before2=$(state lives2)$(state score2)
  key space
  key Return
  key KP_Enter
  sleep 0.3
  state_is clock running || fail "Space or Enter answered during the countdown"
  [ "$(state lives1)$(state score1)$(state lives2)$(state score2)" = "$before1$before2" ] ||
    fail "Space or Enter changed a score or lives"
  "answer_$1"
  expect_state continue 1 3 "the key answers and CONTINUE comes back"
  expect_state clock stopped 1 "the question is judged"
  expect_state focus quiz/Continue 3 "CONTINUE holds the keyboard again"
}

scenario_whole_game() {
  start_and_wait
  local title
  title=$(window_of title)
  expect_title "$title" "Zandoodle v4.2"
  expect_one_taskbar_entry "the title alone"

  # shellcheck disable=SC2086
  click_in "$title" $INTERNET
  screen_comes_up internetSites OK "the Internet dialog holds the keyboard at OK"
  expect_title "$(window_of internetSites)" "Internet Sites"
  expect_title_buttons internetSites close
  close_with_alt_f4 internetSites "Alt-F4 hides the Internet dialog"
  # shellcheck disable=SC2086
  click_in "$title" $INTERNET
  screen_comes_up internetSites OK "the Internet dialog comes up again"
  key Escape
  expect_state window.internetSites "0 hidden" 3 "Escape closes the Internet dialog"
  # shellcheck disable=SC2086
  click_in "$title" $MORE
  screen_comes_up settings OK "the settings hold the keyboard at OK"
  expect_title "$(window_of settings)" "Zandoodle Settings"
  expect_title_buttons settings close
  close_with_alt_f4 settings "Alt-F4 hides the settings"
  # shellcheck disable=SC2086
  click_in "$title" $MORE
  screen_comes_up settings OK "the settings come up again"
  key Escape
  expect_state window.settings "0 hidden" 3 "Escape closes the settings"
  key Escape
  sleep 0.3
  state_is window.title "$(window_of title) shown" || fail "Escape on the title did something"
  pass "the dialogs belong to the title, carry their own captions and close with Alt-F4 and Escape"

  choose_group
  # shellcheck disable=SC2086
  click_in "$title" $PLAY_BUTTON
  screen_comes_up introduction "Skip the introduction" "the introduction holds the keyboard at Skip"
  key Return
  screen_comes_up quiz Continue "the quiz holds the keyboard at CONTINUE"
  expect_title "$(window_of quiz)" "Zandoodle v4.2"
  play_question right
  expect_state score1 1 1 "a right answer scores"
  pass "Space and Enter press CONTINUE and answer nothing; A, B and C answer"
  key Return
  screen_comes_up notice OK "the notice holds the keyboard at OK"
  shot notice
  close_with_alt_f4 notice "Alt-F4 hides the notice"
  expect_one_taskbar_entry "back at the title"
  pass "the first game ended with Alt-F4 on its notice"

  # The second game starts from the reset quiz.
  # shellcheck disable=SC2086
  click_in "$title" $PLAY_BUTTON
  screen_comes_up introduction "Skip the introduction" "the second introduction holds the keyboard"
  key Return
  screen_comes_up quiz Continue "the second quiz holds the keyboard at CONTINUE"
  expect_state continue 1 1 "the second game's quiz has its CONTINUE"
  expect_state score1 0 1 "the second game starts from nothing"
  play_question wrong
  key Return
  screen_comes_up notice OK "the second notice holds the keyboard at OK"
  key Return
  screen_comes_up coinCall Heads "the coin call holds the keyboard at Heads"
  expect_title "$(window_of coinCall)" "Call please..."
  expect_title_buttons coinCall no-close
  expect_above "$(window_of coinCall)" "$(window_of tieBreak)" "the coin call" "the tie break"
  shot coin-call
  key Escape
  sleep 0.3
  state_is window.coinCall "$(window_of coinCall) shown" || fail "Escape closed the coin call"
  expect_state focus coinCall/Heads 3 "the coin call keeps the keyboard after Escape"
  key Return
  expect_state window.coinCall "0 hidden" 3 "Heads closes the call"
  expect_state focus "tieBreak/TOSS THE COIN" 3 "the tie break holds the keyboard at TOSS THE COIN"
  keys_go_to tieBreak
  key Return
  expect_state tossButton "KILL THE PET enabled" 10 "the coin lands"
  key Return
  screen_comes_up finale Kill "the finale holds the keyboard at Kill"
  key Return
  expect_state killButton "Back To Title" 3 "Kill drops the anvil"
  shot finale
  key Return
  expect_state window.finale "0 hidden" 3 "Back To Title"
  wait_for 3 sh -c "grep -c ' shown' '$STATE' | grep -qx 1" || fail "game screens left on view"
  expect_one_taskbar_entry "back at the title after the second game"
  pass "a full second game after the notice was closed with Alt-F4"

  keys_go_to title
  key alt+F4
  wait_for 10 sh -c "! kill -0 $GAME_PID" || fail "Alt-F4 on the title did not end the game"
  GAME_PID=""
  pass "Alt-F4 on the title ends the game"
}

scenario_error_box() {
  # A countdown tune that is no MIDI file: an error box at Play and at the question.
  printf 'Ann\r\nBob\r\nRex\r\nGoldie\r\n0\r\n1\r\n5\r\n5\r\n' >"$PLAY/names.etc"
  echo "not a tune" >"$PLAY/5.MID"
  start_and_wait
  choose_group
  # shellcheck disable=SC2086
  click_in "$(window_of title)" $PLAY_BUTTON
  wait_for 5 sh -c "grep -q '^errorBox=' '$STATE'" || fail "no error box at Play"
  expect_above "$(state errorBox)" "$(window_of introduction)" "the error box" "the introduction"
  wait_for 5 wm_active_is "$(state errorBox)" || fail "the error box does not hold the keyboard"
  key Return
  screen_comes_up introduction "Skip the introduction" "the introduction holds the keyboard after the box"
  key Return
  screen_comes_up quiz Continue "the quiz holds the keyboard at CONTINUE"
  key space
  wait_for 8 sh -c "grep -q '^errorBox=' '$STATE'" || fail "no error box at the countdown"
  expect_above "$(state errorBox)" "$(window_of quiz)" "the error box" "the quiz"
  [ "$(taskbar_entries | wc -l)" = 1 ] || fail "two taskbar entries with the error box"
  shot quiz-error-box
  # The box holds the question where it stood; after OK the countdown runs out and the
  # question is judged once.
  sleep 2
  expect_state result none 1 "nothing judged under the box"
  expect_state lives1 5 1 "no life lost under the box"
  expect_above "$(state errorBox)" "$(window_of quiz)" "the error box" "the quiz"
  wait_for 5 wm_active_is "$(state errorBox)" || fail "the error box does not hold the keyboard"
  key Return
  wait_for 3 sh -c "! grep -q '^errorBox=' '$STATE'" || fail "the box did not close"
  expect_state result "TIME’S UP!" 10 "time runs out"
  sleep 2
  expect_state result "TIME’S UP!" 1 "one question asked and judged once"
  expect_state lives1 4 1 "one life lost"
  expect_state focus quiz/Continue 3 "CONTINUE holds the keyboard after the box"
  pass "error boxes stay above the screen they belong to; a question is judged once"
}

start_desktop
make_play_folder
case "$SCENARIO" in
  startup-error | whole-game | error-box) "scenario_${SCENARIO//-/_}" ;;
  *) fail "no scenario $SCENARIO" ;;
esac
echo "desktop scenario $SCENARIO passed"
