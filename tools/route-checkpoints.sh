#!/usr/bin/env bash
# Plays a route with kelvorn-play and prints the hero's state at each fairy's judgement
# beside that checkpoint's par, the figures where her score is 60.
#   tools/route-checkpoints.sh BIN_DIR [ROUTE] [KELVORN-PLAY OPTIONS...]
# ROUTE defaults to content/routes/first-game.txt, played with the prologue on. The route
# must `dump` after each judgement (the segments do, after registering the name); a dump
# whose fairy-talk count has grown is a judgement. Exits with kelvorn-play's status.
set -euo pipefail
bin=$1
route=${2:-"$(dirname "$0")/../content/routes/first-game.txt"}
shift $(($# < 2 ? $# : 2))
[ $# -gt 0 ] || set -- --prologue on

dumps=$(mktemp)
trap 'rm -f "$dumps"' EXIT
status=0
"$bin/kelvorn-play" "$@" --script "$route" >"$dumps" || status=$?

# The state array's indices: 0 life, 1 offense, 2 defense, 4 floor, 8 yellow keys,
# 9 red keys, 10 blue keys, 14 fairy talks, 85 score, 86 place won, 87 checkpoint.
awk '
BEGIN {
  par[1] = "400/29/35"; par[2] = "800/74/80"; par[3] = "3000/240/300"
  par[4] = "1600/152/198"; par[5] = "3000/240/300"
  printf "%-10s %5s %6s %7s %7s %11s %5s %5s  %s\n", "checkpoint", "floor", "life", \
    "offense", "defense", "keys y/b/r", "score", "place", "par life/offense/defense"
}
/^\{"state":\[/ {
  text = $0
  sub(/^\{"state":\[/, "", text)
  sub(/\].*/, "", text)
  split(text, s, ",")  # s[i + 1] is index i
  if (s[15] > talks) {
    printf "%-10s %5s %6s %7s %7s %11s %5s %5s  %s\n", s[88], s[5], s[1], s[2], s[3], \
      s[9] "/" s[11] "/" s[10], s[86], s[87], par[s[88]]
  }
  talks = s[15]
}' "$dumps"
exit "$status"
