#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game against its budgets and prints each figure. Fails only when a
# figure is more than twice over its budget: machines are noisy.
#   bench/budgets.sh BUILD_DIR [--quick]     (BUILD_DIR configured with -DZNDL_BUILD_BENCH=ON)
#
# Start-up and memory are measured as a player meets them: the real program on a real
# X server (Xvfb) with a window manager (openbox), both started and stopped here, and a
# PulseAudio server on a null sink with its socket where a desktop has it
# ($XDG_RUNTIME_DIR/pulse/native). The yardstick is a separate window program showing
# one caption (bare_window --caption): any Qt window that shows text pays for the
# platform's text stack, and the game should cost little beyond that. The game and the
# yardstick are started in turn, ten times each, and a watcher outside both tells when
# each window is mapped. The bare window with no caption runs in the same turns, and
# its figure is printed beside them for comparison.
#
# The music is measured on the same sound server: the game's share of one core on the
# title screen while the title tune plays, and for 20 s after a tune has ended (beside a
# bare window's over the same 20 s), and how soon a tune is heard at the sink's monitor
# once the music has gone to sleep (bench/wake_probe).
set -eu
# A desktop session has a D-Bus session bus, and Qt talks to it at start (the
# accessibility bridge among others): without one, every start would first spawn
# dbus-launch. The measurements run inside a private session bus of their own.
if [ -z "${ZNDL_BUDGETS_IN_SESSION:-}" ] && command -v dbus-run-session >/dev/null 2>&1; then
  export ZNDL_BUDGETS_IN_SESSION=1
  exec dbus-run-session -- sh "$(cd "$(dirname "$0")" && pwd)/$(basename "$0")" "$@"
fi

