#!/usr/bin/env bash
# The menu on the real programs, in a copy of the suite folder under a private X server: the
# pages show Kestrin's button and the collect marker (which opens the web site); Kestrin's title
# screen; the sound switches and the players pop-up write "options.ini"; the Hall of Fame's
# upload opens an address that decodes to the best entry; "Play" starts Kestrin with the suite's
# path and the menu ends; Kestrin's "menu" brings the menu back on Kestrin's title screen.
# Addresses go to a recording script through $BROWSER. Clicks are quick taps (xdotool click).
# Usage: menu_e2e.sh SUITE_FOLDER
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
export SUITE_NO_MESSAGE_BOXES=1
work=$(mktemp -d)
copy="$work/suite"
cp -r "$(cd "$1" && pwd)" "$copy"
rm -f "$copy/options.ini" "$copy/Kestrin/hiscore.dat"
end_programs() { # every program started from the copy, by id
  local pid
  for pid in $(pgrep -f "^$copy/" || true); do kill "$pid" 2>/dev/null || true; done
}
menu=
trap '[ -z "$menu" ] || kill "$menu" 2>/dev/null || true; end_programs; stop_x; rm -rf "$work"' EXIT
start_x 800x600x24

fail() {
  echo "FAIL: $*" >&2
  echo "--- the programs' output:" >&2
  cat "$work/out.txt" >&2 || true
  exit 1
}

printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened.txt"\n' "$work" >"$work/browser"
chmod +x "$work/browser"
export BROWSER="$work/browser"

# click X Y: a quick tap, as fast as xdotool makes it.
click() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool click 1
  sleep 0.5
}
# window_of PID: the id of the visible window of that process (waits up to 20 s).
window_of() {
  local i id
  for i in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# pid_of COMMAND_LINE_START: the process started from the copy whose command line begins so.
pid_of() {
  local i pid
  for i in $(seq 1 100); do
    pid=$(pgrep -f "^$1" | head -n 1 || true)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.1
  done
  return 1
}
# What is on screen: a panel over the title screen (its parchment across the top), or the
# title screen itself (the eight name slots, no panel).
panel_shown() {
  shot "$work/check.png"
  [ "$(pixels_like "$work/check.png" 80 40 640 180 246 238 222)" -gt 80000 ]
}
on_title_screen() {
  shot "$work/check.png"
  [ "$(pixels_like "$work/check.png" 239 378 320 160 250 240 220)" -gt 20000 ] &&
    [ "$(pixels_like "$work/check.png" 80 40 640 180 246 238 222)" -lt 20000 ]
}
wait_until() { # up to 5 s
  local i
  for i in $(seq 1 50); do "$@" && return 0; sleep 0.1; done
  return 1
}
key_in_options() { grep -qx "$1" "$copy/options.ini" 2>/dev/null; }

# The pages.
(cd "$copy" && exec ./Lumora) >"$work/out.txt" 2>&1 &
menu=$!
id=$(window_of "$menu") || fail "no menu window"
xdotool windowmove "$id" 0 0
sleep 1
shot "$work/pages.png"
[ "$(pixels_like "$work/pages.png" 14 140 250 100 255 255 245)" -gt 1000 ] ||
  fail "no Kestrin button in the first place"
[ "$(pixels_like "$work/pages.png" 271 140 250 100 210 170 70)" -gt 500 ] ||
  fail "no collect marker in the second place"
[ "$(pixels_like "$work/pages.png" 528 140 250 100 210 170 70)" -eq 0 ] ||
  fail "the third place is not empty"
click 396 190
grep -qx "http://127.0.0.1:8080" "$work/opened.txt" || fail "the collect marker opened no web site"

# Kestrin's title screen, its switches and the players pop-up.
click 139 190
wait_until on_title_screen || fail "a click on Kestrin's button did not open its title screen"
click 77 530
click 131 530
wait_until key_in_options "SFX=N" && wait_until key_in_options "Music=N" || fail "the switches wrote: $(cat "$copy/options.ini")"
click 398 342
wait_until panel_shown || fail "no players pop-up"
xdotool key --delay 80 --repeat 7 BackSpace # "Player1"
xdotool type --delay 80 "Ada Lovelace"
xdotool key Return
xdotool type --delay 80 "12 Analytical Row"
xdotool key Tab
xdotool type --delay 80 "ada@engine.example"
click 577 509 # "enter"
wait_until on_title_screen || fail "the players pop-up did not close"
key_in_options "name=Ada Lovelace" && key_in_options "address=12 Analytical Row" &&
  key_in_options "email=ada@engine.example" ||
  fail "the players pop-up wrote: $(cat "$copy/options.ini")"

# The Hall of Fame's upload: the best entry, with characters that would split a query.
python3 - "$copy/Kestrin/hiscore.dat" <<'EOF'
import struct, sys
entries = [(b"A&B=C+D #1:12 Road:ada@x.example:Y", 1234)] + [(b"", 0)] * 19
with open(sys.argv[1], "wb") as f:
    f.write(struct.pack("<i", 20))
    for name, score in entries:
        f.write(name.ljust(256, b"\0") + struct.pack("<i", score))
EOF
click 108 393
wait_until panel_shown || fail "no Hall of Fame"
click 665 130 # "upload"
click 686 260 # "back"
upload=$(grep cgi-bin "$work/opened.txt" || true)
python3 - "$upload" <<'EOF' || fail "the upload opened '$upload'"
import sys, urllib.parse
address = urllib.parse.urlsplit(sys.argv[1])
query = urllib.parse.parse_qs(address.query, keep_blank_values=True, strict_parsing=True)
assert address.scheme + "://" + address.netloc == "http://127.0.0.1:8080", address
assert address.path == "/cgi-bin/hiscore.cgi", address.path
assert query == {"game": ["Kestrin"], "name": ["A&B=C+D #1:12 Road:ada@x.example:Y"],
                 "score": [str(1234 ^ 0x0A3C5E71)]}, query
EOF
wait_until on_title_screen || fail "the Hall of Fame did not close"

# "Play": the game starts with the suite's path in its own folder, and the menu ends.
click 690 320
for _ in $(seq 1 50); do kill -0 "$menu" 2>/dev/null || break; sleep 0.1; done
kill -0 "$menu" 2>/dev/null && fail "the menu did not end after Play"
wait "$menu" || fail "the menu ended with code $?"
game=$(pid_of "$copy/Kestrin/Kestrin") || fail "Play started no Kestrin"
[ "$(tr '\0' '\n' <"/proc/$game/cmdline")" = "$copy/Kestrin/Kestrin"$'\n'"$copy" ] ||
  fail "Kestrin was started as: $(tr '\0' ' ' <"/proc/$game/cmdline")"
[ "$(readlink "/proc/$game/cwd")" = "$copy/Kestrin" ] || fail "Kestrin runs in $(readlink "/proc/$game/cwd")"
id=$(window_of "$game") || fail "no Kestrin window"
echo "ok: the menu started Kestrin and ended"

# Kestrin's "menu": the menu comes back on Kestrin's title screen.
xdotool windowmove "$id" 0 0
sleep 1
click 758 493
menu=$(pid_of "$copy/Lumora Kestrin") || fail "Kestrin's menu button started no menu"
id=$(window_of "$menu") || fail "no menu window after Kestrin"
xdotool windowmove "$id" 0 0
wait_until on_title_screen || fail "the menu came back on another screen"
kill -0 "$game" 2>/dev/null && fail "Kestrin did not end when it started the menu"
echo "PASS"
