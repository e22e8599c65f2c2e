// Picking up what lies on a cell.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void pickup(Game& game, TileCode item);

}  // namespace kelvorn
