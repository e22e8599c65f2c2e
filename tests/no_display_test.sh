#!/usr/bin/env bash
# Started without a display, the game says so and fails before it takes the
# single-instance lock, instead of running unseen on SDL's off-screen driver and refusing
# the next launch; the off-screen driver asked for by name still runs the game.
#   no_display_test.sh BIN_DIR
set -uo pipefail
bin=$1
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
export XDG_RUNTIME_DIR=$run HOME=$run XDG_CONFIG_HOME=$run/config XDG_DATA_HOME=$run/data
export SDL_AUDIODRIVER=dummy
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$bin/kelvorn" --prologue=off \
  2>"$run/err" || status=$?
cat "$run/err"
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "FAIL: status $status"; exit 1; }
grep -q 'no display' "$run/err" || { echo "FAIL: no reason given"; exit 1; }
[ ! -e "$run/kelvorn.lock" ] || { echo "FAIL: the lock was taken"; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen timeout 60 "$bin/kelvorn" \
  --prologue=off --screenshot 100 "$run/shot.png" || { echo "FAIL: offscreen refused"; exit 1; }
[ -s "$run/shot.png" ] || { echo "FAIL: no picture"; exit 1; }
