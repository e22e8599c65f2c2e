// The window after an internal error: the game has been kept in the recovery file, and
// the window shows only what happened and where the game went, until the player closes
// it. It is drawn with the window's own interface, which needs nothing but the renderer.
#pragma once

#include <SDL.h>

#include <string>

#include "rules/game.h"

namespace kelvorn::ui {

class FailureScreen {
 public:
  bool shown() const { return !text_.empty(); }
  // Keeps the game for recovery and words what happened; the error stream hears it too.
  void show(const std::string& what, const Game& game);
  // One turn of the screen's own loop; false once the player closed it.
  bool loopOnce(int maxWaitMs, SDL_Renderer* renderer);

 private:
  std::string text_;
};

}  // namespace kelvorn::ui
