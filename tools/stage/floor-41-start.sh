#!/usr/bin/env bash
# Writes the save the route segment of floors 41 to 49 starts from: a first game whose
# hero has just come up the stairs of floor 40 on the fourth checkpoint's par line.
#   tools/stage/floor-41-start.sh BIN_DIR OUT.sav
# The hero stands on floor 41's arrival cell 16 facing down, with the fourth checkpoint's
# par as the fairy judges it (life 1600, offense 152, defense 198) and floor 40's reward
# that every hero then picks up (three blue elixirs, three red and three blue crystals,
# three keys): life 4000, offense 164, defense 210; 500 gold, six altar offerings made,
# three fairies met; he holds the orbs of the hero, of wisdom and of flying and the
# cross, the iron, silver and knight swords and shields, and nothing else (no mattock,
# ball, staff or elixir left: the segment needs none). The scenes below floor 41 have
# played: every story dialogue up to the fourth fairy's is closed (except the thief's
# farewells on floors 2 and 35 and the floor-25 and floor-26 scenes, which the end game
# plays), and floor 32's arrival and floor 34's and 40's rewards are marked done.
set -euo pipefail
words=(
  set:0=4000 set:1=164 set:2=210 set:3=500
  set:4=41 set:5=41 set:6=5 set:7=1 set:88=1
  set:8=3 set:9=0 set:10=0 set:11=6 set:14=3
  set:15=3 set:16=3
  set:17=1 set:18=1 set:19=1 set:20=1
  set:32=1 set:33=1 set:34=1 set:35=0 set:36=0
  set:37=1 set:38=1 set:39=1 set:40=0 set:41=0
  set:148=1 set:150=1 set:155=1
)
for n in 1 2 3 4 10 11 13 14 16 17 18 20 21 22 30 31 34 35 36 37 38 39 40; do
  words+=("set:$((90 + n))=1")
done
"$1/kelvorn-stage" "$2" "${words[@]}"
