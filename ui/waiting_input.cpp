#include "ui/waiting_input.h"

#include <vector>

#include "ui/widgets.h"

namespace kelvorn::ui {

namespace {
// A walk key pressed while a short script plays (a pickup, a door: under a second at
// every speed) is acted on when input unlocks; one pressed longer ago than this, early in
// a long scene or fight, is dropped. A key held down keeps repeating, so it always acts.
constexpr int kHeldKeyMs = 1000;
}  // namespace

int engineKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_RETURN: return 13;
    case SDLK_ESCAPE: return 27;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    default: return 0;
  }
}

bool isWalkKey(SDL_Keycode key) {
  return key == SDLK_LEFT || key == SDLK_UP || key == SDLK_RIGHT || key == SDLK_DOWN;
}

void WaitingInput::walkTo(int cell) {
  held_.reset();
  walk_ = ClickWalk{game_.state[gs::Floor], cell, -1, game_.state[gs::Life]};
}

void WaitingInput::clear() {
  held_.reset();
  walk_.reset();
}

void WaitingInput::feed(bool unlocked) {
  if (!held_ && !walk_) return;
  // A window or its buttons came up: what was waiting was meant for the board, not them.
  if (buttonsShowing(game_) || game_.question || game_.dialogs.notice) {
    clear();
    return;
  }
  if (!unlocked) return;
  if (held_) {
    const HeldKey held = *held_;
    clear();
    if (SDL_GetTicks64() - held.at <= kHeldKeyMs) game_.keyDown(engineKey(held.key));
    return;
  }
  stepClickWalk();
}

// One move of a click's walk, found afresh from where the hero stands, so a board that
// changed on the way is walked around or stops the walk.
void WaitingInput::stepClickWalk() {
  ClickWalk& walk = *walk_;
  const bool onCourse = game_.state[gs::Floor] == walk.floor &&
                        game_.state[gs::Life] == walk.life &&
                        (walk.expectedCell < 0 || game_.state.heroCell() == walk.expectedCell);
  const std::vector<int> moves = onCourse ? game_.floorWalk(walk.target) : std::vector<int>{};
  if (moves.empty()) {
    walk_.reset();
    return;
  }
  static constexpr int kKey[] = {0, 38, 37, 39, 40};
  static constexpr int kStep[] = {0, -kBoardSide, -1, 1, kBoardSide};
  walk.expectedCell = game_.state.heroCell() + kStep[moves.front()];
  if (moves.size() == 1) walk_.reset();
  game_.keyDown(kKey[moves.front()]);
}

}  // namespace kelvorn::ui
