// The timers' firings and the speed they run at.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void onTimer(Game& game, TimerId id);
void introTick(Game& game);
void repeatTick(Game& game);
void applySpeed(Game& game, Speed speed);
// Re-applies the checked speed to the timers.
void applyCheckedSpeed(Game& game);

}  // namespace kelvorn
