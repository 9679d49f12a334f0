#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the game against its budgets and prints each figure. Fails only when a
# figure is more than twice over its budget: machines are noisy.
#   bench/budgets.sh BUILD_DIR [--quick]     (BUILD_DIR configured with -DZNDL_BUILD_BENCH=ON)
#
# Start-up and memory are measured as a player meets them: the real program on a real
# X server (Xvfb) with a window manager (openbox), both started and stopped here. The
# yardstick is a separate bare window program; the two are started in turn, ten times
# each, and a watcher outside both tells when each window is mapped. The bare window
# with one caption (--caption) is started in the same turns: how far it lies from
# the bare window is what any Qt window that shows text pays here, and is printed for
# comparison only.
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
cd "$work"

for tool in Xvfb openbox; do
  command -v $tool >/dev/null 2>&1 || { echo "budgets: $tool is missing (scripts/install-packages test)" >&2; exit 2; }
done

# ---- The X server and the window manager ---------------------------------------------
# shellcheck source=tests/x_session.sh
. "$here/tests/x_session.sh"
cleanup() {
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

# The music plays into ALSA's null device, which takes the sound as fast as it comes:
# the whole title tune's instruments are loaded within the three seconds.
printf 'pcm.!default { type null }\n' >"$work/asound.conf"

status=0
judge() {  # name value budget unit
  over=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v > 2 * b) ? 1 : 0 }')
  verdict=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v <= b) ? "within budget" : "OVER budget" }')
  printf '%-34s %10s %-4s (budget %s) %s\n' "$1" "$2" "$4" "$3" "$verdict"
  [ "$over" = 0 ] || status=1
}

median() {  # file of microseconds -> milliseconds
  sort -n "$1" | awk '{ a[NR] = $1 } END { printf "%.1f", (NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2) / 1000 }'
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
    "$watcher" "$bare" 2>/dev/null >>"$work/bare.txt"
    "$watcher" "$game" 2>/dev/null >>"$work/game.txt"
    # For comparison only: it may not end the run.
    "$watcher" "$bare" --caption 2>/dev/null >>"$work/caption.txt" || true
  done
  bare_ms=$(median "$work/bare.txt")
  caption_ms=$(median "$work/caption.txt")
  game_ms=$(median "$work/game.txt")
  ratio=$(awk -v g="$game_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", g / b }')
  echo "start-up with $name: bare window ${bare_ms} ms, Zandoodle ${game_ms} ms (exec to mapped, median of 10, Xvfb + openbox)"
  echo "  for comparison: the bare window with one caption ${caption_ms} ms," \
    "$(awk -v c="$caption_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", c / b }') x the bare window"
  judge "start-up ratio ($name)" "$ratio" 1.3 x

  set -- $(ALSA_CONFIG_PATH="$work/asound.conf" ZNDL_AUDIO_DRIVER=alsa \
    "$watcher" --hold 3 "$game" 2>/dev/null)
  peak_mb=$(awk -v k="$2" 'BEGIN { printf "%.1f", k / 1024 }')
  echo "SoundFont: $sf ($(du -m "$sf" 2>/dev/null | cut -f1) MB on disk, samples loaded on demand)"
  judge "peak memory, title + music ($name)" "$peak_mb" "$(budget_for "$sf")" MB
done
unset ZNDL_SOUNDFONT

"$ticks" > "$work/ticks.txt"
judge "one quiz tick" "$(awk '/quiz_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "one introduction tick" "$(awk '/intro_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "question load, 100,000 questions" "$(awk '/load_question/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms

if [ "$quick" != --quick ]; then
  drift=$(QT_QPA_PLATFORM=offscreen "$probe" drift 2>/dev/null)
  judge "quiz timer drift over 60 ticks" "$(awk -v d="$drift" 'BEGIN { printf "%.1f", d < 0 ? -d : d }')" 50 ms
else
  echo "quiz timer drift over 60 ticks: skipped (--quick)"
fi
exit $status
