#!/usr/bin/env bash
# Both programs under a private X server: the window and its title, a picture on screen, the
# frame rate shown and hidden with F1, and an exit code of 0 after a released Escape and after
# the close box. (The screens' own exit buttons end them in the game's, the menu's and the window
# modes' tests.)
# Usage: programs_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
start_x

fps_shown() { screen_has 580 0 220 16 255 255 0 21; }
fps_hidden() { screen_has 580 0 220 16 255 255 0 0 0; }

check_program() { # folder program title
  local title=$3 how id
  for how in Escape "close box"; do
    start_program "$1" "./$2"
    id=$(wait_window --name "^$title\$") || fail "$title: no window ($how)"
    xdotool mousemove --window "$id" 400 300
    wait_until picture_shown || fail "$title: the window shows nothing ($how)"
    case $how in
    Escape)
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
      ;;
    *) close_window "$id" ;;
    esac
    expect_exit "$PROGRAM_PID" "$title ($how)"
  done
  echo "ok: $title"
}

check_program "$suite" Lumora "Vantelo Lumora"
check_program "$suite/Kestrin" Kestrin "Kestrin - .*" # the caption names the player
echo "1 passed, 0 failed"
