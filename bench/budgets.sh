#!/bin/sh
# Measures the game against its budgets and prints each figure. Fails only when a
# figure is more than twice over its budget: machines are noisy.
#   bench/budgets.sh BUILD_DIR [--quick]     (BUILD_DIR configured with -DZNDL_BUILD_BENCH=ON)
set -eu
build=$(cd "$1" && pwd)
quick=${2:-}
probe=$build/bench/startup_probe
ticks=$build/bench/tick_bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
here=$(cd "$(dirname "$0")/.." && pwd)
cp "$here"/assets/starter/* "$work"/
cp "$here"/assets/groups/*.set "$work"/
cd "$work"

status=0
judge() {  # name value budget unit
  over=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v > 2 * b) ? 1 : 0 }')
  verdict=$(awk -v v="$2" -v b="$3" 'BEGIN { print (v <= b) ? "within budget" : "OVER budget" }')
  printf '%-34s %10s %-4s (budget %s) %s\n' "$1" "$2" "$4" "$3" "$verdict"
  [ "$over" = 0 ] || status=1
}

# From starting the process to its window's first paint (the probe prints that moment).
median_ms() {  # command...
  for i in 1 2 3 4 5 6 7 8 9 10; do
    s=$(date +%s%N)
    shown=$("$@" 2>/dev/null | tail -n 1)
    echo $(( (shown - s) / 1000 ))
  done | sort -n | awk '{ a[NR] = $1 } END { printf "%.1f", (a[5] + a[6]) / 2000 }'
}

bare=$(median_ms "$probe" bare)
game=$(median_ms "$probe" game)
ratio=$(awk -v g="$game" -v b="$bare" 'BEGIN { printf "%.2f", g / b }')
echo "start-up: bare window ${bare} ms, Zandoodle ${game} ms (median of 10)"
judge "start-up ratio to a bare window" "$ratio" 1.5 x

set -- $("$probe" memory 2>/dev/null)
peak_mb=$(awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }')
sf=$(readlink -f /usr/share/sounds/sf2/default-GM.sf2 2>/dev/null || echo none)
echo "SoundFont: $sf ($(du -m "$sf" 2>/dev/null | cut -f1) MB on disk, samples loaded on demand)"
judge "peak memory, title with music" "$peak_mb" 80 MB

"$ticks" > "$work/ticks.txt"
judge "one quiz tick" "$(awk '/quiz_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "one introduction tick" "$(awk '/intro_tick_us/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms
judge "question load, 100,000 questions" "$(awk '/load_question/ { printf "%.4f", $2 / 1000 }' "$work/ticks.txt")" 1 ms

if [ "$quick" != --quick ]; then
  drift=$("$probe" drift 2>/dev/null)
  judge "quiz timer drift over 60 ticks" "$(awk -v d="$drift" 'BEGIN { printf "%.1f", d < 0 ? -d : d }')" 50 ms
else
  echo "quiz timer drift over 60 ticks: skipped (--quick)"
fi
exit $status
