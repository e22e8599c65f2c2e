// The options block applied to the menus' checks.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void applyOptions(Game& game);

}  // namespace kelvorn
