#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh DIR [cmake options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
shift
mkdir -p "$root/$dir"
cmake -S "$root" -B "$root/$dir" -G Ninja "$@" > "$root/$dir/configure.log" 2>&1 ||
  { cat "$root/$dir/configure.log"; exit 1; }
cmake --build "$root/$dir" -j "$(nproc)"
