#!/usr/bin/env bash
# Kestrin's music reaches the sound device: the game runs under a private X server with SDL's
# disk audio driver, which writes everything the device plays to a raw file (16-bit stereo at
# 44100 Hz), until two seconds of it are written. With "music" on the file must carry sound;
# with music=N it must be silent. Effects are switched off in both runs so that only the music
# can make a sound.
# Usage: kestrin_audio_e2e.sh SUITE_FOLDER
source "$(dirname "$0")/lib.sh"
start_x
bytes_of_two_seconds=$((2 * 44100 * 4))

written() { [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$bytes_of_two_seconds" ]; }
# run_game MUSIC RAWFILE: a copy of the suite with [setup] music=MUSIC, SFX=N, until two seconds
# of audio are written.
run_game() {
  local copy="$work/suite-$1"
  cp -r "$suite" "$copy"
  printf '[setup]\nmusic=%s\nSFX=N\n' "$1" >"$copy/options.ini"
  start_program "$copy/Kestrin" env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$2" ./Kestrin "$copy"
  wait_until written "$2" || fail "music=$1: the game wrote less than two seconds of audio"
  # SDL turns SIGTERM into a quit request.
  kill "$PROGRAM_PID"
  wait_until ended "$PROGRAM_PID" || kill -9 "$PROGRAM_PID"
}

# loud_frames RAWFILE: prints how many of the first two seconds' frames have a sample beyond
# +-64.
loud_frames() {
  od -An -v -td2 -w4 --endian=little -N "$bytes_of_two_seconds" "$1" |
    awk '$1 > 64 || $1 < -64 || $2 > 64 || $2 < -64 { n++ } END { print n + 0 }'
}

run_game Y "$work/music_on.raw"
loud=$(loud_frames "$work/music_on.raw")
echo "music on: $loud of 88200 frames carry sound"
# The track fades in over 0.3 s and then plays on: most of the run is sound.
[ "$loud" -ge 22050 ] || fail "music on: the audio is (nearly) silent"

run_game N "$work/music_off.raw"
loud=$(loud_frames "$work/music_off.raw")
echo "music off: $loud of 88200 frames carry sound"
[ "$loud" -eq 0 ] || fail "music off: $loud frames are not silent"
echo "PASS"
