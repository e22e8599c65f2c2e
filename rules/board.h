// The board's hooks: cells, overlays, slides and the dissolve handed to the view, and the idle
// animation's tick. Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

void animationTick(Game& game);
void overlayCell(Game& game, int cell, int background, int sprite, int mask);
void slideSprite(Game& game, int from, int to);
void revealOne(Game& game, int mode, int k);
void drawCell(Game& game, int cell);

}  // namespace kelvorn
