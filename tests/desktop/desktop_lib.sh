# SPDX-License-Identifier: GPL-3.0-or-later
# Shared helpers of the desktop tests: an X server with a window manager of its own,
# the game started on it, and what the window manager and the game report.
# shellcheck shell=bash

fail() {
  echo "FAIL: $*" >&2
  [ -n "${ZNDL_DESKTOP_SHOTS:-}" ] && import -window root "$ZNDL_DESKTOP_SHOTS/failure-$$.png" 2>/dev/null
  exit 1
}
pass() { echo "ok: $*"; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while [ "$tries" -gt 0 ]; do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}

# shellcheck source=tests/x_session.sh
. "$SOURCE/tests/x_session.sh"

# Starts Xvfb and openbox on a display of their own, with a session bus and the
# accessibility bus that screen readers (and these tests) read the game from; all end
# with the test.
start_desktop() {
  WORK=$(mktemp -d /tmp/zndl-desktop-XXXXXX)
  trap stop_desktop EXIT
  mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
  export XDG_RUNTIME_DIR=$WORK/run
  unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
  x_session_start "$WORK" 1280x1024 --sm-disable || fail "no X server with a window manager"
  dbus-daemon --session --nofork --nopidfile --print-address=6 6>"$WORK/bus" \
    >"$WORK/dbus.log" 2>&1 &
  BUS_PID=$!
  wait_for 10 test -s "$WORK/bus" || fail "no session bus"
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus")
  export DBUS_SESSION_BUS_ADDRESS
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
  A11Y_PID=$!
  wait_for 10 dbus-send --session --print-reply --reply-timeout=500 --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress || fail "no accessibility bus"
}

stop_desktop() {
  [ -n "${VIEW_PID:-}" ] && kill "$VIEW_PID" 2>/dev/null
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null && wait "$GAME_PID" 2>/dev/null
  [ -n "${X_WM_PID:-}" ] && kill "$X_WM_PID" 2>/dev/null
  # The accessibility bus's own daemon and registry go with the launcher that started
  # them.
  if [ -n "${A11Y_PID:-}" ]; then
    pkill -P "$A11Y_PID" 2>/dev/null
    kill "$A11Y_PID" 2>/dev/null
  fi
  [ -n "${BUS_PID:-}" ] && kill "$BUS_PID" 2>/dev/null
  [ -n "${X_SERVER_PID:-}" ] && kill "$X_SERVER_PID" 2>/dev/null
  wait 2>/dev/null
  [ -n "${WORK:-}" ] && [ -z "${ZNDL_DESKTOP_KEEP:-}" ] && rm -rf "$WORK"
}

# A play folder with the starter files and a one-question group: the CONTINUE after
# its question ends the game.
make_play_folder() {
  PLAY="$WORK/play"
  mkdir -p "$PLAY"
  cp "$SOURCE/assets/starter/"* "$PLAY/"
  printf '%s\r\n' '(ZNDL v4)' '[1]' 'What colour is a ripe banana?' '[1-YES]' 'Yellow' \
    '[1-NO]' 'Blue' 'Purple' '[2]' >"$PLAY/quick.set"
}

# The game as a player starts it, and beside it the tests' view of it from outside
# (tests/desktop/outside_view.py): the window manager's and the accessibility bus's.
start_game() {
  STATE="$WORK/state"
  rm -f "$STATE"
  (cd "$PLAY" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    ZNDL_SOUNDFONT=/nonexistent "$GAME" >"$WORK/game.log" 2>&1) &
  GAME_PID=$!
  [ -n "${VIEW_PID:-}" ] || {
    /usr/bin/python3 "$SOURCE/tests/desktop/outside_view.py" "$STATE" >"$WORK/view.log" 2>&1 &
    VIEW_PID=$!
  }
}

