#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# orca_harness.sh OUTFILE -- COMMAND ARGS...
#
# Runs COMMAND beside the Orca screen reader on a private headless X display
# and writes what Orca spoke (one utterance per line, in order) to OUTFILE.
# COMMAND sees DISPLAY, the session bus and the accessibility bus of the run.
#
# Starts and stops: Xvfb, a private D-Bus session bus, the AT-SPI bus
# (at-spi-bus-launcher, which activates at-spi2-registryd), openbox and orca.
# No sound card and no speech-dispatcher are needed: Orca writes every
# utterance to its debug file ("SPEECH OUTPUT: '...'") whether or not a
# speech server is reachable.
#
# Environment knobs:
#   ORCA_HARNESS_TIMEOUT  seconds COMMAND may run (default 40)
#   ORCA_HARNESS_SETTLE   max seconds to let Orca finish after COMMAND exits (default 3)
#   ORCA_HARNESS_KEEP     directory to copy all logs into (orca.debug etc.)
#   ORCA_HARNESS_VERBOSE  set to log the time each stage is reached
#   ORCA_HARNESS_PLAIN    set to run plain `orca --debug-file` (no launcher)
#
# COMMAND finds Orca's live debug file in ORCA_HARNESS_DEBUG (line-buffered unless
# the launcher had to fall back to plain orca).
#
# Exit status: that of COMMAND (124 if it timed out), or 2..9 on harness errors
# (4: the X server or the window manager did not come up).
set -u

# Become a "child subreaper" so that daemons our children fork (the a11y
# dbus-daemon, at-spi2-registryd, ...) are re-parented to this shell and
# reaped here, instead of being left to PID 1 (which may never reap them in
# a container).  The flag survives execve.
if [[ -z ${ORCA_HARNESS_SUBREAPER:-} ]]; then
    export ORCA_HARNESS_SUBREAPER=1
    exec /usr/bin/python3 -c 'import ctypes, os, sys
ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
os.execvp("bash", ["bash"] + sys.argv[1:])' "$0" "$@"
fi
unset ORCA_HARNESS_SUBREAPER

