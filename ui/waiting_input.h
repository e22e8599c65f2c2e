// Input that waits for the game to take it: a walk key pressed while a short script
// played (a pickup, a door), acted on once input unlocks, and a click's walk to a floor
// cell, one move at a time.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "rules/game.h"

namespace kelvorn::ui {

// The engine's key code of the window's arrows, Enter and Escape (0: none of them).
int engineKey(SDL_Keycode key);
bool isWalkKey(SDL_Keycode key);

class WaitingInput {
 public:
  explicit WaitingInput(Game& game) : game_(game) {}

  // A walk key kept while input is locked.
  void hold(SDL_Keycode key) { held_ = HeldKey{key, SDL_GetTicks64()}; }
  // A click's walk to `cell` of the floor the hero is on.
  void walkTo(int cell);
  // A key takes over from a click's walk.
  void stopWalk() { walk_.reset(); }
  // Whatever waits is dropped (an undo takes over).
  void clear();
  // Hands the game what waits, as far as it takes input now (`unlocked`).
  void feed(bool unlocked);

 private:
  void stepClickWalk();

  Game& game_;
  // A walk key pressed while input was locked, and when.
  struct HeldKey {
    SDL_Keycode key;
    std::uint64_t at;
  };
  std::optional<HeldKey> held_;
  // A click's walk to a floor cell: it stops when the floor or the hero's life changes or
  // a move does not end where it should.
  struct ClickWalk {
    int floor, target, expectedCell;
    std::int32_t life;
  };
  std::optional<ClickWalk> walk_;
};

}  // namespace kelvorn::ui
