// The drawing of a driver run that draws as the window does: the window's own view,
// with black pictures of the real sizes, its motions dropped after every command.
#pragma once

#include <optional>

#include "view/game_drawing.h"
#include "commands/driver.h"

namespace kelvorn::play {

class MemoryDrawing : public commands::DriverDrawing {
 public:
  void setSize(Game& game, bool large) override;
  void commandDone() override;

 private:
  std::optional<GameDrawing> view_;
};

}  // namespace kelvorn::play
