#!/usr/bin/env bash
# Measures, under a private X server, for each program of the suite folder:
#  - start-up: from starting the program to its first presented frame (median of 5 runs);
#  - idle: the CPU a program uses while it sits on its first screen (10 s), in % of one core.
# The menu is measured twice: on its pages, and started as a game starts it ("Lumora Kestrin"),
# on Kestrin's title screen. The machine's load is printed with the numbers.
# Usage: bench/idle_and_startup.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
source "$here/../tests/e2e/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
start_x 800x600x24

measure() { # folder title program [argument]
  local folder=$1 title=$2 program=$3 argument=${4:-} times=() cpu=() pid start first i
  for i in 1 2 3 4 5; do
    rm -f "$work/first"
    start=$(date +%s%N)
    (cd "$folder" && SUITE_FIRST_FRAME_FILE="$work/first" exec "./$program" $argument) &
    pid=$!
    for _ in $(seq 1 100); do [ -s "$work/first" ] && break; sleep 0.05; done
    first=$(cat "$work/first")
    times+=($(( (first - start) / 1000000 )))
    # On a busy machine the wall time mostly measures waiting: the CPU the program itself used
    # until then (in clock ticks, read just after the frame) says what start-up costs.
    cpu+=($(awk -v c="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / c)}' "/proc/$pid/stat"))
    if [ "$i" -lt 5 ]; then kill "$pid"; wait "$pid" 2>/dev/null || true; fi
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "$title: start-up to first frame ${sorted[2]} ms (runs: ${times[*]}; CPU used by then: ${cpu[*]} ms)"
  sleep 2
  local clk before after
  clk=$(getconf CLK_TCK)
  before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep 10
  after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo "$title: idle on its first screen $(awk -v a="$after" -v b="$before" -v c="$clk" \
    'BEGIN { printf "%.1f", (a - b) * 100 / c / 10 }') % of one core"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
}

echo "load: $(uptime)"
measure "$suite" "Lumora, pages" Lumora
measure "$suite" "Lumora, Kestrin's title screen" Lumora Kestrin
measure "$suite/Kestrin" Kestrin Kestrin
echo "load: $(uptime)"
