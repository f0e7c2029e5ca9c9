#!/usr/bin/env bash
# Lines of code (cloc's "code" column: no blanks, no comments) per folder, of the tests, and the
# ratio of tests to code. Tests are tests/ (unit and end-to-end). The ratio is given twice: against
# the programs' and libraries' code alone, and against all the repository's code outside tests/
# (that code plus bench/, fuzz/, scripts/ and the top build files).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
command -v cloc >/dev/null || "$root/scripts/deps.sh" cloc

count() { # lines of code in the given paths (C++, C, shell, Python, CMake)
  local existing=()
  for p in "$@"; do [ -e "$p" ] && existing+=("$p"); done
  [ ${#existing[@]} -eq 0 ] && { echo 0; return; }
  cloc --quiet --csv --exclude-dir=build "${existing[@]}" 2>/dev/null |
    awk -F, '$2 != "SUM" && $2 != "language" && NF >= 5 { sum += $5 } END { print sum + 0 }'
}

code_folders=(platform zel core gfx screens sound records shell game menu server tools)
total=0
printf '%-10s %8s\n' folder code
for folder in "${code_folders[@]}"; do
  [ -d "$folder" ] || continue
  n=$(count "$folder")
  total=$((total + n))
  printf '%-10s %8d\n' "$folder" "$n"
done
tests=$(count tests)
tools=$(count bench fuzz scripts CMakeLists.txt cmake)
printf '%-10s %8d\n' "all code" "$total" "tests" "$tests" "tooling" "$tools"
awk -v t="$tests" -v c="$total" -v o="$tools" 'BEGIN {
  printf "tests/code %7.1f %%\n", c ? 100 * t / c : 0
  printf "tests/repo %7.1f %%  (code and tooling: %d)\n", c + o ? 100 * t / (c + o) : 0, c + o
}'
