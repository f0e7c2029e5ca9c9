#!/usr/bin/env bash
# Builds everything, lays out build/suite and starts the menu in a window.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
cd "$root/build/suite"
exec ./Lumora
