#!/usr/bin/env bash
# Without a display both programs end at once with exit code 1 and say on standard error that
# no display could be opened, with the reason for each driver tried; so does a display driver
# asked for by name that does not exist. Each run prints how long it took.
# Usage: no_display_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
suite="$(cd "$1" && pwd)"

# expect_no_display NAME FOLDER PROGRAM TEXT... -- ENV...: runs the program with the display
# variables removed and ENV set; it must end within 5 s with exit code 1 and each TEXT on
# standard error.
expect_no_display() {
  local name=$1 folder=$2 program=$3 texts=() start end code
  shift 3
  while [ "$1" != "--" ]; do
    texts+=("$1")
    shift
  done
  shift
  start=$(date +%s%N)
  code=0
  (cd "$folder" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" \
    timeout 20 "./$program") >/dev/null 2>"$work/out.txt" || code=$?
  end=$(date +%s%N)
  echo "$name: exit code $code after $(((end - start) / 1000000)) ms"
  [ "$code" -eq 1 ] || fail "$name: exit code $code"
  [ $((end - start)) -lt 5000000000 ] || fail "$name: took longer than 5 s"
  for text in "${texts[@]}"; do
    grep -qF -- "$text" "$work/out.txt" || fail "$name: no \"$text\" on standard error"
  done
}

expect_no_display "Lumora, no display" "$suite" Lumora \
  "No display could be opened" "x11: " "(DISPLAY is not set)" "wayland: " \
  "(WAYLAND_DISPLAY is not set)" --
expect_no_display "Kestrin, no display" "$suite/Kestrin" Kestrin \
  "No display could be opened" "x11: " "wayland: " --
expect_no_display "Lumora, unknown driver" "$suite" Lumora \
  "No display could be opened" "SDL_VIDEODRIVER=bogus" -- SDL_VIDEODRIVER=bogus
echo "PASS"
