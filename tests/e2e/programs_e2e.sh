#!/usr/bin/env bash
# Both programs under a private X server: the window and its title, a picture on screen, the
# frame rate shown and hidden with F1, and an exit code of 0 after a released Escape, after the
# close box and after the screen's own exit button.
# Usage: programs_e2e.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
suite="$(cd "$1" && pwd)"
source "$here/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
trap 'stop_x; rm -rf "$work"' EXIT
start_x 800x600x24

fail() {
  echo "FAIL: $*" >&2
  echo "--- the program's output:" >&2
  cat "$work/out.txt" >&2 || true
  exit 1
}

start_program() { # folder program
  (cd "$1" && exec "./$2") >"$work/out.txt" 2>&1 &
  PROGRAM_PID=$!
}

expect_exit_zero() {
  local i
  for i in $(seq 1 50); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$PROGRAM_PID" 2>/dev/null && fail "$1: still running"
  wait "$PROGRAM_PID" && return 0
  fail "$1: exit code $?"
}

check_program() { # folder program title exitX exitY
  local folder=$1 program=$2 title=$3 exitX=$4 exitY=$5 id
  start_program "$folder" "$program"
  id=$(wait_window "$title") || fail "$title: no window"
  xdotool mousemove --window "$id" 400 300
  sleep 0.5
  shot "$work/plain.png"
  # The picture is on screen: the middle of the window is not plain black.
  black=$(pixels_like "$work/plain.png" 300 200 200 200 0 0 0)
  [ "$black" -lt 40000 ] || fail "$title: the window shows nothing"
  [ "$(pixels_like "$work/plain.png" 580 0 220 16 255 255 0)" -eq 0 ] ||
    fail "$title: frame rate shown before F1"
  xdotool key F1
  sleep 1.5
  shot "$work/fps.png"
  [ "$(pixels_like "$work/fps.png" 580 0 220 16 255 255 0)" -gt 20 ] ||
    fail "$title: F1 did not show the frame rate"
  xdotool key F1
  sleep 0.5
  shot "$work/nofps.png"
  [ "$(pixels_like "$work/nofps.png" 580 0 220 16 255 255 0)" -eq 0 ] ||
    fail "$title: second F1 did not hide the frame rate"
  # Pressing Escape does nothing until it is released.
  xdotool keydown Escape
  sleep 0.3
  kill -0 "$PROGRAM_PID" || fail "$title: ended on Escape pressed"
  xdotool keyup Escape
  expect_exit_zero "$title (Escape)"

  start_program "$folder" "$program"
  id=$(wait_window "$title") || fail "$title: no window the second time"
  sleep 0.3
  python3 "$here/close_window.py" "$id"
  expect_exit_zero "$title (close box)"

  # The screen ends the program itself when its exit button is clicked (a click as long as a
  # person's: the button reads the polled button state once a frame).
  start_program "$folder" "$program"
  id=$(wait_window "$title") || fail "$title: no window the third time"
  xdotool mousemove --window "$id" "$exitX" "$exitY"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  expect_exit_zero "$title (exit button)"
  echo "ok: $title"
}

check_program "$suite" Lumora "Vantelo Lumora" 728 99
check_program "$suite/Kestrin" Kestrin "Kestrin - .*" 748 535 # the caption names the player
echo "1 passed, 0 failed"