build=$(cd "$1" && pwd)
quick=${2:-}
game=$build/zandoodle
bare=$build/bench/bare_window
watcher=$build/bench/window_watch
probe=$build/bench/startup_probe
ticks=$build/bench/tick_bench
work=$(mktemp -d)
here=$(cd "$(dirname "$0")/.." && pwd)
cp "$here"/assets/starter/* "$work"/
cp "$here"/assets/groups/*.set "$work"/
# A play folder whose title tune is the five-second countdown tune, so the music's cost
# after a tune can be measured without waiting out the 52-second title tune.
mkdir "$work/short"
cp "$here"/assets/starter/* "$here"/assets/groups/*.set "$work/short"/
cp "$here/assets/music/5.MID" "$work/short/ZNDL.MID"
cd "$work"

for tool in Xvfb openbox pulseaudio parec; do
  command -v $tool >/dev/null 2>&1 || { echo "budgets: $tool is missing (scripts/install-packages test)" >&2; exit 2; }
done

# ---- The X server and the window manager ---------------------------------------------
# shellcheck source=tests/x_session.sh
. "$here/tests/x_session.sh"
cleanup() {
  [ -z "${SOUND_SERVER_PID:-}" ] || kill "$SOUND_SERVER_PID" 2>/dev/null || true
  [ -z "${X_WM_PID:-}" ] || kill "$X_WM_PID" 2>/dev/null || true
  [ -z "${X_SERVER_PID:-}" ] || kill "$X_SERVER_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# A clean session: no desktop's Qt theme or scaling is guessed at, and openbox reads
# its own default settings.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
x_session_start "$work/x" 1280x1024 --sm-disable || { echo "budgets: no X server with a window manager" >&2; exit 2; }

# ---- The sound server ----------------------------------------------------------------
# A private PulseAudio on a null sink: no sound card, and the socket where libpulse
# looks for a desktop's ($XDG_RUNTIME_DIR/pulse/native). Its own cost is not the game's.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER PULSE_RUNTIME_PATH ZNDL_AUDIO_DRIVER
HOME="$work" pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --log-target=file:"$work/pulse.log" \
  -L "module-null-sink sink_name=zndl_budget" \
  -L "module-native-protocol-unix auth-anonymous=1" >/dev/null 2>&1 &
SOUND_SERVER_PID=$!
tries=100
until [ -S "$XDG_RUNTIME_DIR/pulse/native" ]; do
  tries=$((tries - 1))
  [ $tries -gt 0 ] && kill -0 "$SOUND_SERVER_PID" 2>/dev/null ||
    { echo "budgets: the PulseAudio server did not start: $(cat "$work/pulse.log" 2>/dev/null)" >&2; exit 2; }
  sleep 0.1
done

# For the memory figure the music plays into ALSA's null device instead, which takes
# the sound as fast as it comes: the whole title tune's instruments are loaded within
# the three seconds.
printf 'pcm.!default { type null }\n' >"$work/asound.conf"

status=0
judge() {  # name value budget unit
  over=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v > 2 * b) ? 1 : 0 }')
  verdict=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v <= b) ? "within budget" : "OVER budget" }')
  printf '%-44s %10s %-4s (budget %s) %s\n' "$1" "$2" "$4" "$3" "$verdict"
  [ "$over" = 0 ] || status=1
}

median() {  # file of microseconds -> milliseconds
  sort -n "$1" | awk '{ a[NR] = $1 } END { printf "%.1f", (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) / 1000 }'
}

# ---- The music's cost ----------------------------------------------------------------
ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() {  # PID -> user and system clock ticks of the whole process so far
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}
share() {  # ticks before, ticks after, seconds -> percent of one core
  awk -v a="$1" -v b="$2" -v s="$3" -v hz="$ticks_per_second" 'BEGIN { printf "%.2f", (b - a) / hz / s * 100 }'
}
wait_for_line() {  # file pattern seconds
  tries=$(($3 * 20))
  until grep -q "$2" "$1" 2>/dev/null; do
    tries=$((tries - 1))
    [ $tries -gt 0 ] || return 1
    sleep 0.05
  done
}
# Starts the game in folder $1 with its music traced to $1/music.txt; sets GAME_PID.
start_game() {
  (cd "$1" && ZNDL_MUSIC_TRACE=1 exec "$game" 2>"$1/music.txt") &
  GAME_PID=$!
}
stop_game() {
  kill "$GAME_PID" 2>/dev/null || true
  wait "$GAME_PID" 2>/dev/null || true
}

# The SoundFonts to measure: each installed General MIDI one, chosen through
# $ZNDL_SOUNDFONT, or whatever default-GM.sf2 leads to when neither is there.
fonts=""
for f in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2; do
  [ -f "$f" ] && fonts="$fonts $f"
done
[ -n "$fonts" ] || fonts=$(readlink -f /usr/share/sounds/sf2/default-GM.sf2 2>/dev/null || echo none)

budget_for() {  # SoundFont -> peak memory budget in MB
  case $(basename "$1") in
    FluidR3_GM.sf2) echo 80 ;;
    *) echo 60 ;;
  esac
}

for sf in $fonts; do
  name=$(basename "$sf" .sf2)
  export ZNDL_SOUNDFONT="$sf"
  # One start of each first, so all find the same warm disk cache.
  "$watcher" "$bare" >/dev/null 2>&1 || true
  "$watcher" "$game" >/dev/null 2>&1 || true
  "$watcher" "$bare" --caption >/dev/null 2>&1 || true
  : >"$work/bare.txt"
  : >"$work/caption.txt"
  : >"$work/game.txt"
  for i in 1 2 3 4 5 6 7 8 9 10; do
    "$watcher" "$bare" --caption 2>/dev/null >>"$work/caption.txt"
    "$watcher" "$game" 2>/dev/null >>"$work/game.txt"
    # For comparison only: it may not end the run.
    "$watcher" "$bare" 2>/dev/null >>"$work/bare.txt" || true
  done
  bare_ms=$(median "$work/bare.txt")
  caption_ms=$(median "$work/caption.txt")
  game_ms=$(median "$work/game.txt")
  ratio=$(awk -v g="$game_ms" -v c="$caption_ms" 'BEGIN { printf "%.2f", g / c }')
  echo "start-up with $name: one-caption window ${caption_ms} ms, Zandoodle ${game_ms} ms (exec to mapped, median of 10, Xvfb + openbox)"
  echo "  for comparison: the bare window ${bare_ms} ms; Zandoodle" \
    "$(awk -v g="$game_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", g / b }') x and the one-caption window" \
    "$(awk -v c="$caption_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", c / b }') x the bare window"
  judge "start-up ratio to one caption ($name)" "$ratio" 1.1 x

  set -- $(ALSA_CONFIG_PATH="$work/asound.conf" ZNDL_AUDIO_DRIVER=alsa \
    "$watcher" --hold 3 "$game" 2>/dev/null)
  peak_mb=$(awk -v k="$2" 'BEGIN { printf "%.1f", k / 1024 }')
  echo "SoundFont: $sf ($(du -m "$sf" 2>/dev/null | cut -f1) MB on disk, samples loaded on demand)"
  judge "peak memory, title + music ($name)" "$peak_mb" "$(budget_for "$sf")" MB

  # The title tune playing: ten seconds from two seconds after its first note.
  start_game "$work"
  wait_for_line "$work/music.txt" "music play" 20 && wait_for_line "$work/music.txt" "plays through PulseAudio" 20 ||
    { echo "budgets: the title tune did not play through PulseAudio: $(cat "$work/music.txt")" >&2; stop_game; exit 2; }
  sleep 2
  before=$(cpu_ticks "$GAME_PID")
  sleep 10
  playing=$(share "$before" "$(cpu_ticks "$GAME_PID")" 10)
  stop_game
  judge "CPU, title tune playing ($name)" "$playing" 5 %

  # After a tune has ended: the play folder's own title tune, the five-second countdown
  # tune, ends early; twenty seconds from its last note on. A bare window is measured
  # over the same twenty seconds.
  start_game "$work/short"
  wait_for_line "$work/short/music.txt" "music ended" 30 ||
    { echo "budgets: the short title tune did not end: $(cat "$work/short/music.txt")" >&2; stop_game; exit 2; }
  "$bare" >/dev/null 2>&1 &
  bare_pid=$!
  sleep 1  # the bare window's own start
  before=$(cpu_ticks "$GAME_PID")
  bare_before=$(cpu_ticks "$bare_pid")
  sleep 20
  silent=$(share "$before" "$(cpu_ticks "$GAME_PID")" 20)
  bare_silent=$(share "$bare_before" "$(cpu_ticks "$bare_pid")" 20)
  kill "$bare_pid" 2>/dev/null || true
  wait "$bare_pid" 2>/dev/null || true
  stop_game
  judge "CPU, 20 s after the tune ($name)" "$silent" 0.5 %
  echo "  for comparison: a bare Qt window ${bare_silent} % over the same 20 s"

  # Woken: the first countdown tune started ten times after the music went to sleep.
  "$build/bench/wake_probe" zndl_budget.monitor 10 >"$work/wake.txt" 2>&1 ||
    { echo "budgets: the wake-up probe failed: $(cat "$work/wake.txt")" >&2; exit 2; }
  judge "music wake-up, play to sink ($name)" "$(awk '/^median/ { print $2 }' "$work/wake.txt")" 50 ms
  echo "  each: $(grep -v -e '^median' -e '^zandoodle' "$work/wake.txt" | tr '\n' ' ')ms (first non-silent sample at the monitor)"
done
unset ZNDL_SOUNDFONT

"$ticks" > "$work/ticks.txt"
judge "one quiz tick" "$(awk '/quiz_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "one introduction tick" "$(awk '/intro_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "question load, 100,000 questions" "$(awk '/load_question/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms

# The phones, on loopback: from a tap on a phone's A to the game holding the answer, and
# from a result on the PC to the result on the phone, over 50 questions.
if "$build/bench/phone_latency" >"$work/phones.txt" 2>"$work/phones.err"; then
  judge "phone tap to answer held, median of 50" "$(awk '/^tap/ { print $2 }' "$work/phones.txt")" 20 ms
  judge "phone tap to answer held, worst of 50" "$(awk '/^tap/ { print $3 }' "$work/phones.txt")" 20 ms
  judge "result to the phone, median of 50" "$(awk '/^result/ { print $2 }' "$work/phones.txt")" 20 ms
  judge "result to the phone, worst of 50" "$(awk '/^result/ { print $3 }' "$work/phones.txt")" 20 ms
else
  echo "the phones' latency probe failed: $(tail -n 3 "$work/phones.err")"
  status=1
fi

if [ "$quick" != --quick ]; then
  drift=$(QT_QPA_PLATFORM=offscreen "$probe" drift 2>/dev/null)
  judge "quiz timer drift over 60 ticks" "$(awk -v d="$drift" 'BEGIN { printf "%.1f", d < 0 ? -d : d }')" 50 ms
else
  echo "quiz timer drift over 60 ticks: skipped (--quick)"
fi
exit $status
