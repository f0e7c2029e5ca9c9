#!/usr/bin/env bash
# The suite beside a peer patience program (GNOME's Aisleriot) on one private X server:
#  - idle CPU over 30 s, in % of one core: both programs on their first screens, Kestrin on a
#    table with a game running, and Aisleriot on its first game;
#  - start-up to the first frame, median of 5, with no audio output (as on this machine) and with
#    a working one (SDL's disk driver); Aisleriot's to its window being shown.
# Usage: bench/side_by_side.sh SUITE_FOLDER   (installs aisleriot when it is missing)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
"$here/../scripts/deps.sh" aisleriot >/dev/null
source "$here/../tests/e2e/lib.sh"
export PATH="$PATH:/usr/games" # where Debian puts Aisleriot's "sol"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
trap 'pkill -P $$ 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
start_x 800x600x24
cp -r "$suite" "$work/suite"
suite="$work/suite"
clk=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
idle_cpu() { # pid label: CPU over 30 s
  local before after
  before=$(cpu_ticks "$1")
  sleep 30
  after=$(cpu_ticks "$1")
  printf '%-34s idle %5.2f %% of one core\n' "$2" "$(awk -v a="$after" -v b="$before" -v c="$clk" \
    'BEGIN { print (a - b) * 100 / c / 30 }')"
}
# Starts a program of the suite: PID, and MS the milliseconds to its first presented frame.
start_timed() { # folder program [argument]
  local start
  rm -f "$work/first"
  start=$(date +%s%N)
  (cd "$1" && SUITE_FIRST_FRAME_FILE="$work/first" exec "./$2" ${3:-}) >/dev/null 2>&1 &
  PID=$!
  for _ in $(seq 1 200); do [ -s "$work/first" ] && break; sleep 0.01; done
  MS=$(( ($(cat "$work/first") - start) / 1000000 ))
}
median_start() { # label folder program [argument]
  local times=()
  for _ in 1 2 3 4 5; do
    start_timed "$2" "$3" "${4:-}"
    times+=("$MS")
    kill "$PID"; wait "$PID" 2>/dev/null || true
  done
  printf '%-34s start-up %4d ms median (runs: %s)\n' "$1" \
    "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)" "${times[*]}"
}

echo "load before: $(uptime)"
for audio in none disk; do
  if [ $audio = disk ]; then
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
    label="audio output"
  else
    unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
    label="no audio output"
  fi
  median_start "Lumora ($label)" "$suite" Lumora
  median_start "Kestrin ($label)" "$suite/Kestrin" Kestrin
done
unset SDL_AUDIODRIVER SDL_DISKAUDIOFILE
times=()
for _ in 1 2 3 4 5; do
  start=$(date +%s%N)
  sol >/dev/null 2>&1 &
  pid=$!
  timeout 60 xdotool search --sync --onlyvisible --class sol >/dev/null 2>&1
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
printf '%-34s start-up %4d ms median to its window (runs: %s)\n' "Aisleriot" \
  "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)" "${times[*]}"

start_timed "$suite" Lumora; sleep 2
idle_cpu "$PID" "Lumora, pages"; kill "$PID"; wait "$PID" 2>/dev/null || true
start_timed "$suite/Kestrin" Kestrin; sleep 2
idle_cpu "$PID" "Kestrin, before a game"
# A game running: "New", the deal, then the table with the clock going.
xdotool mousemove 40 490 click 1
sleep 12
idle_cpu "$PID" "Kestrin, idle table, clock running"; kill "$PID"; wait "$PID" 2>/dev/null || true
sol >/dev/null 2>&1 &
pid=$!
timeout 60 xdotool search --sync --onlyvisible --class sol >/dev/null 2>&1; sleep 2
idle_cpu "$pid" "Aisleriot, first game"; kill "$pid"; wait "$pid" 2>/dev/null || true
echo "load after: $(uptime)"