usage() { echo "usage: $0 OUTFILE -- COMMAND [ARGS...]" >&2; exit 2; }
[[ $# -ge 3 && $2 == -- ]] || usage
OUT=$1
shift 2

TIMEOUT=${ORCA_HARNESS_TIMEOUT:-40}
SETTLE=${ORCA_HARNESS_SETTLE:-3}
KEEP=${ORCA_HARNESS_KEEP:-}

WORK=$(mktemp -d /tmp/orca-harness.XXXXXX) || exit 3
# Every process we start (and everything they spawn or D-Bus-activate)
# inherits this marker, so cleanup can find exactly our processes.
export ORCA_HARNESS_TAG="zndl-orca-$$-$RANDOM$RANDOM"

PIDS=()
log() { echo "orca-harness: $*" >&2; }
T0=$(date +%s.%N)
vlog() { [[ -n ${ORCA_HARNESS_VERBOSE:-} ]] && log "$(awk "BEGIN{printf \"%6.2f\", $(date +%s.%N)-$T0}")s $*"; return 0; }

our_pids() {
    # Processes whose environment carries our marker (not ourselves).
    local f pid
    for f in /proc/[0-9]*/environ; do
        pid=${f#/proc/}; pid=${pid%/environ}
        [[ $pid == "$$" || $pid == "$BASHPID" ]] && continue
        if grep -qzx "ORCA_HARNESS_TAG=$ORCA_HARNESS_TAG" "$f" 2>/dev/null; then
            echo "$pid"
        fi
    done
}

stop_pid() { # pid, seconds to wait after SIGTERM
    local pid=$1 n=$(( ${2:-3} * 10 ))
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    while (( n-- > 0 )) && kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
    kill -KILL "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local rc=$? i pid
    trap - EXIT INT TERM HUP
    for (( i=${#PIDS[@]}-1; i>=0; i-- )); do stop_pid "${PIDS[i]}" 2; done
    # Anything our children spawned or D-Bus activated (a11y dbus-daemon,
    # at-spi2-registryd, ...).
    for pid in $(our_pids); do kill -TERM "$pid" 2>/dev/null; done
    sleep 0.2
    for pid in $(our_pids); do kill -KILL "$pid" 2>/dev/null; done
    wait 2>/dev/null
    if [[ -n $KEEP ]]; then mkdir -p "$KEEP" && cp -r "$WORK"/. "$KEEP"/ 2>/dev/null; fi
    rm -rf "$WORK"
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

wait_for() { # tenths-of-seconds, command...
    local n=$1; shift
    until "$@"; do (( n-- > 0 )) || return 1; sleep 0.1; done
}

# --- private, writable per-run environment (root-safe) -----------------------
export HOME=$WORK/home
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/home/.config
export XDG_DATA_HOME=$WORK/home/.local/share XDG_CACHE_HOME=$WORK/home/.cache
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export GSETTINGS_BACKEND=memory      # no dconf daemon, nothing persisted
export NO_AT_BRIDGE=0 GTK_A11Y=atspi
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
# Speech-dispatcher cannot open an audio device here; make sure no client
# tries to autospawn one (Orca still logs every utterance).
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
echo 'DisableAutoSpawn' > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"

# --- X server -----------------------------------------------------------------
# The server now; its window manager once the accessibility bus is up (below).
# shellcheck source=tests/x_session.sh
. "$(dirname "$0")/../x_session.sh"
x_server_start "$WORK" 1280x1024 || { log "Xvfb did not start"; exit 4; }
PIDS+=("$X_SERVER_PID")
vlog "Xvfb up on $DISPLAY"

# --- session bus ----------------------------------------------------------------
dbus-daemon --session --nofork --nopidfile --print-address=6 \
    6>"$WORK/bus" >"$WORK/dbus.log" 2>&1 &
PIDS+=($!)
wait_for 100 test -s "$WORK/bus" || { log "dbus-daemon did not start"; exit 5; }
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus")
vlog "session bus up"

# --- accessibility bus + registry -----------------------------------------------
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
PIDS+=($!)
a11y_address() {
    dbus-send --session --print-reply=literal --reply-timeout=500 --dest=org.a11y.Bus \
        /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | tr -d ' \n'
}
wait_for 100 test -n "$(a11y_address)" || { log "AT-SPI bus did not start"; exit 6; }
A11Y=$(a11y_address)
registry_events() { # prints the number of registered event listeners; fails if no answer
    local r
    r=$(dbus-send --bus="$A11Y" --print-reply --reply-timeout=500 \
        --dest=org.a11y.atspi.Registry /org/a11y/atspi/registry \
        org.a11y.atspi.Registry.GetRegisteredEvents 2>/dev/null) || return 1
    grep -c 'string "' <<<"$r"
    return 0
}
wait_for 100 registry_events >/dev/null || { log "at-spi2-registryd did not answer"; exit 6; }
vlog "AT-SPI bus and registry up"

# --- window manager -------------------------------------------------------------
x_wm_start "$WORK" --sm-disable || { log "openbox did not start"; exit 4; }
PIDS+=("$X_WM_PID")
vlog "openbox up"

# --- screen reader ---------------------------------------------------------------
# Orca is started through a small launcher instead of plain `orca --debug-file`:
#  * its debug file is opened line-buffered, so we can watch it live (plain
#    --debug-file is block-buffered: nothing is visible until 8 KiB pile up or
#    Orca exits cleanly, and a SIGKILL loses the tail);
#  * Orca's "another Orca is running" check (`pgrep -u $UID -x orca`, machine
#    wide) is disabled, so runs can go in parallel and never clash with an
#    unrelated Orca. We never use --replace: it SIGKILLs every Orca of this
#    user on the machine.
cat > "$WORK/orca-launch.py" <<'PY'
import os, runpy, sys
debug_path, args = sys.argv[1], sys.argv[2:]
try:
    if os.environ.get("ORCA_HARNESS_PLAIN"):
        raise RuntimeError("ORCA_HARNESS_PLAIN is set")
    g = runpy.run_path("/usr/bin/orca", run_name="orca_harness_launcher")
    from orca import debug
    g["otherOrcas"]; g["main"]; debug.debugFile; debug.LEVEL_ALL
except Exception as e:  # unknown Orca layout: plain, block-buffered debug file
    print("orca-launch: fallback to plain orca:", repr(e), file=sys.stderr)
    os.execvp("orca", ["orca", "--debug-file", debug_path] + args)
g["main"].__globals__["otherOrcas"] = lambda: []  # run_path returns a copy of the globals
debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(debug_path, "w", buffering=1)
sys.argv = ["orca"] + args
sys.exit(g["main"]())
PY
DEBUG=$WORK/orca.debug
/usr/bin/python3 "$WORK/orca-launch.py" "$DEBUG" -d braille \
    -u "$WORK/orca-prefs" >"$WORK/orca.log" 2>&1 &
ORCA=$!
PIDS+=($ORCA)
# Ready when Orca has spoken its start-up message (after registering its
# event listeners).
# If the launcher had to fall back to plain `orca --debug-file` (another Orca
# version), the file is block-buffered: use the registry instead and keep
# everything, dropping Orca's own on/off messages.
FALLBACK=
orca_ready() {
    kill -0 "$ORCA" 2>/dev/null || { log "Orca exited early:"; tail -n 5 "$WORK/orca.log" >&2; exit 7; }
    if grep -q "orca-launch: fallback" "$WORK/orca.log" 2>/dev/null; then
        FALLBACK=1
        (( $(registry_events || echo 0) >= 10 )) && sleep 2 && return 0
        return 1
    fi
    grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$DEBUG" 2>/dev/null
}
wait_for 300 orca_ready || { log "Orca did not start (see $WORK/orca.log)"; exit 7; }
size() { stat -c %s "$DEBUG" 2>/dev/null || echo 0; }
vlog "Orca ready"

# --- the program under test -------------------------------------------------------
FROM=$(size)
# The command may follow what is said as it is said (one line at a time).
export ORCA_HARNESS_DEBUG=$DEBUG
timeout -k 3 "$TIMEOUT" "$@" &
APP=$!
PIDS+=($APP)
wait "$APP"
APP_RC=$?
(( APP_RC == 124 )) && log "command timed out after ${TIMEOUT}s"
vlog "command exited ($APP_RC)"

# Let Orca finish the last events: wait until its log has been quiet for
# 0.5 s (at most ORCA_HARNESS_SETTLE s).
prev=-1; quiet=0; n=$(awk "BEGIN{print int($SETTLE*10)}")
while (( n-- > 0 && quiet < 5 )); do
    cur=$(size); if (( cur == prev )); then quiet=$((quiet+1)); else quiet=0; fi
    prev=$cur; sleep 0.1
done
TO=$(size)
if [[ -n $FALLBACK ]]; then
    stop_pid "$ORCA" 8   # must exit cleanly to flush its debug file
    FROM=0; TO=$(size)
else
    vlog "Orca quiet"
    stop_pid "$ORCA" 1   # Orca 43 often hangs in its SIGTERM shutdown; nothing is lost
fi

# "HH:MM:SS.ffffff - SPEECH OUTPUT: 'text'[ voice=x]{acss}" -> text
# Only what was spoken while COMMAND ran (not Orca's own on/off messages).
tail -c +"$((FROM + 1))" "$DEBUG" 2>/dev/null | head -c "$((TO - FROM))" |
    sed -n "/^[0-9:.]\{8,\} - SPEECH OUTPUT: '/{s/^[^']* - SPEECH OUTPUT: '//;s/'\( voice=[A-Za-z_-]*\)\?\( *{.*}\)\?\$//;p}" |
    { if [[ -n $FALLBACK ]]; then grep -vx 'Screen reader o[nf]f*\.' || true; else cat; fi; } \
    > "$OUT" || { log "cannot write $OUT"; exit 8; }
vlog "done"
exit "$APP_RC"
