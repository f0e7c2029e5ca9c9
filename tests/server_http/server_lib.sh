# Helpers of the scripts that run the score server. Source it; it defines start_server, which
# sets SERVER_PID and SERVER_PORT, and stop_server.

# start_server LOG SERVER [ARGS...]: starts it on a free loopback port, waits until it listens.
start_server() {
  local log="$1"
  shift
  "$@" --listen 127.0.0.1:0 2>"$log" &
  SERVER_PID=$!
  for _ in $(seq 100); do
    SERVER_PORT=$(sed -n 's|.*listening on http://127.0.0.1:\([0-9]*\).*|\1|p' "$log")
    [ -n "$SERVER_PORT" ] && return 0
    sleep 0.1
  done
  echo "the server did not start:" >&2
  cat "$log" >&2
  return 1
}

stop_server() {
  [ -z "${SERVER_PID:-}" ] || { kill "$SERVER_PID" && wait "$SERVER_PID"; } 2>/dev/null || true
  SERVER_PID=
}
