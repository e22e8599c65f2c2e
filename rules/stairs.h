// Stairs: the floor change and its dissolve.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void stairs(Game& game, bool up);
void faceAwayFrom(Game& game, TileCode stairs);
void floorChangeDissolve(Game& game);

}  // namespace kelvorn
