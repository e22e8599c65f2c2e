// The judge: what stepping onto a cell does, and the scenes of the last floors.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void judge(Game& game);
void falseWall(Game& game);
void hiddenTrigger(Game& game);
void princessScene(Game& game);
void finalFloor(Game& game);
void pushEnding(Game& game);

}  // namespace kelvorn
