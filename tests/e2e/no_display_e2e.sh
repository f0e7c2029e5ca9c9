#!/usr/bin/env bash
# Without a display both programs end at once with exit code 1 and say on standard error that
# no display could be opened, with the reason for each driver tried; so does a display driver
# asked for by name that does not exist. Each run prints how long it took.
# Usage: no_display_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"

# expect_no_display NAME FOLDER PROGRAM SETTING TEXT...: runs the program with the display
# variables removed and SETTING (VAR=VALUE, or "") added; it must end within 5 s with exit
# code 1 and each TEXT on standard error.
expect_no_display() {
  local name=$1 folder=$2 program=$3 setting=$4 start code=0 ms text
  shift 4
  start=$(date +%s%N)
  (cd "$folder" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER $setting \
    timeout 20 "./$program") >/dev/null 2>"$work/out.txt" || code=$?
  ms=$((($(date +%s%N) - start) / 1000000))
  echo "$name: exit code $code after $ms ms"
  [ "$code" -eq 1 ] || fail "$name: exit code $code"
  [ "$ms" -lt 5000 ] || fail "$name: took longer than 5 s"
  for text in "$@"; do
    grep -qF -- "$text" "$work/out.txt" || fail "$name: no \"$text\" on standard error"
  done
}

expect_no_display "Lumora, no display" "$suite" Lumora "" "No display could be opened" \
  "x11: " "(DISPLAY is not set)" "wayland: " "(WAYLAND_DISPLAY is not set)"
expect_no_display "Kestrin, no display" "$suite/Kestrin" Kestrin "" \
  "No display could be opened" "x11: " "wayland: "
expect_no_display "Lumora, unknown driver" "$suite" Lumora SDL_VIDEODRIVER=bogus \
  "No display could be opened" "SDL_VIDEODRIVER=bogus"
echo "PASS"
