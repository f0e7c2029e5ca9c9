#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds (default 60):
# scripts/fuzz.sh [seconds] [target...]
# Each target keeps what it finds in build-fuzz/corpus-TARGET and starts from fresh valid files
# of its kind (build-fuzz/seeds-TARGET); a crash, a leak or undefined behaviour ends the run
# with the input in build-fuzz/crash-*.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
"$root/scripts/deps.sh"
"$root/scripts/build.sh" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_FUZZ=ON \
  -DSUITE_ARTGEN=OFF -DSUITE_BENCH=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
bin="$root/build-fuzz/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$root"/fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
for t in "${targets[@]}"; do
  [ -f "$bin/$t.run" ] || { echo "no target $t in fuzz/CMakeLists.txt" >&2; exit 1; }
  max_len=$(sed -n 's/^max_len=//p' "$bin/$t.run")
  kind=$(sed -n 's/^seeds=//p' "$bin/$t.run")
  corpus="$root/build-fuzz/corpus-$t"
  seeds="$root/build-fuzz/seeds-$t"
  rm -rf "$seeds"
  mkdir -p "$corpus"
  "$bin/fuzz_seeds" "$kind" "$seeds"
  echo "== $t for ${seconds}s, inputs up to $max_len bytes, $(ls "$seeds" | wc -l) $kind seeds"
  # The settings writer flushes every file to disk; a memory-backed scratch folder keeps it fast.
  (cd "$root/build-fuzz" && TMPDIR=/dev/shm UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin/$t" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
    "$corpus" "$seeds")
done
