#!/usr/bin/env bash
# Kestrin under a private X server, on a copy of the suite folder: with a fixed seed, "New"
# deals, a click on a free Ace lays it on the first foundation and the score changes; with
# "gametime" 3 the clock runs out and shows "gameover1.bmp"; "Exit" ends with code 0 each time.
# Usage: kestrin_game_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
deal="$(dirname "$suite")/tests/e2e/kestrin_deal"
export SDL_AUDIODRIVER=dummy
cp -r "$suite" "$work/suite"
game="$work/suite/Kestrin"
rm -f "$game/hiscore.dat"
start_x

start_game() { # seed
  start_program "$game" env KESTRIN_SEED="$1" ./Kestrin
  # The pointer comes into the window first: without a window manager, that gives it the focus.
  xdotool mousemove --window "$(wait_window --name '^Kestrin - ')" 400 300 || fail "no window"
  wait_until picture_shown || fail "the window shows nothing"
  press 45 492 # New
}
dealt() { # the last card of the deal lies in free cell 5
  shot "$work/dealt.xwd"
  [ "$(pixels_like "$work/dealt.xwd" 495 500 30 20 16 76 49)" -lt 50 ]
}
played() { # the flight, then the points
  shot "$work/played.xwd"
  [ "$(differs "$work/played.xwd" 100 58 92 26 "$work/dealt.xwd")" -gt 20 ]
}
out_of_time() { # the panel stays two seconds: each look must be quick
  shot "$work/timeout.xwd"
  [ "$(differs "$work/timeout.xwd" 230 250 340 100 "$work/gameover1.rgb")" -lt 200 ]
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
[ "$(differs "$work/played.xwd" $((x - 30)) $((y - 40)) 60 80 "$work/dealt.xwd")" -gt 1000 ] ||
  fail "the Ace did not leave its place"
[ "$(differs "$work/played.xwd" 245 31 60 80 "$work/dealt.xwd")" -gt 1000 ] ||
  fail "no card on the first foundation"
exit_game
echo "ok: an Ace of seed $seed went to its foundation and scored"

printf '[setup]\nfullscreen=0\n\n[default]\ngametime=3\n' >"$game/setup.ini"
# The middle of the panel, drawn at (190, 210).
convert "$game/gameover1.bmp" -crop 340x100+40+40 +repage -depth 8 "rgb:$work/gameover1.rgb"
start_game $seed
wait_until dealt || fail "the deal did not end"
wait_until out_of_time || fail "no \"gameover1.bmp\" when the clock ran out"
press 400 300 # a click closes the panel
wait_until panel_gone || fail "the panel stayed"
exit_game
[ ! -e "$game/hiscore.dat" ] || fail "a game out of time was recorded"
echo "ok: out of time after 3 seconds, nothing recorded"
echo "1 passed, 0 failed"
