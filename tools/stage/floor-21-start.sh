#!/usr/bin/env bash
# Writes the save the route segment of floors 21 to 30 starts from: a first game on the
# second checkpoint's par line, just up the stairs the Vampire left on floor 20.
#   tools/stage/floor-21-start.sh BIN_DIR OUT.sav
# Floor 20's par as the fairy judges it (life 800, offense 74, defense 80) with the
# Vampire's rewards that every hero then picks up (three blue elixirs, three red and
# three blue crystals: life 2000, offense 80, defense 86), 700 gold; his three keys, no
# blue or red key. The silver sword and shield over the iron ones; the orbs of
# the hero, of wisdom and of flying, the cross, and the magic elixir and magic mattock
# still unused. Four altar offerings, two fairy judgements. The hero stands on floor
# 21's up-arrival cell 16, facing down, away from the stairs.
set -euo pipefail
"$1/kelvorn-stage" "$2" \
  set:0=2000 set:1=80 set:2=86 set:3=700 \
  set:4=21 set:5=21 set:6=5 set:7=1 set:88=1 \
  set:8=3 set:9=0 set:10=0 set:11=4 set:14=2 set:85=60 set:87=2 \
  set:15=2 set:16=2 set:32=1 set:33=1 set:36=0 set:37=1 set:38=1 set:41=0 \
  set:17=1 set:18=1 set:19=1 set:20=1 set:21=1 set:22=1 \
  set:42=1 set:43=1 set:44=1 set:45=1 set:47=1 \
  set:54=1 set:55=2 set:56=2 set:57=2 set:59=2 \
  set:66=1 set:67=1 set:68=2 set:69=2 set:70=2 set:71=2 set:72=2 \
  set:91=1 set:92=1 set:93=1 set:94=1 set:95=1 set:98=1 set:100=1 set:101=1 \
  set:103=1 set:104=1 set:105=1 set:106=1 set:107=1 set:108=1 set:109=1 \
  set:110=1 set:111=1 set:112=1 set:152=1
