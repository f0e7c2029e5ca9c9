#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60):
# scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_FUZZ=ON \
  -DSUITE_ARTGEN=OFF -DSUITE_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
for t in "${targets[@]}"; do
  corpus="$root/build-fuzz/corpus-$t"
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  # The settings writer flushes every file to disk; a memory-backed scratch folder keeps it fast.
  TMPDIR=/dev/shm "$root/build-fuzz/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
done
