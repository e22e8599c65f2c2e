// The story events of the floors (the map events).
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// Story scenes and bosses.
void mapEvent(Game& game);

}  // namespace kelvorn
