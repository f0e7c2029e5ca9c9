#!/usr/bin/env bash
# Measures, under a private X server, for each program of the suite folder:
#  - start-up: from starting the program to its first presented frame (median of 5 runs);
#  - idle: the CPU a program uses while it sits on its first screen (10 s), in % of one core.
# Usage: bench/idle_and_startup.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
source "$here/../tests/e2e/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
start_x 800x600x24

measure() { # folder program title
  local folder=$1 program=$2 title=$3 times=() pid start first i
  for i in 1 2 3 4 5; do
    rm -f "$work/first"
    start=$(date +%s%N)
    (cd "$folder" && SUITE_FIRST_FRAME_FILE="$work/first" exec "./$program") &
    pid=$!
    for _ in $(seq 1 100); do [ -s "$work/first" ] && break; sleep 0.05; done
    first=$(cat "$work/first")
    times+=($(( (first - start) / 1000000 )))
    if [ "$i" -lt 5 ]; then kill "$pid"; wait "$pid" 2>/dev/null || true; fi
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "$title: start-up to first frame ${sorted[2]} ms (runs: ${times[*]})"
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

measure "$suite" Lumora "Vantelo Lumora"
measure "$suite/Kestrin" Kestrin Kestrin
