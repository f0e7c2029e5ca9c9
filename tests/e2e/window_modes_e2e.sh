#!/usr/bin/env bash
# The window on a desktop with a window manager (openbox): F11 to full screen and back, kept in
# setup.ini for the next start; the 800 by 600 picture scaled with its aspect kept, and a click
# on a button landing on it in full screen, in a resized window, in a maximised window and in a
# window opened at twice the size on a high-density screen.
# Usage: window_modes_e2e.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
trap 'kill "${WM_PID:-}" 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
cp -r "$1" "$work/suite"
suite="$work/suite"
title="Vantelo Lumora"
quitX=728 quitY=99 # the menu's quit button on the 800 by 600 picture

fail() {
  echo "FAIL: $*" >&2
  cat "$work/out.txt" >&2 2>/dev/null || true
  exit 1
}
start_desktop() { # size
  start_x "$1"
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  sleep 0.5
}
stop_desktop() {
  kill "$WM_PID" 2>/dev/null || true
  stop_x
}
start_menu() {
  (cd "$suite" && exec ./Lumora) >"$work/out.txt" 2>&1 &
  PID=$!
  WIN=$(wait_window "$title") || fail "no window"
  sleep 0.7
}
geometry() { # the window's client size as "W H"
  xdotool getwindowgeometry "$WIN" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }'
}
# Clicks the quit button where the picture shows it inside the window and expects the menu to end.
click_quit() { # x y in window coordinates, what
  xdotool mousemove --window "$WIN" "$1" "$2"
  sleep 0.3
  xdotool click 1
  for _ in $(seq 1 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$PID" 2>/dev/null && { kill "$PID"; fail "$3: the click missed the quit button"; }
  wait "$PID" || fail "$3: exit code $?"
}
# Where a picture point lands in a window of W x H with the picture centred and scaled to fit.
centred() { # W H x y
  awk -v W="$1" -v H="$2" -v x="$3" -v y="$4" 'BEGIN {
    s = W / 800; if (H / 600 < s) s = H / 600
    printf "%d %d\n", (W - 800 * s) / 2 + (x + 0.5) * s, (H - 600 * s) / 2 + (y + 0.5) * s }'
}

start_desktop 1280x1024x24
start_menu
# The picture at its own size in the window, the pointer away from every button.
xdotool mousemove 0 0
sleep 0.5
import -window "$WIN" "$work/window.png"
xdotool key F11
sleep 1.5
shot "$work/full.png"
grep -q '^fullscreen=1' "$suite/setup.ini" || fail "F11 did not keep full screen in setup.ini"
# 1280 x 1024 holds the picture at 1.6 times: 1280 x 960 between bars of 32 pixels.
[ "$(pixels_like "$work/full.png" 0 0 1280 30 0 0 0)" -eq $((1280 * 30)) ] || fail "no bar on top"
[ "$(pixels_like "$work/full.png" 0 994 1280 30 0 0 0)" -eq $((1280 * 30)) ] || fail "no bar below"
# The picture between them is the window's, scaled.
convert "$work/window.png" -resize '1280x960!' "$work/expected.png"
convert "$work/full.png" -crop 1280x960+0+32 +repage "$work/shown.png"
error=$({ compare -metric RMSE "$work/shown.png" "$work/expected.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/')
awk -v e="$error" 'BEGIN { exit !(e < 0.05) }' || fail "the scaled picture differs ($error)"
read -r x y < <(centred 1280 1024 $quitX $quitY)
click_quit "$x" "$y" "full screen"

# The next start keeps full screen; F11 brings the window back at its own size.
start_menu
read -r w h < <(geometry)
[ "$w $h" = "1280 1024" ] || fail "the second start is not in full screen ($w x $h)"
xdotool key F11
sleep 1.5
read -r w h < <(geometry)
[ "$w $h" = "800 600" ] || fail "F11 back gave a window of $w x $h"
grep -q '^fullscreen=0' "$suite/setup.ini" || fail "F11 back did not keep the window in setup.ini"
xdotool windowsize "$WIN" 1000 700
sleep 1
read -r w h < <(geometry)
shot "$work/resized.png"
read -r x y < <(centred "$w" "$h" $quitX $quitY)
click_quit "$x" "$y" "resized window"

# Maximised: the programs place the picture themselves, in picture units.
start_menu
wmctrl -r "$title" -b add,maximized_vert,maximized_horz
sleep 1.5
read -r w h < <(geometry)
[ "$w" -gt 800 ] || fail "the window did not maximise"
read -r x y < <(awk -v W="$w" -v H="$h" -v x=$quitX -v y=$quitY 'BEGIN {
  s = W / 800; if (H / 600 < s) s = H / 600
  lw = int(W / s); lh = int(H / s); ox = int(lw / 2) - 399; oy = int(lh / 2) - 300
  printf "%d %d\n", (ox + x + 0.5) * s, (oy + y + 0.5) * s }')
click_quit "$x" "$y" "maximised window"
stop_desktop

# A high-density screen: the window opens at twice the picture, crisp and clickable.
printf '[setup]\nfullscreen=0\n' >"$suite/setup.ini"
export GDK_SCALE=2
start_desktop 3840x2160x24
start_menu
read -r w h < <(geometry)
[ "$w $h" = "1600 1200" ] || fail "on a high-density screen the window is $w x $h"
click_quit $((quitX * 2 + 1)) $((quitY * 2 + 1)) "window at twice the size"
stop_desktop
echo "1 passed, 0 failed"
