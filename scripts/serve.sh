#!/usr/bin/env bash
# Builds the score server when it is missing or out of date and runs it on its default
# address, http://127.0.0.1:8080, with its SQLite file "scores.sqlite" in the current folder.
# Arguments go to the server: scripts/serve.sh --db postgresql://scores@localhost/scores
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
SUITE_TARGET=lumora-scores "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
exec "$root/build/server/lumora-scores" "$@"
