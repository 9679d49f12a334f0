# SPDX-License-Identifier: GPL-3.0-or-later
# A private X session for the tests and the measurements that need a real desktop:
# Xvfb with openbox on a display of their own, and a wait for a program's window.
# Plain POSIX sh, sourced by the sh and the bash scripts alike:
#   . "$SOURCE_DIR/tests/x_session.sh"
#   x_session_start DIR WIDTHxHEIGHT [OPENBOX_OPTION...] || exit
# Every function says on stderr what went wrong and returns non-zero; the caller
# decides how to fail. What a function started and could not bring up it ends itself;
# what came up is the caller's to end (X_SERVER_PID, X_WM_PID).
# The variables it sets (X_SERVER_PID, X_WM_PID, X_WINDOW) are read by the callers.
# shellcheck shell=sh disable=SC2034

# Polls COMMAND every tenth of a second, at most TENTHS times, while process PID lives.
# Returns 0 once COMMAND succeeds, 1 on time out, 2 when PID has ended.
_x_session_poll() {  # TENTHS PID COMMAND...
  _x_session_tries=$1
  _x_session_pid=$2
  shift 2
  until "$@" >/dev/null 2>&1; do
    kill -0 "$_x_session_pid" 2>/dev/null || return 2
    [ "$_x_session_tries" -gt 0 ] || return 1
    _x_session_tries=$((_x_session_tries - 1))
    sleep 0.1
  done
}

# Ends a process this file started and could not bring up.
_x_session_end() {  # PID
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  return 0
}

# Starts Xvfb with a WIDTHxHEIGHT screen; its files (display, xvfb.log) go to DIR.
# Sets X_SERVER_PID and exports DISPLAY once the server answers.
# Xvfb picks the display number itself (-displayfd), so runs side by side never race
# for one and never talk to each other's server. -noreset: by default the server starts
# afresh each time its last client leaves, and a client that connects meanwhile
# (openbox, just after the probe that saw the server up) is turned away.
x_server_start() {  # DIR WIDTHxHEIGHT
  X_SERVER_PID=
  mkdir -p "$1" || return 1
  rm -f "$1/display"
  Xvfb -displayfd 3 -screen 0 "${2}x24" -nolisten tcp -noreset \
    3>"$1/display" >"$1/xvfb.log" 2>&1 &
  _x_session_server=$!
  _x_session_poll 200 "$_x_session_server" test -s "$1/display"
  case $? in
    0) ;;
    2) echo "x_session: Xvfb ended at start: $(cat "$1/xvfb.log")" >&2; return 1 ;;
    *) echo "x_session: Xvfb gave no display number in 20 s: $(cat "$1/xvfb.log")" >&2
       _x_session_end "$_x_session_server"; return 1 ;;
  esac
  DISPLAY=:$(head -n1 "$1/display")
  export DISPLAY
  if ! _x_session_poll 100 "$_x_session_server" xprop -root; then
    echo "x_session: Xvfb did not answer on $DISPLAY: $(cat "$1/xvfb.log")" >&2
    _x_session_end "$_x_session_server"
    return 1
  fi
  X_SERVER_PID=$_x_session_server
}

_x_session_wm_checks_in() {
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

# Starts openbox with the options given on $DISPLAY, its log in DIR/openbox.log, and
# waits until it has taken over: the root window then names its check window. Sets
# X_WM_PID.
x_wm_start() {  # DIR [OPENBOX_OPTION...]
  X_WM_PID=
  _x_session_dir=$1
  shift
  openbox "$@" >"$_x_session_dir/openbox.log" 2>&1 &
  _x_session_wm=$!
  _x_session_poll 300 "$_x_session_wm" _x_session_wm_checks_in
  case $? in
    0) ;;
    2) echo "x_session: openbox ended at start: $(cat "$_x_session_dir/openbox.log")" >&2
       return 1 ;;
    *) echo "x_session: openbox did not take over $DISPLAY in 30 s: $(cat "$_x_session_dir/openbox.log")" >&2
       _x_session_end "$_x_session_wm"; return 1 ;;
  esac
  X_WM_PID=$_x_session_wm
}

# Both: the server, then the window manager on it.
x_session_start() {  # DIR WIDTHxHEIGHT [OPENBOX_OPTION...]
  X_WM_PID=
  x_server_start "$1" "$2" || return 1
  _x_session_dir=$1
  shift 2
  if ! x_wm_start "$_x_session_dir" "$@"; then
    _x_session_end "$X_SERVER_PID"
    X_SERVER_PID=
    return 1
  fi
}

# Waits at most SECONDS for a visible window of process PID, titled to match the
# regular expression TITLE if one is given, and sets X_WINDOW to the first. Call it
# in the shell that started PID, not in $(...): a subshell cannot tell that its
# parent's child has ended, as the parent only reaps it once the subshell is done.
x_wait_for_window() {  # PID SECONDS [TITLE]
  if [ $# -ge 3 ]; then
    set -- "$1" "$2" --all --onlyvisible --pid "$1" --name "$3"
  else
    set -- "$1" "$2" --onlyvisible --pid "$1"
  fi
  X_WINDOW=
  _x_session_pid=$1
  _x_session_seconds=$2
  _x_session_tries=$(($2 * 10))
  shift 2
  while :; do
    kill -0 "$_x_session_pid" 2>/dev/null ||
      { echo "x_session: process $_x_session_pid ended before its window came up" >&2; return 1; }
    X_WINDOW=$(xdotool search "$@" 2>/dev/null | head -n1)
    [ -z "$X_WINDOW" ] || return 0
    [ "$_x_session_tries" -gt 0 ] ||
      { echo "x_session: no window of process $_x_session_pid came up in $_x_session_seconds s" >&2; return 1; }
    _x_session_tries=$((_x_session_tries - 1))
    sleep 0.1
  done
}
