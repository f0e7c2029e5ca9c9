#!/usr/bin/env bash
# Kestrin under a private X server, on a copy of the suite folder: with a fixed seed, "New"
# deals, a click on a free Ace lays it on the first foundation and the score changes; with
# "gametime" 3 the clock runs out and shows "gameover1.bmp"; "Exit" ends with code 0 each time.
# Usage: kestrin_game_e2e.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
deal="$(dirname "$suite")/tests/e2e/kestrin_deal"
source "$here/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1 SDL_AUDIODRIVER=dummy
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
cp -r "$suite" "$work/suite"
game="$work/suite/Kestrin"
rm -f "$game/hiscore.dat"
start_x 800x600x24

fail() {
  echo "FAIL: $*" >&2
  cat "$work/out.txt" >&2 || true
  exit 1
}
click() { # a click as long as a person's
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
}
differs() { # FILE1 FILE2 X Y W H: how many pixels of the area differ
  convert "$1" -crop "${5}x${6}+${3}+${4}" +repage "$work/a.png"
  convert "$2" -crop "${5}x${6}+${3}+${4}" +repage "$work/b.png"
  compare -metric AE -fuzz 8% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
start_game() { # seed
  (cd "$game" && KESTRIN_SEED=$1 exec ./Kestrin) >"$work/out.txt" 2>&1 &
  PROGRAM_PID=$!
  id=$(wait_window "Kestrin - .*") || fail "no window"
  # The pointer comes into the window first: without a window manager, that gives it the focus.
  xdotool mousemove --window "$id" 400 300
  sleep 0.5
  click 45 492 # New
}
wait_dealt() { # the last card of the deal lies in free cell 5
  for _ in $(seq 1 100); do
    shot "$work/dealt.png"
    [ "$(pixels_like "$work/dealt.png" 495 500 30 20 16 76 49)" -lt 50 ] && return 0
    sleep 0.2
  done
  fail "the deal did not end"
}
exit_game() { # a panel still up takes the first click; the next one reaches the button
  for _ in 1 2 3; do
    click 757 542
    for _ in $(seq 1 30); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
  done
  wait "$PROGRAM_PID" || fail "Exit: exit code $?"
}

seed=1
until place=$("$deal" $seed); do seed=$((seed + 1)); done
read -r x y <<<"$place"
start_game $seed
wait_dealt
click "$x" "$y"
for _ in $(seq 1 50); do # the flight, then the points: on a busy machine it takes a while
  sleep 0.2
  shot "$work/played.png"
  [ "$(differs "$work/dealt.png" "$work/played.png" 100 58 92 26)" -gt 20 ] && break
done
[ "$(differs "$work/dealt.png" "$work/played.png" $((x - 30)) $((y - 40)) 60 80)" -gt 1000 ] ||
  fail "the Ace did not leave its place"
[ "$(differs "$work/dealt.png" "$work/played.png" 245 31 60 80)" -gt 1000 ] ||
  fail "no card on the first foundation"
[ "$(differs "$work/dealt.png" "$work/played.png" 100 58 92 26)" -gt 20 ] || fail "the score did not change"
exit_game
echo "ok: an Ace of seed $seed went to its foundation and scored"

printf '[setup]\nfullscreen=0\n\n[default]\ngametime=3\n' >"$game/setup.ini"
convert "$game/gameover1.bmp" "$work/gameover1.png"
start_game $seed
wait_dealt
for _ in $(seq 1 40); do
  shot "$work/timeout.png"
  convert "$work/timeout.png" -crop 420x180+190+210 +repage "$work/panel.png"
  [ "$(differs "$work/panel.png" "$work/gameover1.png" 40 40 340 100)" -lt 200 ] && break
  sleep 0.2
done
[ "$(differs "$work/panel.png" "$work/gameover1.png" 40 40 340 100)" -lt 200 ] ||
  fail "no \"gameover1.bmp\" when the clock ran out"
sleep 2.5
exit_game
[ ! -e "$game/hiscore.dat" ] || fail "a game out of time was recorded"
echo "ok: out of time after 3 seconds, nothing recorded"
echo "1 passed, 0 failed"
