#!/usr/bin/env bash
# Writes the save the route segment of floors 31 to 40 starts from: a first game on the
# par line as the hero comes up the stairs from floor 30 onto floor 31 (cell 16).
#   tools/stage/floor-31-start.sh BIN_DIR OUT.sav
# Life 1200, offense 113, defense 139 (halfway between the par of floors 20 and 40),
# 600 gold; two yellow keys, one blue key, no red key. The silver sword and shield, the
# orbs of the hero, of wisdom and of flying, and the cross; the floor-16 elixir and the
# floor-15 mattock already spent. Five offerings made at the altars of floors 4 and 12;
# two fairies' judgements (floors 10 and 20). The hints and deals of the floors below
# are heard; the prison's rooms on floor 2 are still barred behind their Gate-Keepers,
# where the thief sits in the corner room (cell 120), caught again as he promised.
# Floor 1 and the prison as the prologue left them, the capture's event cell spent.
set -euo pipefail
"$1/kelvorn-stage" "$2" \
  set:0=1200 set:1=113 set:2=139 set:3=600 \
  set:4=31 set:5=31 set:6=5 set:7=1 set:88=1 \
  set:8=2 set:9=0 set:10=1 set:11=5 set:14=2 set:87=2 \
  set:15=2 set:16=2 set:32=1 set:33=1 set:36=0 set:37=1 set:38=1 set:41=0 \
  set:17=1 set:18=1 set:19=1 set:20=1 \
  set:43=1 set:44=1 set:45=1 set:47=1 set:55=2 set:56=2 set:57=2 set:59=2 \
  set:67=1 set:68=2 set:69=2 set:70=2 set:71=2 set:72=2 set:73=2 set:74=2 \
  set:91=1 set:92=1 set:93=1 set:94=1 set:95=1 set:100=1 set:101=1 \
  set:103=1 set:104=1 set:105=1 set:106=1 set:107=1 set:108=1 set:109=1 \
  set:110=1 set:111=1 set:112=1 set:117=1 set:118=1 set:119=1 set:151=1 \
  cell:1:2=6 cell:1:3=6 cell:1:4=6 cell:1:103=6 cell:1:93=6 cell:3:92=6 \
  cell:2:67=6 cell:2:68=6 cell:2:120=21
