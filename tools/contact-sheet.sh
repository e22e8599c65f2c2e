#!/usr/bin/env bash
# Draws every floor of the built-in tower as the board shows it on a new game, one PNG a
# floor, and (with ImageMagick's montage, when present) three sheets of 18 floors each,
# so a designer can look at the whole tower at once.
#   tools/contact-sheet.sh BIN_DIR OUT_DIR
# The hero stands where the camera stages him (floor 1's start cell, the bottom middle),
# and the pointer rests off the board so no tooltip covers a floor.
set -euo pipefail
bin=$1 out=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
for n in $(seq 0 50); do
  f=$(printf '%s/floor-%02d.png' "$out" "$n")
  "$here/with-display.sh" "$bin/kelvorn-shot" "$f.full" "set:4=$n" point:5,5 >/dev/null
  if command -v convert >/dev/null; then
    # The board of the small layout: 11 x 32 pixels from (145, 43), with its frame.
    convert "$f.full" -crop 354x354+143+41 +repage "$f" && rm "$f.full"
  else
    mv "$f.full" "$f"
  fi
done
if command -v montage >/dev/null; then
  montage -label '%t' "$out"/floor-*.png -tile 6x3 -geometry 300x300+3+3 -pointsize 14 \
    "$out/sheet-%d.png"
  echo "sheets: $out/sheet-0.png .. sheet-2.png"
else
  echo "montage not found: one picture a floor in $out"
fi
