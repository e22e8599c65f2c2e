// Battles: the fight with the monster stepped into, a scripted one, and the rounds they write as
// steps. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void battle(Game& game);
void scriptedBattle(Game& game, int cell);
void pushBattleRound(Game& game, int target, TileCode heroTile, int form, int monsterArg = -1);
void pushRounds(Game& game, std::int64_t n, int target, TileCode heroTile, int form);
void writeOutRounds(Game& game);

}  // namespace kelvorn
