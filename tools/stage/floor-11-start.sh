#!/usr/bin/env bash
# Writes the save the floors 11..20 route segment starts from: a hero on the par line
# who has just climbed from floor 10, on floor 11's up-arrival cell (column 5, row 9).
#   tools/stage/floor-11-start.sh BIN_DIR OUT.sav
# Checkpoint 1's par: Life 400, Offense 29, Defense 35. Everything else as the floors
# 2..10 segment leaves the hero: 146 gold, three yellow keys, no altar offering yet, the
# iron sword and shield, the orbs of the hero and of wisdom, the floor-7 merchant's keys
# bought, the floor-3 old man heard, the prison, capture and floor-10 dialogues read and
# the floor-10 fairy's judgement (63 points, fifth place). The floors are the built-in
# maps: the segment never goes below floor 11.
set -euo pipefail
"$1/kelvorn-stage" "$2" \
  set:0=400 set:1=29 set:2=35 set:3=146 \
  set:4=11 set:5=11 set:6=5 set:7=9 \
  set:8=3 set:14=1 \
  set:15=1 set:16=1 set:32=1 set:36=0 set:37=1 set:41=0 \
  set:17=1 set:18=1 set:44=1 set:67=1 \
  set:85=63 set:86=5 set:87=1 \
  set:91=1 set:92=1 set:93=1 set:94=1 set:95=1 set:100=1 set:101=1 \
  set:103=1 set:104=1 set:105=1 set:106=1 set:107=1
