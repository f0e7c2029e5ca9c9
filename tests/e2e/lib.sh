# Helpers of the end-to-end scripts. Sourcing it sets strict mode, makes the work folder $work
# and, at exit, ends the programs started with start_program, the X server and removes $work.
# Waits are for conditions (a window, a picture, a file's line, a process's end), polled every
# tenth of a second for up to $WAIT_SECONDS (20) seconds, so that a loaded machine is waited
# for and a quick one is not.
# Every script takes the suite folder as its argument: $suite.
set -euo pipefail
export SUITE_NO_MESSAGE_BOXES=1
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
suite="$(cd "${1:?usage: $0 SUITE_FOLDER}" && pwd)"
work=$(mktemp -d)
STARTED=()
cleanup() {
  local pid
  for pid in "${STARTED[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_x
  rm -rf "$work"
}
trap cleanup EXIT

# fail MESSAGE: ends the test, with what the programs wrote.
fail() {
  echo "FAIL: $*" >&2
  echo "--- the programs' output:" >&2
  cat "$work/out.txt" >&2 2>/dev/null || true
  exit 1
}

# wait_until COMMAND...: true as soon as the command succeeds, false when it never did.
wait_until() {
  local end=$((SECONDS + ${WAIT_SECONDS:-20}))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# start_x SIZE: a private X server (800x600x24 by default) as $DISPLAY.
start_x() {
  local fifo display_number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1:-800x600x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r -t 10 display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"
}

stop_x() {
  [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}

# start_program FOLDER COMMAND...: runs the command in FOLDER, its output added to
# $work/out.txt; sets PROGRAM_PID.
start_program() {
  local folder=$1
  shift
  (cd "$folder" && exec "$@") >>"$work/out.txt" 2>&1 &
  PROGRAM_PID=$!
  STARTED+=("$PROGRAM_PID")
}

ended() { ! kill -0 "$1" 2>/dev/null; }

# expect_exit PID WHAT: the process ends, with exit code 0.
expect_exit() {
  wait_until ended "$1" || fail "$2: still running"
  wait "$1" || fail "$2: exit code $?"
}

# window SEARCH...: the id of the first visible window that xdotool search finds so.
window() { xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 | grep .; }

# wait_window SEARCH...: waits for that window and prints its id.
wait_window() { wait_until window "$@"; }

# tap X Y: a quick click, press and release at once, as a screen must never lose.
tap() { xdotool mousemove "$1" "$2" click 1; }

# press [--window ID] X Y: a click as long as a person's, for what reads the button state once a
# frame.
press() {
  xdotool mousemove "$@"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
}

# shot FILE: the whole screen, as xwd writes it (ImageMagick reads it as "xwd:FILE").
shot() { xwd -root -silent >"$1"; }

# pixels_like SHOT X Y W H R G B: how many pixels of the area are within 40 of the colour in
# each channel.
pixels_like() { python3 "$e2e_dir/screen.py" near "$@"; }

# differs SHOT X Y W H OTHER: how many pixels of the area differ from OTHER, another shot or raw
# RGB pixels of W x H in a file named *.rgb.
differs() { python3 "$e2e_dir/screen.py" differs "$@"; }

# screen_has X Y W H R G B MIN [MAX]: a new shot ($work/screen.xwd) holds at least MIN (and at
# most MAX) such pixels in the area.
screen_has() {
  local n
  shot "$work/screen.xwd"
  n=$(pixels_like "$work/screen.xwd" "$1" "$2" "$3" "$4" "$5" "$6" "$7")
  [ "$n" -ge "$8" ] && [ "$n" -le "${9:-$n}" ]
}

# close_window ID: asks the window to close as its close box would, with a WM_DELETE_WINDOW
# client message (the XEvent is filled as the longs of its 64-bit layout).
close_window() {
  python3 - "$1" <<'PY'
import ctypes, ctypes.util, sys
x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display, window, event = x11.XOpenDisplay(None), int(sys.argv[1], 0), (ctypes.c_long * 24)()
if not display:
    sys.exit("cannot open the display")
event[0], event[4], event[6] = 33, window, 32  # ClientMessage, its window, 32-bit data
event[5] = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event[7] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, window, 0, 0, event)
x11.XCloseDisplay(display)  # sends what is queued
PY
}

# The screen shows a picture: its middle is not plain black.
picture_shown() { screen_has 300 200 200 200 0 0 0 0 39999; }
