// The buttons of conversations and items over the pictures: the message window with its
// OK, the item icons, Yes and No, the altar's choices, "Don't use" and "Use", the flight
// buttons, the hint grid and the forecast panel, with the keyboard moving between them.
#pragma once

#include <SDL.h>

#include <array>

#include "rules/game.h"
#include "ui/texture.h"
#include "ui/widgets.h"
#include "view/game_drawing.h"

namespace kelvorn::ui {

class GameButtons {
 public:
  GameButtons(Game& game, const GameDrawing& drawing) : game_(game), drawing_(drawing) {}

  void drawItemIcons(const Canvas& canvas);
  void drawForecast(const Canvas& canvas, SDL_Renderer* renderer);
  void drawMessageWindow(const Canvas& canvas);
  void drawAnswerButtons(const Canvas& canvas);
  void drawFlightButtons(const Canvas& canvas);
  void drawHintGrid(const Canvas& canvas);
  // The keyboard for the buttons showing: true when the key was taken by one of them.
  bool takeKey(SDL_Keycode key);

 private:
  Game& game_;
  const GameDrawing& drawing_;
  ButtonFocus focus_;
  std::array<Texture, 7> forecastPortraits_;
};

}  // namespace kelvorn::ui
