#!/usr/bin/env bash
# Kestrin's music reaches the sound device: the game runs for about three seconds under a
# private X server with SDL's disk audio driver, which writes everything the device plays to a
# raw file (16-bit stereo). With "music" on the file must carry sound; with music=N it must be
# silent. Effects are switched off in both runs so that only the music can make a sound.
# Usage: kestrin_audio_e2e.sh SUITE_FOLDER
set -euo pipefail
[ $# -eq 1 ] || {
  echo "usage: $0 SUITE_FOLDER" >&2
  exit 2
}
suite="$(cd "$1" && pwd)"
[ -x "$suite/Kestrin/Kestrin" ] || {
  echo "FAIL: no $suite/Kestrin/Kestrin" >&2
  exit 1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run_game MUSIC RAWFILE: a copy of the suite with [setup] music=MUSIC, SFX=N; plays ~3 s.
run_game() {
  local music=$1 raw=$2 copy="$work/suite-$1"
  rm -rf "$copy"
  cp -r "$suite" "$copy"
  printf '[setup]\nmusic=%s\nSFX=N\n' "$music" >"$copy/options.ini"
  (
    cd "$copy/Kestrin"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$raw" SUITE_NO_MESSAGE_BOXES=1 \
      xvfb-run -a -s "-screen 0 800x600x24 -nolisten tcp" bash -c '
        ./Kestrin "$1" >/dev/null 2>&1 &
        pid=$!
        sleep 3
        # SDL turns SIGTERM into a quit request; a program that does not take it is killed.
        kill "$pid" 2>/dev/null || true
        for _ in 1 2 3 4 5 6 7 8 9 10; do
          kill -0 "$pid" 2>/dev/null || break
          sleep 0.2
        done
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true' run "$copy"
  )
  [ -s "$raw" ] || fail "music=$music: the game wrote no audio to $raw"
}

# loud_frames RAWFILE: prints how many frames have a sample beyond +-64, and the frame count.
loud_frames() {
  python3 - "$1" <<'EOF'
import array, sys
data = array.array("h")
with open(sys.argv[1], "rb") as f:
    raw = f.read()
data.frombytes(raw[: len(raw) // 4 * 4])
if sys.byteorder != "little":
    data.byteswap()
frames = len(data) // 2
loud = sum(1 for i in range(frames) if abs(data[2 * i]) > 64 or abs(data[2 * i + 1]) > 64)
print(loud, frames)
EOF
}

run_game Y "$work/music_on.raw"
read -r loud frames < <(loud_frames "$work/music_on.raw")
echo "music on: $loud of $frames frames carry sound"
[ "$frames" -ge 22050 ] || fail "music on: only $frames frames written in 3 s"
# The track fades in over 0.3 s and then plays on: well over a second of the run is sound.
[ "$loud" -ge 22050 ] || fail "music on: the audio is (nearly) silent"

run_game N "$work/music_off.raw"
read -r loud frames < <(loud_frames "$work/music_off.raw")
echo "music off: $loud of $frames frames carry sound"
[ "$frames" -ge 22050 ] || fail "music off: only $frames frames written in 3 s"
[ "$loud" -eq 0 ] || fail "music off: $loud frames are not silent"
echo "PASS"
