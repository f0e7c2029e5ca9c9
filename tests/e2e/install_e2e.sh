#!/usr/bin/env bash
# The per-user installation in a temporary home: the suite folder, the desktop entries (valid,
# naming the installed programs) and the icons where the XDG rules put them; both programs start
# from the installed place; a second install keeps the player's files and restores the shipped
# ones; uninstall keeps the player's files unless asked, and --purge leaves nothing behind.
# Usage: install_e2e.sh SUITE_FOLDER (the build folder is its parent)
source "$(dirname "$0")/lib.sh"
root="$(cd "$e2e_dir/../.." && pwd)"
build="$(dirname "$suite")"
export HOME="$work/home with space"
export XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$XDG_DATA_HOME"
data="$XDG_DATA_HOME"
installed="$data/lumora"

# What the home holds, but for the sound server's client state that starting a program makes.
listing() { (cd "$HOME" && find . -path ./.config/pulse -prune -o -print | grep -v '^./.config$' | sort); }

before=$(listing)
"$root/scripts/install.sh" --build-dir "$build" >/dev/null || fail "install"

for file in Lumora Kestrin/Kestrin; do
  [ -x "$installed/$file" ] || fail "$file not installed as a program"
done
for file in background.bmp Kestrin/cardset.bmp Kestrin/sounds/music.wav \
  Kestrin/title/Credits.bmp setup.ini Kestrin/setup.ini; do
  [ -w "$installed/$file" ] || fail "$file not installed writable"
done
[ ! -e "$installed/options.ini" ] || fail "options.ini shipped"
for size in 48 128 256; do
  for icon in lumora kestrin; do
    png="$data/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "icon $png"
  done
done
desktop-file-validate "$data/applications/lumora.desktop" "$data/applications/kestrin.desktop" ||
  fail "desktop entries do not validate"

# Each entry's Exec starts its program from the installed place.
start_x
run_entry() { # entry title-pattern
  local exec
  exec=$(sed -n 's/^Exec="\(.*\)"$/\1/p' "$data/applications/$1.desktop")
  [ -x "$exec" ] || fail "$1: Exec does not name the installed program: $exec"
  start_program / "$exec"
  wait_window --name "$2" >/dev/null || fail "$1: no window"
  wait_until picture_shown || fail "$1: black window"
  xdotool key Escape
  expect_exit "$PROGRAM_PID" "$1"
}
run_entry lumora '^Vantelo Lumora$'
run_entry kestrin '^Kestrin'

# A second install: the player's files stay, a damaged shipped picture is replaced.
printf '[setup]\nplayerid=3\n' >"$installed/options.ini"
printf '[setup]\nfullscreen=1\n' >"$installed/setup.ini"
head -c 5204 /dev/urandom >"$installed/Kestrin/hiscore.dat"
cp "$installed/Kestrin/hiscore.dat" "$work/hiscore.dat"
echo damaged >"$installed/background.bmp"
"$root/scripts/install.sh" --build-dir "$build" >/dev/null || fail "second install"
grep -q playerid=3 "$installed/options.ini" || fail "options.ini not kept"
grep -q fullscreen=1 "$installed/setup.ini" || fail "setup.ini not kept"
cmp -s "$work/hiscore.dat" "$installed/Kestrin/hiscore.dat" || fail "hiscore.dat not kept"
cmp -s "$build/suite/background.bmp" "$installed/background.bmp" || fail "picture not updated"

"$root/scripts/uninstall.sh" >/dev/null || fail "uninstall"
[ ! -e "$installed/Lumora" ] && [ ! -e "$data/applications/lumora.desktop" ] ||
  fail "uninstall left programs or entries"
[ -z "$(find "$data/icons" -name '*.png' 2>/dev/null)" ] || fail "uninstall left icons"
cmp -s "$work/hiscore.dat" "$installed/Kestrin/hiscore.dat" && [ -f "$installed/options.ini" ] ||
  fail "uninstall removed the player's files"
"$root/scripts/uninstall.sh" --purge >/dev/null || fail "uninstall --purge"
[ "$(listing)" = "$before" ] || fail "left behind: $(diff <(echo "$before") <(listing))"
echo "1 passed, 0 failed"
