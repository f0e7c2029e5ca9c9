# Helpers of the end-to-end scripts: a private X server, window lookups and screenshots.
# Source it; it defines start_x, stop_x, wait_window, pixels_like, shot.

start_x() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1:-800x600x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 10 display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"
}

stop_x() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# wait_window TITLE: prints the id of the visible window of that exact title (waits up to 20 s).
wait_window() {
  local i id
  for i in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "no window titled '$1'" >&2
  return 1
}

# shot FILE: the whole screen as PNG.
shot() {
  xwd -root -silent | /usr/bin/convert xwd:- "png:$1"
}

# pixels_like FILE X Y W H R G B: how many pixels of the area are within 40 of the colour.
pixels_like() {
  /usr/bin/convert "$1" -depth 8 -crop "${4}x${5}+${2}+${3}" +repage txt:- | tail -n +2 |
    awk -v r="$6" -v g="$7" -v b="$8" -F'[(),]' '
      { dr=$3-r; dg=$4-g; db=$5-b; if (dr<0) dr=-dr; if (dg<0) dg=-dg; if (db<0) db=-db;
        if (dr<=40 && dg<=40 && db<=40) n++ }
      END { print n+0 }'
}
