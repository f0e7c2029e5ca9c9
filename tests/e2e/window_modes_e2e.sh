#!/usr/bin/env bash
# The window on a desktop with a window manager (openbox): F11 to full screen and back, kept in
# setup.ini for the next start; the 800 by 600 picture scaled with its aspect kept, and a click
# on a button landing on it in full screen, in a resized window, in a maximised window and in a
# window opened at twice the size on a high-density screen.
# Usage: window_modes_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
cp -r "$suite" "$work/suite"
suite="$work/suite"
title="Vantelo Lumora"

start_desktop() { # size
  start_x "$1"
  openbox --sm-disable --startup "touch $work/desktop-ready-$1" >/dev/null 2>&1 &
  STARTED+=($!)
  wait_until [ -e "$work/desktop-ready-$1" ] || fail "no window manager"
}
window_shows_picture() { # the middle of the window is not plain black
  local w h
  read -r w h < <(geometry)
  xwd -id "$WIN" -silent >"$work/window.xwd"
  [ "$(pixels_like "$work/window.xwd" $((w / 2 - 100)) $((h / 2 - 100)) 200 200 0 0 0)" -lt 40000 ]
}
start_menu() {
  start_program "$suite" ./Lumora
  WIN=$(wait_window --name "^$title\$") || fail "no window"
  wait_until window_shows_picture || fail "no picture"
}
geometry() { # the window's client size as "W H"
  xdotool getwindowgeometry "$WIN" | awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }'
}
sized() { [ "$(geometry)" = "$1 $2" ]; }
maximised() { [ "$(geometry | cut -d' ' -f1)" -gt 800 ]; }
in_setup() { grep -q "^$1" "$suite/setup.ini"; }
# click_quit W H WHAT [placed]: clicks the menu's quit button, at (728, 99) of the picture, in a
# window of W x H and expects the menu to end. The picture is scaled to fit and centred, or with
# "placed" the programs place it themselves, in picture units.
click_quit() {
  local x y
  read -r x y < <(awk -v W="$1" -v H="$2" -v placed="${4:-}" 'BEGIN {
    s = W / 800; if (H / 600 < s) s = H / 600
    ox = (W / s - 800) / 2; oy = (H / s - 600) / 2
    if (placed) { ox = int(int(W / s) / 2) - 399; oy = int(int(H / s) / 2) - 300 }
    printf "%d %d\n", (ox + 728.5) * s, (oy + 99.5) * s }')
  press --window "$WIN" "$x" "$y"
  expect_exit "$PROGRAM_PID" "$3: the click on the quit button"
}
# 1280 x 1024 holds the picture at 1.6 times: 1280 x 960 between black bars of 32 pixels.
bars_shown() { screen_has 0 0 1280 30 0 0 0 38400 && [ "$(pixels_like "$work/screen.xwd" 0 994 1280 30 0 0 0)" -eq 38400 ]; }

start_desktop 1280x1024x24
start_menu
# The picture at its own size in the window, the pointer away from every button.
xdotool mousemove 0 0
sleep 0.3
import -window "$WIN" "$work/window.png"
xdotool key F11
wait_until in_setup fullscreen=1 || fail "F11 did not keep full screen in setup.ini"
wait_until bars_shown || fail "no bars above and below the picture"
# The picture between them is the window's, scaled.
convert "$work/window.png" -resize '1280x960!' "$work/expected.png"
convert "xwd:$work/screen.xwd" -crop 1280x960+0+32 +repage "$work/shown.png"
error=$({ compare -metric RMSE "$work/shown.png" "$work/expected.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/')
awk -v e="$error" 'BEGIN { exit !(e < 0.05) }' || fail "the scaled picture differs ($error)"
click_quit 1280 1024 "full screen"

# The next start keeps full screen; F11 brings the window back at its own size.
start_menu
wait_until sized 1280 1024 || fail "the second start is not in full screen ($(geometry))"
xdotool key F11
wait_until sized 800 600 || fail "F11 back gave a window of $(geometry)"
wait_until in_setup fullscreen=0 || fail "F11 back did not keep the window in setup.ini"
xdotool windowsize "$WIN" 1000 700
wait_until sized 1000 700 || fail "the window was not resized ($(geometry))"
click_quit 1000 700 "resized window"

start_menu
wmctrl -r "$title" -b add,maximized_vert,maximized_horz
wait_until maximised || fail "the window did not maximise"
click_quit $(geometry) "maximised window" placed
stop_x

# A high-density screen: the window opens at twice the picture, crisp and clickable.
printf '[setup]\nfullscreen=0\n' >"$suite/setup.ini"
export GDK_SCALE=2
start_desktop 3840x2160x24
start_menu
wait_until sized 1600 1200 || fail "on a high-density screen the window is $(geometry)"
click_quit 1600 1200 "window at twice the size"
echo "1 passed, 0 failed"
