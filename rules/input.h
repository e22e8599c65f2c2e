// Moves: a move asked for, the walk it makes, the neighbours looked at after it, and the item
// cursor. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void moveRequest(Game& game, int direction, bool turn = true);
void walk(Game& game);
int scanNeighbours(Game& game, bool markNearStairs = true);
void moveCursor(Game& game, int delta, int direction);
void showCursor(Game& game, int direction);

}  // namespace kelvorn
