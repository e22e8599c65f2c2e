// The game's own boxes: a question answered Yes or No, and a notice closed with OK. The
// keyboard answers them before anything else.
#pragma once

#include <SDL.h>

#include "rules/game.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class MessageBoxes {
 public:
  explicit MessageBoxes(Game& game) : game_(game) {}

  bool showing() const { return game_.question || game_.dialogs.notice; }
  // Enter takes the focused button, Escape and N say No, Y says Yes, the arrow keys and
  // Tab move between Yes and No. True when a box is showing: it takes every key.
  bool takeKey(SDL_Keycode key);
  void draw(const Canvas& canvas);

 private:
  Game& game_;
  bool yesFocused_ = true;
};

}  // namespace kelvorn::ui
