#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh DIR [cmake options...]
# SUITE_TARGET=name builds that target alone.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
shift
launcher=()
# Rebuilds of several build folders (and work trees) share one compiler cache when there is one.
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$root/$dir"
cmake -S "$root" -B "$root/$dir" -G Ninja "${launcher[@]}" "$@" > "$root/$dir/configure.log" 2>&1 ||
  { cat "$root/$dir/configure.log"; exit 1; }
cmake --build "$root/$dir" -j "$(nproc)" ${SUITE_TARGET:+--target "$SUITE_TARGET"}
