#!/usr/bin/env bash
# Prints the winning route of the first game (content/routes/first-game.txt) as one list
# of kelvorn-play lines: its segments included in place, comments, blank lines and
# dumps left out. The benchmarks stage their saves from it.
#   tools/bench/route-lines.sh
set -euo pipefail
routes="$(cd "$(dirname "$0")/../../content/routes" && pwd)"
while IFS= read -r line; do
  case $line in
    include\ *) cat "$routes/${line#include }" ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$routes/first-game.txt" | grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' -e '^dump$'
