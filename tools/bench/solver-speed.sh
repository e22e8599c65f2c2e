#!/usr/bin/env bash
# Times the route solver on its yardsticks, from saves staged from the winning route:
# the first checkpoint and the ending from the prison start, floor 35's way on, and
# every floor's way on (solver-floors.sh) in total. Prints one line each, in seconds
# of the solver alone (the staging is not counted). A measuring tool, not a test: compare
# with solver-baseline.txt beside it, on a machine doing nothing else.
#   tools/bench/solver-speed.sh BIN_DIR [SECONDS]
set -euo pipefail
bin=$1
budget=${2:-120}
here="$(cd "$(dirname "$0")" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/../stage/prison-start.sh" "$bin" "$work/prison.sav" >/dev/null
# Times one search from the prison start: LABEL GOAL.
fromPrison() {
  local start answer ms
  start=$(date +%s%N)
  answer=$("$bin/kelvorn-solve" --load "$work/prison.sav" "$2" --seconds "$budget" \
    2>/dev/null | head -n 1 || true)
  ms=$((($(date +%s%N) - start) / 1000000))
  printf '%-34s %4d.%03d  %s\n' "$1" $((ms / 1000)) $((ms % 1000)) "$answer"
}
fromPrison "prison start to checkpoint 1" --to-checkpoint
# The whole first game in one search.
fromPrison "prison start to the ending" --to-ending

"$here/solver-floors.sh" "$bin" "$budget" >"$work/floors.txt" || true
# A line: floor, goal ("floor N" or "ending"), answer, seconds, positions expanded.
awk '$1 == 35 { first = $2 == "floor" ? 4 : 3; answer = $first
                for (i = first + 1; i <= NF - 2; i++) answer = answer " " $i
                printf "%-34s %8s  %s\n", "floor 35 to floor 36", $(NF - 1), answer }' "$work/floors.txt"
awk 'NR > 1 && $1 ~ /^[0-9]+$/ { total += $(NF - 1); n++; first = $2 == "floor" ? 4 : 3
                                 if ($first != "route") failed++ }
     END { printf "%-34s %8.3f  %d floors, %d without a route\n", "every floor\047s way on, in total",
           total, n, failed }' "$work/floors.txt"
