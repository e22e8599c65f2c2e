// The picture sequences' frames and the full-window pictures.
// Internal to the rules: only rules/ includes it.
#pragma once

#include "rules/game.h"

namespace kelvorn {

// The picture sequences' frames and the full-window pictures (picture_sequences.cpp).
void pictureFrame(Game& game, int mode, int p);
void showTitlePicture(Game& game);
void presentBackBuffer(Game& game);
void coverWindow(Game& game, ScenePicture picture, int brightness = 256, int ending = 0);

}  // namespace kelvorn
