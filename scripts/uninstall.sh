#!/usr/bin/env bash
# Removes what scripts/install.sh installed for the current user. The player's files (options.ini,
# the setup.ini files and every hiscore.dat) stay unless --purge is given.
#   scripts/uninstall.sh [--purge]
set -euo pipefail
purge=0
[ "${1:-}" = "--purge" ] && purge=1
data="${XDG_DATA_HOME:-}"
case "$data" in /*) ;; *) data="$HOME/.local/share" ;; esac
suite="$data/lumora"

# Empty folders the install made, up to (not including) the data folder itself.
remove_empty_up() {
  local dir=$1
  while [ "$dir" != "$data" ] && [ "${dir#"$data"/}" != "$dir" ] && [ -d "$dir" ] &&
    rmdir "$dir" 2>/dev/null; do
    dir=$(dirname "$dir")
  done
}

for entry in lumora kestrin; do
  rm -f "$data/applications/$entry.desktop"
  for size in 48 128 256; do
    rm -f "$data/icons/hicolor/${size}x${size}/apps/$entry.png"
    remove_empty_up "$data/icons/hicolor/${size}x${size}/apps"
  done
done
remove_empty_up "$data/applications"

if [ -d "$suite" ]; then
  if [ $purge -eq 1 ]; then
    rm -rf "$suite"
  else
    if [ -f "$suite/.installed" ]; then
      while IFS= read -r file; do
        case "$(basename "$file")" in options.ini | setup.ini | hiscore.dat) continue ;; esac
        [ -n "$file" ] && rm -f "$suite/$file"
      done <"$suite/.installed"
      rm -f "$suite/.installed"
    fi
    find "$suite" -depth -type d -empty -delete
    if [ -d "$suite" ]; then
      echo "Kept the player's files in $suite (remove them with --purge)."
    fi
  fi
  remove_empty_up "$data/lumora"
fi
echo "Uninstalled from $data."
