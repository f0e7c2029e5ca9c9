#!/usr/bin/env bash
# Line and branch coverage per folder: an instrumented build (build-coverage/), the unit and
# end-to-end tests run in it, and gcovr's figures summed per top folder of the code.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" gcovr
export SUITE_NO_MESSAGE_BOXES=1
"$root/scripts/build.sh" build-coverage -DCMAKE_BUILD_TYPE=Debug -DSUITE_COVERAGE=ON -DSUITE_BENCH=OFF
cd "$root/build-coverage"
find . -name '*.gcda' -delete
ctest -j 2 --output-on-failure "$@" || echo "coverage: some tests failed; the figures cover what ran" >&2
gcovr --root "$root" --object-directory . --exclude '.*/tests/.*' --exclude '.*/bench/.*' \
  --exclude '.*/fuzz/.*' --exclude '.*/build[^/]*/.*' --exclude-unreachable-branches \
  --exclude-throw-branches --json-summary summary.json >/dev/null
python3 - summary.json <<'PY'
import json, sys
from collections import defaultdict
totals = defaultdict(lambda: [0, 0, 0, 0])  # lines covered, lines, branches covered, branches
for f in json.load(open(sys.argv[1]))["files"]:
    parts = f["filename"].split("/")
    folder = "/".join(parts[:2]) if parts[0] == "tools" else parts[0]
    t = totals[folder]
    t[0] += f["line_covered"]; t[1] += f["line_total"]
    t[2] += f["branch_covered"]; t[3] += f["branch_total"]
pct = lambda a, b: f"{100.0 * a / b:6.1f} %" if b else "     - "
print(f"{'folder':<14}{'lines':>10}{'branches':>12}")
all_ = [0, 0, 0, 0]
for folder in sorted(totals):
    t = totals[folder]
    all_ = [a + b for a, b in zip(all_, t)]
    print(f"{folder:<14}{pct(t[0], t[1]):>10}{pct(t[2], t[3]):>12}")
print(f"{'all':<14}{pct(all_[0], all_[1]):>10}{pct(all_[2], all_[3]):>12}")
PY
