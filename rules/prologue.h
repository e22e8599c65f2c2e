// The capture on floor 3 and the prison start.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// The capture on floor 3 and the prison start (prologue.cpp).
void captureEvent(Game& game);
void pushCaptureScene(Game& game);
void pushPrisonStart(Game& game);

}  // namespace kelvorn