# A value of the outside view: state KEY.
state() { sed -n "s/^$1=//p" "$STATE" 2>/dev/null; }
state_is() { [ "$(state "$1")" = "$2" ]; }
window_of() { state "window.$1" | cut -d' ' -f1; }
expect_state() {
  wait_for "${3:-5}" state_is "$1" "$2" || fail "$1 is '$(state "$1")', expected '$2' ($4)"
}

# The window manager's view.
client_list() { xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*'; }
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'; }
hex() { printf '0x%x' "$1"; }
title_of() {
  xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}
wm_name_of() { xprop -id "$1" WM_NAME | sed -n 's/^WM_NAME([A-Z_]*) = "\(.*\)"$/\1/p'; }
transient_for() { xprop -id "$1" WM_TRANSIENT_FOR | grep -o '0x[0-9a-f]*'; }
skips_taskbar() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR; }
is_viewable() { [ -n "$1" ] && xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }

# The window manager's own view of a dialog's title bar. Openbox takes a button off a
# frame when it takes the action away (it sets _NET_WM_ALLOWED_ACTIONS from the same
# functions it draws the buttons from): no minimise and no maximise, and a close only
# where the dialog may be closed.
expect_title_buttons() {  # SCREEN close|no-close
  local actions
  actions=$(xprop -id "$(window_of "$1")" _NET_WM_ALLOWED_ACTIONS)
  case $actions in
    *_NET_WM_ACTION_MINIMIZE* | *_NET_WM_ACTION_MAXIMIZE*) fail "$1 offers minimise or maximise: $actions" ;;
  esac
  if [ "$2" = close ]; then
    case $actions in *_NET_WM_ACTION_CLOSE*) ;; *) fail "$1 cannot be closed: $actions" ;; esac
  fi
}

# Whether the window manager has given window $1 the keyboard.
wm_active_is() {
  [ "$(xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*')" = "$(hex "$1")" ]
}

# Windows the desktop would list in a taskbar or in Alt-Tab.
taskbar_entries() {
  local w
  for w in $(client_list); do
    [ -n "$(transient_for "$w")" ] && continue
    skips_taskbar "$w" && continue
    echo "$w"
  done
}

expect_one_taskbar_entry() {
  local entries
  entries=$(taskbar_entries)
  [ "$(echo "$entries" | grep -c .)" = 1 ] || fail "taskbar shows: $entries ($1)"
  [ "$(printf '%d' "$entries")" = "$(window_of title)" ] || fail "the taskbar entry is not the title ($1)"
}

# Whether window $1 is stacked above window $2.
above() {
  local order a b
  order=$(stacking)
  a=$(echo "$order" | grep -n "^$(hex "$1")\$" | cut -d: -f1)
  b=$(echo "$order" | grep -n "^$(hex "$2")\$" | cut -d: -f1)
  [ -n "$a" ] && [ -n "$b" ] && [ "$a" -gt "$b" ]
}

expect_above() {
  wait_for 3 above "$1" "$2" || fail "$3 is not above $4"
}

expect_title() {
  local caption
  caption=$(title_of "$(hex "$1")")
  [ "$caption" = "$2" ] || fail "_NET_WM_NAME is '$caption', expected '$2'"
  caption=$(wm_name_of "$(hex "$1")")
  [ "$caption" = "$2" ] || fail "WM_NAME is '$caption', expected '$2'"
}

# Input as a player gives it: keys to the focused window, clicks inside a window.
key() { xdotool key --clearmodifiers "$@"; sleep 0.15; }
# Alt-F4 on a screen's window. The key goes to the window the window manager has
# activated, which on a busy machine may lag behind the game's own focus: the window is
# activated first, and the key sent again if the screen is still up a while later.
close_with_alt_f4() {  # SCREEN WHAT
  local try
  for try in 1 2 3; do
    xdotool windowactivate --sync "$(window_of "$1")" >/dev/null 2>&1 || true
    key alt+F4
    wait_for 3 state_is "window.$1" "0 hidden" && return 0
  done
  fail "window.$1 is '$(state "window.$1")', expected '0 hidden' ($2)"
}
click_in() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}
