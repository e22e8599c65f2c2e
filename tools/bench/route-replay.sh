#!/usr/bin/env bash
# Times the winning route of a whole first game (content/routes/first-game.txt, from
# start-up with the prologue on to the second game) through kelvorn-play by the rules
# alone, the best of five runs, and once through kelvorn-play-drawn, drawn as the window
# draws. A measuring tool, not a test.
#   tools/bench/route-replay.sh [BIN_DIR]     (default: build/bin)
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=${1:-build/bin}
route=content/routes/first-game.txt
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# Milliseconds of one replay by the program named (kelvorn-play or kelvorn-play-drawn).
replay() {
  local start end
  start=$(date +%s%N)
  "$bin/$1" --prologue on --script "$route" > "$out"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

best=
for _ in 1 2 3 4 5; do
  ms=$(replay kelvorn-play)
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "rules alone: $best ms (best of 5, the whole process)"
echo "drawn as the window draws: $(replay kelvorn-play-drawn) ms"
