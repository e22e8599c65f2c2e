// Items: using one, and the orbs of flying, wisdom and the hero.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// Items.
void useItem(Game& game, int slot);
void orbOfFlying(Game& game);
void orbOfWisdom(Game& game);
void orbOfTheHero(Game& game);
void addForecast(Game& game, int kind);
void pushDissolveOut(Game& game, int cell);

}  // namespace kelvorn
