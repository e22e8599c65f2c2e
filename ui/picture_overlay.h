// What is written and pointed at over the pictures: the message bar and the panels'
// texts with their tooltips, the arrow buttons, the cost of every fight over its
// monster, the ending's thanks and back-side control, and the pointer over the board
// (a monster's name and cost, a click that walks to a floor cell).
#pragma once

#include <optional>
#include <vector>

#include "rules/game.h"
#include "ui/damage_figures.h"
#include "ui/settings.h"
#include "ui/widgets.h"
#include "view/game_drawing.h"

namespace kelvorn::ui {

class PictureOverlay {
 public:
  // The comforts in the settings decide what the overlay adds to the game's own.
  PictureOverlay(Game& game, const GameDrawing& drawing, const Settings& settings)
      : game_(game), drawing_(drawing), settings_(settings) {}

  void drawStatus(const Canvas& canvas);
  void drawArrows(const Canvas& canvas);
  void drawDamageFigures(const Canvas& canvas);
  void drawSceneText(const Canvas& canvas);
  // The cell a click on the board asks to walk to, if any.
  std::optional<int> drawBoardPointer(const Canvas& canvas);

 private:
  Game& game_;
  const GameDrawing& drawing_;
  const Settings& settings_;
  // The damage figures of the last moment no script played, and their floor.
  std::vector<DamageFigure> figures_;
  int figuresFloor_ = -1;
};

}  // namespace kelvorn::ui
