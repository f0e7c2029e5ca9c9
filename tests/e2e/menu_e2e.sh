#!/usr/bin/env bash
# The menu on the real programs, in a copy of the suite folder under a private X server: the
# pages show Kestrin's button and the collect marker (which opens the web site); Kestrin's title
# screen; the sound switches and the players pop-up write "options.ini"; the Hall of Fame's
# upload opens an address that decodes to the best entry; "Play" starts Kestrin with the suite's
# path and the menu ends; Kestrin's "menu" brings the menu back on Kestrin's title screen.
# Addresses go to a recording script through $BROWSER. Clicks are quick taps.
# Usage: menu_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
copy="$work/suite"
cp -r "$suite" "$copy"
rm -f "$copy/options.ini" "$copy/Kestrin/hiscore.dat"
start_x
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened.txt"\n' "$work" >"$work/browser"
chmod +x "$work/browser"
export BROWSER="$work/browser"

# pid_of COMMAND_LINE_START: the process started from the copy whose command line begins so.
pid_of() { pgrep -f "^$1" | head -n 1 | grep .; }
# What is on screen: a panel over the title screen (its parchment across the top), or the
# title screen itself (the eight name slots, no panel).
panel_shown() { screen_has 80 40 640 180 246 238 222 80001; }
on_title_screen() {
  screen_has 239 378 320 160 250 240 220 20001 && [ "$(pixels_like "$work/screen.xwd" 80 40 640 180 246 238 222)" -lt 20000 ]
}
table_shown() { screen_has 589 26 200 80 32 117 197 3000; } # Kestrin's clock
pages_shown() { screen_has 14 140 250 100 255 255 245 1001; } # Kestrin's button in the first place
in_file() { grep -qx "$1" "$2" 2>/dev/null; }
in_options() { in_file "$1" "$copy/options.ini"; }
opened() { grep "$1" "$work/opened.txt" 2>/dev/null; }

# The pages.
start_program "$copy" ./Lumora
menu=$PROGRAM_PID
xdotool windowmove "$(wait_window --pid "$menu")" 0 0 || fail "no menu window"
wait_until pages_shown || fail "no Kestrin button in the first place"
[ "$(pixels_like "$work/screen.xwd" 271 140 250 100 210 170 70)" -gt 500 ] ||
  fail "no collect marker in the second place"
[ "$(pixels_like "$work/screen.xwd" 528 140 250 100 210 170 70)" -eq 0 ] ||
  fail "the third place is not empty"
tap 396 190
wait_until in_file "http://127.0.0.1:8080" "$work/opened.txt" || fail "the collect marker opened no web site"

# Kestrin's title screen, its switches and the players pop-up.
tap 139 190
wait_until on_title_screen || fail "a click on Kestrin's button did not open its title screen"
# One switch, then the other, as a person would: a frame knows where the pointer is, not where
# each of two clicks made inside one frame was.
tap 77 530
wait_until in_options "SFX=N" || fail "the effects switch wrote: $(cat "$copy/options.ini")"
tap 131 530
wait_until in_options "Music=N" || fail "the music switch wrote: $(cat "$copy/options.ini")"
tap 398 342
wait_until panel_shown || fail "no players pop-up"
xdotool key --delay 40 --repeat 7 BackSpace # "Player1"
xdotool type --delay 40 "Ada Lovelace"
xdotool key Return
xdotool type --delay 40 "12 Analytical Row"
xdotool key Tab
xdotool type --delay 40 "ada@engine.example"
tap 577 509 # "enter"
wait_until in_options "email=ada@engine.example" && in_options "name=Ada Lovelace" &&
  in_options "address=12 Analytical Row" || fail "the players pop-up wrote: $(cat "$copy/options.ini")"
wait_until on_title_screen || fail "the players pop-up did not close"

# The Hall of Fame's upload: the best entry, with characters that would split a query.
# The file: a count of 20, then 20 entries of a 256-byte name and a score.
python3 -c 'import struct, sys
sys.stdout.buffer.write(struct.pack("<i", 20) +
  b"A&B=C+D #1:12 Road:ada@x.example:Y".ljust(256, b"\0") + struct.pack("<i", 1234) + bytes(260 * 19))' \
  >"$copy/Kestrin/hiscore.dat"
tap 108 393
wait_until panel_shown || fail "no Hall of Fame"
tap 665 130 # "upload"
upload=$(wait_until opened cgi-bin) || fail "the upload opened nothing"
tap 686 260 # "back"
python3 - "$upload" <<'PY' || fail "the upload opened '$upload'"
import sys, urllib.parse
address = urllib.parse.urlsplit(sys.argv[1])
query = urllib.parse.parse_qs(address.query, keep_blank_values=True, strict_parsing=True)
assert address._replace(query="").geturl() == "http://127.0.0.1:8080/cgi-bin/hiscore.cgi", address
assert query == {"game": ["Kestrin"], "name": ["A&B=C+D #1:12 Road:ada@x.example:Y"],
                 "score": [str(1234 ^ 0x0A3C5E71)]}, query
PY
wait_until on_title_screen || fail "the Hall of Fame did not close"

# "Play": the game starts with the suite's path in its own folder, and the menu ends.
tap 690 320
expect_exit "$menu" "the menu after Play"
game=$(wait_until pid_of "$copy/Kestrin/Kestrin") || fail "Play started no Kestrin"
STARTED+=("$game")
[ "$(tr '\0' '\n' <"/proc/$game/cmdline")" = "$copy/Kestrin/Kestrin"$'\n'"$copy" ] ||
  fail "Kestrin was started as: $(tr '\0' ' ' <"/proc/$game/cmdline")"
[ "$(readlink "/proc/$game/cwd")" = "$copy/Kestrin" ] || fail "Kestrin runs in $(readlink "/proc/$game/cwd")"
xdotool windowmove "$(wait_window --pid "$game")" 0 0 || fail "no Kestrin window"
echo "ok: the menu started Kestrin and ended"

# Kestrin's "menu": the menu comes back on Kestrin's title screen.
wait_until table_shown || fail "Kestrin did not show its table"
tap 758 493
menu=$(wait_until pid_of "$copy/Lumora Kestrin") || fail "Kestrin's menu button started no menu"
STARTED+=("$menu")
xdotool windowmove "$(wait_window --pid "$menu")" 0 0 || fail "no menu window after Kestrin"
wait_until on_title_screen || fail "the menu came back on another screen"
wait_until ended "$game" || fail "Kestrin did not end when it started the menu"
echo "PASS"
