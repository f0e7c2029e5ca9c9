#!/usr/bin/env bash
# Both programs under a private X server: the window and its title, a picture on screen, the
# frame rate shown and hidden with F1, and an exit code of 0 after a released Escape, after the
# close box and after the screen's own exit button.
# Usage: programs_e2e.sh SUITE_FOLDER
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
suite="$(cd "$1" && pwd)"
start_x 800x600x24

fps_shown() { screen_has 580 0 220 16 255 255 0 21; }
fps_hidden() { screen_has 580 0 220 16 255 255 0 0 0; }

check_program() { # folder program title exitX exitY
  local folder=$1 program=$2 title=$3 exitX=$4 exitY=$5 id
  start_program "$folder" "./$program"
  id=$(wait_window --name "^$title\$") || fail "$title: no window"
  xdotool mousemove --window "$id" 400 300
  wait_until picture_shown || fail "$title: the window shows nothing"
  fps_hidden || fail "$title: frame rate shown before F1"
  xdotool key F1
  wait_until fps_shown || fail "$title: F1 did not show the frame rate"
  xdotool key F1
  wait_until fps_hidden || fail "$title: second F1 did not hide the frame rate"
  # Pressing Escape does nothing until it is released.
  xdotool keydown Escape
  sleep 0.3
  ended "$PROGRAM_PID" && fail "$title: ended on Escape pressed"
  xdotool keyup Escape
  expect_exit "$PROGRAM_PID" "$title (Escape)"

  start_program "$folder" "./$program"
  id=$(wait_window --name "^$title\$") || fail "$title: no window the second time"
  python3 "$here/close_window.py" "$id"
  expect_exit "$PROGRAM_PID" "$title (close box)"

  # The screen ends the program itself when its exit button is clicked.
  start_program "$folder" "./$program"
  id=$(wait_window --name "^$title\$") || fail "$title: no window the third time"
  wait_until picture_shown || fail "$title: the window shows nothing the third time"
  press --window "$id" "$exitX" "$exitY"
  expect_exit "$PROGRAM_PID" "$title (exit button)"
  echo "ok: $title"
}

check_program "$suite" Lumora "Vantelo Lumora" 728 99
check_program "$suite/Kestrin" Kestrin "Kestrin - .*" 748 535 # the caption names the player
echo "1 passed, 0 failed"
