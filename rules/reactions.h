// What the monsters do after a move: the magicians' and the sergeants' strikes.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void afterMoveChecks(Game& game);
void magicAttack(Game& game, int code, int offset);
void sergeantsStrike(Game& game);
void monsterReactions(Game& game);

}  // namespace kelvorn
