// Doors, gates and walls: pushed, opened with keys, and the floors' door puzzles.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// Rules of play (the judge and what it calls).
void pushDoor(Game& game, int cell, int kind);
void keyDoor(Game& game, TileCode door);
void doorPuzzles(Game& game);
void doorStep(Game& game, const WorkStep& step);

}  // namespace kelvorn
