#!/usr/bin/env bash
# Writes the save a route segment starts from at the prison start: the state of a first
# game right after the capture on floor 3 and the wake-up calls on floor 2.
#   tools/stage/prison-start.sh BIN_DIR OUT.sav [WORD...]
# Extra words (set:I=V, cell:F:C=T) change the staged state further.
# Floor 1 as the prologue leaves it (its three slimes beaten for 4 gold, the key at 103
# spent on door 93), floor 3's event cell turned to floor, the hero in the prison cell
# at (2, 7) with Life 400, Offense 10, Defense 10, no sword or shield, the wake-up
# dialogues (1, 2, 3) and the capture's (10, 11) read.
set -euo pipefail
"$1/kelvorn-stage" "$2" \
  set:0=400 set:1=10 set:2=10 set:3=4 \
  set:4=2 set:5=2 set:6=2 set:7=7 \
  set:15=0 set:16=0 set:36=0 set:41=0 \
  set:91=1 set:92=1 set:93=1 set:100=1 set:101=1 \
  cell:1:2=6 cell:1:3=6 cell:1:4=6 cell:1:103=6 cell:1:93=6 \
  cell:3:92=6 \
  "${@:3}"
