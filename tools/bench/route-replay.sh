#!/usr/bin/env bash
# Times the route from the prison start to the second game (the six segments chained,
# as the route_chained tests play them) through kelvorn-play: by the rules alone, the
# best of five runs, and once drawn as the window draws. A measuring tool, not a test.
#   tools/bench/route-replay.sh [BIN_DIR]     (default: build/bin)
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=${1:-build/bin}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tools/stage/prison-start.sh "$bin" "$work/chain.sav" set:19=1 cell:1:111=6
segments=content/routes/segments
cat "$segments"/floors-2-to-10.txt "$segments"/floors-11-to-20.txt \
  "$segments"/floors-21-to-30.txt "$segments"/floors-31-to-40.txt \
  "$segments"/floors-41-to-49.txt "$segments"/end-game.txt > "$work/chain.txt"
echo "route: $(grep -cv '^\(#\|$\|dump$\)' "$work/chain.txt") commands"

# Milliseconds of one replay; the extra words go to kelvorn-play.
replay() {
  local start end
  start=$(date +%s%N)
  "$bin/kelvorn-play" "$@" --load "$work/chain.sav" --prologue off --script "$work/chain.txt" \
    > "$work/out.txt"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

best=
for _ in 1 2 3 4 5; do
  ms=$(replay)
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "rules alone: $best ms (best of 5, the whole process)"
echo "drawn as the window draws: $(replay --draw) ms"
