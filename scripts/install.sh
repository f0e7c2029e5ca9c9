#!/usr/bin/env bash
# Installs the suite for the current user: the suite folder in
# ${XDG_DATA_HOME:-~/.local/share}/lumora, desktop entries for the menu (Lumora) and for the game
# (Kestrin, started without the menu) and their icons. Run it again to update: programs and
# pictures are replaced; options.ini, the setup.ini files and every hiscore.dat are kept.
#   scripts/install.sh                    builds build/ first (release)
#   scripts/install.sh --build-dir DIR    installs what DIR has built
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--build-dir" ] && [ -n "${2:-}" ]; then
  build="$(cd "$2" && pwd)"
else
  "$root/scripts/deps.sh"
  "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
  build="$root/build"
fi
data="${XDG_DATA_HOME:-}"
case "$data" in /*) ;; *) data="$HOME/.local/share" ;; esac # relative values are to be ignored
SUITE_DATA_HOME="$data" cmake --install "$build" >/dev/null
echo "Installed in $data/lumora: start Lumora from the desktop's menu of applications."
