#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# With the phones off, the game opens no network socket at all; with --phones it
# listens, on IPv4, and only then.
#   no_socket_test.sh SOURCE_DIR GAME_BINARY
set -u
SOURCE=$1
GAME=$2
WORK=$(mktemp -d /tmp/zndl-sockets-XXXXXX)
trap 'kill "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/play" "$WORK/config" "$WORK/run" && chmod 700 "$WORK/run"
cp "$SOURCE/assets/starter/"* "$WORK/play/"
export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0 ZNDL_SOUNDFONT=/nonexistent

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The network sockets (TCP and UDP, IPv4 and IPv6) a process holds, one line each.
inet_sockets() {
  local pid=$1 inodes
  inodes=$(find "/proc/$pid/fd" -lname 'socket:*' -printf '%l\n' 2>/dev/null |
    sed 's/socket:\[\(.*\)\]/\1/')
  [ -n "$inodes" ] || return 0
  for table in tcp tcp6 udp udp6 raw raw6; do
    awk -v list=" $(echo $inodes) " 'NR > 1 && index(list, " " $10 " ") { print FILENAME ": " $0 }' \
      "/proc/$pid/net/$table"
  done
}

run() {  # OPTIONS...
  (cd "$WORK/play" && exec "$GAME" "$@" >"$WORK/out" 2>"$WORK/err") &
  PID=$!
  # Up and idle on its title: every window built, the music's loader done.
  sleep 4
  kill -0 "$PID" 2>/dev/null || fail "the game ended: $(cat "$WORK/err")"
}

run
found=$(inet_sockets "$PID")
[ -z "$found" ] || fail "with the phones off the game holds network sockets: $found"
kill "$PID"; wait "$PID" 2>/dev/null
echo "ok: with the phones off, no network socket"

run --phones
found=$(inet_sockets "$PID")
echo "$found" | grep -q ' 0A ' || fail "with --phones the game does not listen: $found"
grep -q '^Phones: join at http://' "$WORK/out" || fail "no join line: $(cat "$WORK/out")"
kill "$PID"; wait "$PID" 2>/dev/null
echo "ok: with --phones it listens, and says where"
