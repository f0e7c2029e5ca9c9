#!/usr/bin/env bash
# Kestrin under a private X server, on a copy of the suite folder: the CPU it uses while a game
# sits idle on the table (10 s) and during the deal animation, in % of one core, and its resident
# private memory (heap and anonymous mappings) once the table is dealt. The load of the machine
# is printed with the numbers: other work slows the deal and shares the core.
# Usage: bench/kestrin_cpu.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
source "$here/../tests/e2e/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1 SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
cp -r "$suite" "$work/suite"
start_x 800x600x24

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
percent() { # ticks before, after, seconds
  awk -v a="$2" -v b="$1" -v s="$3" -v c="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", (a - b) * 100 / c / s }'
}

(cd "$work/suite/Kestrin" && exec ./Kestrin) >/dev/null 2>&1 &
pid=$!
id=$(wait_window "Kestrin - .*")
xdotool mousemove --window "$id" 400 300
sleep 1
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
xdotool mousemove 45 492 mousedown 1
sleep 0.1
xdotool mouseup 1
before=$(ticks $pid)
start=$(date +%s.%N)
sleep 3 # well inside the deal (52 cards, 75 ms each at the least)
after=$(ticks $pid)
seconds=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { print e - s }')
echo "during the deal: $(percent "$before" "$after" "$seconds") % of one core"
sleep 5 # the deal is over: the game runs, nobody clicks
xdotool mousemove 400 590
before=$(ticks $pid)
sleep 10
echo "a game running idle on the table: $(percent "$before" "$(ticks $pid)" 10) % of one core"
awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6 }
     /^Private_(Clean|Dirty):/ && (name == "" || name == "[heap]") { kb += $2 }
     END { printf "resident private memory (heap and anonymous): %.1f MiB\n", kb / 1024 }' \
  "/proc/$pid/smaps"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
kill $pid
wait $pid 2>/dev/null || true
