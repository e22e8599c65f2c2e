#!/usr/bin/env bash
# A replay reproduces a finished game exactly: the chained route (from the prison start
# through the ending into the second game) is played with its input recorded, then the
# recorded replay is played from the game saved beside it. Both runs end by opening the
# rankings, which write the game as it stands (every floor and all of GameState) into
# the hand-over copy; the two copies must be the same bytes.
#   replay_test.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$source/tools/stage/prison-start.sh" "$bin" chain.sav set:19=1 cell:1:111=6 >/dev/null
segments=$source/content/routes/segments
cat "$segments"/floors-2-to-10.txt "$segments"/floors-11-to-20.txt \
  "$segments"/floors-21-to-30.txt "$segments"/floors-31-to-40.txt \
  "$segments"/floors-41-to-49.txt "$segments"/end-game.txt > played.txt
echo "menu ranking" >> played.txt
mkdir played replayed
"$bin/kelvorn-play" --holder played --load chain.sav --prologue off --script played.txt \
  --record replay.txt >/dev/null
"$bin/kelvorn-play" --holder replayed --load replay.dat --prologue off --script replay.txt \
  >/dev/null
grep -q '^tick ' replay.txt
cmp played/save0.dat replayed/save0.dat
