// The Game menu's "Can I still win?": the goal is chosen, the search runs on its own
// thread behind a progress bar with Cancel, the answer is said in plain words, and a
// route found can be shown on the board one move at a time.
#pragma once

#include <string>

#include "rules/game.h"
#include "ui/route_check.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class RouteWindow {
 public:
  // The search starts from the game as it stands when asked.
  explicit RouteWindow(const Game& game) : game_(game) {}

  void open();
  bool isOpen() const { return open_; }
  // Searches for goal 0 (the floor above the highest reached), 1 (the next checkpoint)
  // or 2 (the ending), as the window's Search button does.
  void ask(int goal);
  // The answer the window shows, empty while the search runs.
  std::string answer() const;
  // The window, in the middle of a picture of `width` x `height`.
  void draw(float width, float height);
  // The move of the route shown, over the board.
  void drawOverlay(const Canvas& canvas) const;

 private:
  const Game& game_;
  RouteCheck check_;
  bool open_ = false;
  bool asked_ = false;  // a goal was chosen: the search runs or has answered
  int goal_ = 0;        // the floor above the highest reached, a checkpoint, the ending
  std::string goalText_;
  int start_ = 0;  // the hero's cell when the search started
  int step_ = -1;  // the move of the route shown on the board, or none
};

}  // namespace kelvorn::ui
