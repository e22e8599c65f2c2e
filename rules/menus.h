// The options block applied to the menus' checks, and a save's writing.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void applyOptions(Game& game);
// Writes the game to save slot `slot` (its checksums set already): the bar says it was
// saved and undo stops there, or a box says why it was not. Input unlocks either way.
void writeSave(Game& game, int slot);

}  // namespace kelvorn
