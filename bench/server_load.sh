#!/usr/bin/env bash
# The score server under load, by hand: 16 keep-alive clients on the loopback address send
# distinct uploads (every tenth one twice) to a fresh SQLite file, with synchronous normal and
# then full, and to a throwaway PostgreSQL cluster (pg_virtualenv). Each run reports uploads a
# second, the 50th and 99th percentile latency, and checks that the rows added equal the
# distinct uploads acknowledged.
# bench/server_load.sh [uploads per run, default 20000] [clients, default 16]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
uploads="${1:-20000}"
clients="${2:-16}"
server="$root/build/server/lumora-scores"
load="$root/build/bench/server_load"
source "$root/tests/server_http/server_lib.sh"
work=$(mktemp -d)
trap 'stop_server; rm -rf "$work"' EXIT

# run LABEL SERVER-ARGS...: one bounded run (at most 60 seconds).
run() {
  local label="$1"
  shift
  start_server "$work/server.log" "$server" --uploads-per-minute 0 "$@"
  echo "== $label; load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
  "$load" "$SERVER_PORT" "$clients" "$uploads" 60 || echo "!! the run did not check out"
  stop_server
}

if [ "${SCORES_BENCH_POSTGRES:-}" ]; then
  run "PostgreSQL" --db "postgresql://$PGUSER:$PGPASSWORD@$PGHOST:$PGPORT/$PGDATABASE"
  exit 0
fi
if [ ! -x "$server" ] || [ ! -x "$load" ]; then
  SUITE_TARGET=lumora-scores "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
  SUITE_TARGET=server_load "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
fi
run "SQLite, synchronous normal" --db "$work/normal.sqlite"
run "SQLite, synchronous full" --db "$work/full.sqlite" --sync full
SCORES_BENCH_POSTGRES=1 pg_virtualenv -t "$0" "$uploads" "$clients"
