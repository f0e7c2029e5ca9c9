#!/usr/bin/env bash
# Builds and runs every test: the normal build (unit and end-to-end tests), then the unit tests
# again under AddressSanitizer + UndefinedBehaviorSanitizer and under ThreadSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
export SUITE_NO_MESSAGE_BOXES=1

"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
(cd "$root/build" && ctest --output-on-failure -j 2)

"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=address \
  -DSUITE_ARTGEN=OFF -DSUITE_BENCH=OFF
(cd "$root/build-asan" && ctest --output-on-failure -j 2 -L unit)
# The sound library's thread tests several times more: a race between the main thread and the
# sound threads shows only now and then.
sound_threads=(--gtest_filter='Threads.*:ThreadStress.*' --gtest_repeat=4 --gtest_brief=1)
"$root/build-asan/tests/test_sound" "${sound_threads[@]}"

# ThreadSanitizer needs the smaller address-space randomisation of older kernels; the build runs
# the test programs too (to list their tests).
setarch "$(uname -m)" -R "$root/scripts/build.sh" build-tsan -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=thread \
  -DSUITE_ARTGEN=OFF -DSUITE_BENCH=OFF
(cd "$root/build-tsan" && setarch "$(uname -m)" -R ctest --output-on-failure -j 2 -L unit)
setarch "$(uname -m)" -R "$root/build-tsan/tests/test_sound" "${sound_threads[@]}"
