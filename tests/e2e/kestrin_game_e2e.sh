#!/usr/bin/env bash
# Kestrin under a private X server, on a copy of the suite folder: with a fixed seed, "New"
# deals, a click on a free Ace lays it on the first foundation and the score changes; with
# "gametime" 3 the clock runs out and shows "gameover1.bmp"; "Exit" ends with code 0 each time.
# Usage: kestrin_game_e2e.sh SUITE_FOLDER
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
suite="$(cd "$1" && pwd)"
deal="$(dirname "$suite")/tests/e2e/kestrin_deal"
export SDL_AUDIODRIVER=dummy
cp -r "$suite" "$work/suite"
game="$work/suite/Kestrin"
rm -f "$game/hiscore.dat"
start_x 800x600x24

differs() { # FILE1 FILE2 X Y W H: how many pixels of the area differ
  convert "$1" -crop "${5}x${6}+${3}+${4}" +repage "$work/a.png"
  convert "$2" -crop "${5}x${6}+${3}+${4}" +repage "$work/b.png"
  compare -metric AE -fuzz 8% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
start_game() { # seed
  start_program "$game" env KESTRIN_SEED="$1" ./Kestrin
  # The pointer comes into the window first: without a window manager, that gives it the focus.
  xdotool mousemove --window "$(wait_window --name '^Kestrin - ')" 400 300 || fail "no window"
  wait_until picture_shown || fail "the window shows nothing"
  press 45 492 # New
}
dealt() { # the last card of the deal lies in free cell 5
  shot "$work/dealt.png"
  [ "$(pixels_like "$work/dealt.png" 495 500 30 20 16 76 49)" -lt 50 ]
}
played() { # the flight, then the points
  shot "$work/played.png"
  [ "$(differs "$work/dealt.png" "$work/played.png" 100 58 92 26)" -gt 20 ]
}
out_of_time() {
  shot "$work/timeout.png"
  convert "$work/timeout.png" -crop 420x180+190+210 +repage "$work/panel.png"
  [ "$(differs "$work/panel.png" "$work/gameover1.png" 40 40 340 100)" -lt 200 ]
}
panel_gone() { ! out_of_time; }
exit_game() {
  press 757 542
  expect_exit "$PROGRAM_PID" Exit
}

seed=1
until place=$("$deal" $seed); do seed=$((seed + 1)); done
read -r x y <<<"$place"
start_game $seed
wait_until dealt || fail "the deal did not end"
press "$x" "$y"
wait_until played || fail "the score did not change"
[ "$(differs "$work/dealt.png" "$work/played.png" $((x - 30)) $((y - 40)) 60 80)" -gt 1000 ] ||
  fail "the Ace did not leave its place"
[ "$(differs "$work/dealt.png" "$work/played.png" 245 31 60 80)" -gt 1000 ] ||
  fail "no card on the first foundation"
exit_game
echo "ok: an Ace of seed $seed went to its foundation and scored"

printf '[setup]\nfullscreen=0\n\n[default]\ngametime=3\n' >"$game/setup.ini"
convert "$game/gameover1.bmp" "$work/gameover1.png"
start_game $seed
wait_until dealt || fail "the deal did not end"
wait_until out_of_time || fail "no \"gameover1.bmp\" when the clock ran out"
press 400 300 # a click closes the panel
wait_until panel_gone || fail "the panel stayed"
exit_game
[ ! -e "$game/hiscore.dat" ] || fail "a game out of time was recorded"
echo "ok: out of time after 3 seconds, nothing recorded"
echo "1 passed, 0 failed"
