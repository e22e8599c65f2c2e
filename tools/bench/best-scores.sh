#!/usr/bin/env bash
# The fairy's best score the solver knows at each checkpoint, beside par and the winning
# route's own score. Checkpoint 1 is searched from the prison start, each later one from
# the route's state just after the judgement before it (the route meets the fairies of
# floors 10, 20, 40, 49, then 25: the third checkpoint comes last). Prints one line a
# checkpoint: its number and floor, par (life/offense/defense from the tower's design
# note, where the fairy's score is 60), the route's score, and the solver's best,
# `proved` when every position was tried, else `best found` and what stopped it.
#   tools/bench/best-scores.sh BIN_DIR [SECONDS] [MEGABYTES]
# SECONDS and MEGABYTES are each search's budget (default 120 s and 8192 MB).
set -euo pipefail
bin=$1
budget=${2:-120}
memory=${3:-8192}
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The route's scores, by checkpoint (column 1 checkpoint, 7 score).
"$here/../route-checkpoints.sh" "$bin" >"$work/route-scores.txt"
"$here/route-lines.sh" >"$work/route.txt"
source "$here/route-staging.sh"
# The fairies met after each line.
route_values 14 >"$work/visits.txt"

floors=(0 10 20 25 40 49)
par=(- 400/29/35 800/74/80 3000/240/300 1600/152/198 3000/240/300)
printf '%-10s %5s %-16s %5s  %s\n' checkpoint floor "par (score 60)" route "solver best"
"$here/../stage/prison-start.sh" "$bin" "$work/start.sav" >/dev/null
for visits in 0 1 2 3 4; do
  checkpoint=$(awk -v n=$((visits + 1)) 'NR == n + 1 { print $1 }' "$work/route-scores.txt")
  route=$(awk -v n=$((visits + 1)) 'NR == n + 1 { print $7 }' "$work/route-scores.txt")
  if [ "$visits" -gt 0 ] && ! stage_where "$work/visits.txt" "$visits" "$work/start.sav"; then
    best="no moment to save after the judgement"
  else
    "$bin/kelvorn-solve" --load "$work/start.sav" --to-checkpoint --best --seconds "$budget" \
      --max-memory "$memory" >"$work/answer.txt" 2>/dev/null || true
    best=$(head -n 1 "$work/answer.txt" | sed -E 's/^best score ([0-9]+), /\1 /')
  fi
  printf '%-10s %5s %-16s %5s  %s\n' "$checkpoint" "${floors[$checkpoint]}" "${par[$checkpoint]}" \
    "$route" "${best:-error}"
done
