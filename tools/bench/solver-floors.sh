#!/usr/bin/env bash
# Asks the route solver for the way through every floor of the tower: from the winning
# route's state on arriving at each floor (at its first moment the game lets it be
# saved), the way to the next floor, and from floor 49 the way to the ending. Prints one
# line a floor: the answer, the seconds it took and the positions the search expanded.
#   tools/bench/solver-floors.sh BIN_DIR [SECONDS] [FLOOR...]
# SECONDS is each search's budget (default 60); FLOOR limits the run to those floors.
# Each route found is checked by the solver itself, which plays it again in a fresh game
# before printing it. Exits 1 when any floor's answer is not `route found`.
# With STAGED_SAVES=DIR, each floor's staged save is kept there as floor-N.sav.
set -euo pipefail
bin=$1
budget=${2:-60}
shift $(($# < 2 ? $# : 2))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$(dirname "$0")/route-lines.sh" >"$work/route.txt"

source "$(dirname "$0")/route-staging.sh"
# The floor after each line.
route_values 4 >"$work/floors.txt"

wanted=" $* "
printf '%-6s %-9s %-12s %8s %10s\n' floor goal answer seconds expanded
awk '!seen[$0]++' "$work/floors.txt" | while read -r floor; do
  [ "$floor" -ge 50 ] && continue
  [ $# -eq 0 ] || [[ $wanted == *" $floor "* ]] || continue
  goal=(--to-floor $((floor + 1)))
  [ "$floor" -eq 49 ] && goal=(--to-ending)
  if ! stage_where "$work/floors.txt" "$floor" "$work/floor.sav"; then
    printf '%-6s %-9s %s\n' "$floor" "${goal[*]#--to-}" "no moment to save on this floor"
    continue
  fi
  [ -z "${STAGED_SAVES:-}" ] || cp "$work/floor.sav" "$STAGED_SAVES/floor-$floor.sav"
  start=$(date +%s%N)
  "$bin/kelvorn-solve" --load "$work/floor.sav" "${goal[@]}" --seconds "$budget" \
    >"$work/answer.txt" 2>"$work/progress.txt" || true
  ms=$((($(date +%s%N) - start) / 1000000))
  answer=$(head -n 1 "$work/answer.txt")
  expanded=$(tail -n 1 "$work/progress.txt" | sed -nE 's/.* ([0-9]+) expanded.*/\1/p')
  printf '%-6s %-9s %-12s %4d.%03d %10s\n' "$floor" "${goal[*]#--to-}" "${answer:-error}" \
    $((ms / 1000)) $((ms % 1000)) "${expanded:-?}"
  [ "$answer" = "route found" ] || echo failed >"$work/failed"
done
[ ! -f "$work/failed" ] || exit 1
