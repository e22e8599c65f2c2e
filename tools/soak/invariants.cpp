#include "tools/soak/invariants.h"

#include <cstdint>

namespace kelvorn::soak {

bool storedCode(TileCode t) {
  if (t >= 1 && t <= 17) return true;                                    // doors .. altars
  if (t == 19 || t == 21 || t == 23 || t == 25 || t == 27) return true;  // characters
  if (t >= 29 && t <= 60) return t != 36;  // keys, potions, gems, items, swords, shields
  if (t >= 61 && t <= 95) return t % 2 == 1;
  if ((t >= 97 && t <= 105) || (t >= 115 && t <= 123)) return true;  // octopus, dragon
  if (t >= 133 && t <= 157) return t % 2 == 1;
  return false;
}

std::bitset<256> unknownCodes(const FloorStore& floors) {
  std::bitset<256> codes;
  for (int f = 0; f < kFloors; ++f)
    for (int c = 0; c < kCells; ++c)
      if (const TileCode t = floors.cell(f, c); !storedCode(t)) codes.set(t);
  return codes;
}

bool waitingForPlayer(const Game& game, const OpenWindows& windows) {
  const Controls& c = game.controls;
  return game.waitingForPlayer() || c.yesNoVisible || c.altarChoicesVisible || c.confirmSlot >= 0 ||
         c.flightVisible || c.hintGridVisible || c.forecastVisible || windows.ranking ||
         windows.chooser;
}

std::optional<Finding> InvariantChecker::cellWritten(int floor, int cell, TileCode code) const {
  if (storedCode(code) || loadable_.test(code)) return std::nullopt;
  return Finding{"a cell the game wrote holds an unknown code",
                 "code " + std::to_string(code) + " in cell " + std::to_string(cell) +
                     " of floor " + std::to_string(floor)};
}

std::optional<Finding> InvariantChecker::allCells(const Game& game) {
  ++checks_;
  for (int f = 0; f < kFloors; ++f)
    for (int c = 0; c < kCells; ++c)
      if (auto broken = cellWritten(f, c, game.floors.cell(f, c))) return broken;
  return std::nullopt;
}

std::optional<Finding> InvariantChecker::after(const Game& game, const OpenWindows& windows) {
  const GameState& s = game.state;
  const std::pair<bool, const char*> ranges[] = {
      {s[gs::Life] >= 0, "Life is negative"},
      {s[gs::Gold] >= 0, "Gold is negative"},
      {s[gs::YellowKeys] >= 0 && s[gs::RedKeys] >= 0 && s[gs::BlueKeys] >= 0,
       "a key count is negative"},
      {s[gs::HeroX] >= 0 && s[gs::HeroX] <= 10 && s[gs::HeroY] >= 0 && s[gs::HeroY] <= 10,
       "the hero is off the board"},
      {s[gs::Floor] >= 0 && s[gs::Floor] <= 50, "the floor is outside 0..50"},
      {s[gs::HighestFloor] >= 0 && s[gs::HighestFloor] <= 50, "the highest floor is outside 0..50"},
  };
  for (const auto& [holds, what] : ranges) {
    ++checks_;
    if (!holds)
      return Finding{what, "Life " + std::to_string(s[gs::Life]) + ", Gold " +
                               std::to_string(s[gs::Gold]) + ", floor " +
                               std::to_string(s[gs::Floor]) + ", hero at " +
                               std::to_string(s[gs::HeroX]) + "," + std::to_string(s[gs::HeroY])};
  }

  ++checks_;
  const auto& now = game.floors.bytes();
  const auto& was = floorsBefore_.bytes();
  for (int f = 0; f < kFloors; ++f)
    for (int c = 0; c < kCells; ++c) {
      const std::size_t at = static_cast<std::size_t>(f) * kFloorRecordSize + 2 + c;
      if (now[at] != was[at])
        if (auto broken = cellWritten(f, c, now[at])) return broken;
    }

  // The controls of items work only for items the hero holds: a new game or a load
  // takes items away, and a Use or a flight button left behind would use one. (An icon
  // may still show, disabled, while the script of its use runs.)
  ++checks_;
  const Controls& c = game.controls;
  auto held = [&](int slot) { return slot == 7 ? s.itemSlot(7) > 0 : s.itemSlot(slot) != 0; };
  auto stale = [&](const char* what, int slot) {
    return Finding{"an item control works for an item the hero does not hold",
                   std::string(what) + " of item slot " + std::to_string(slot) + " (value " +
                       std::to_string(s.itemSlot(slot)) + ")"};
  };
  for (int slot = 0; slot < kItemSlots; ++slot)
    if (c.iconVisible[slot] && c.iconEnabled[slot] && !held(slot)) return stale("the icon", slot);
  if (c.confirmSlot >= 0 && (c.confirmSlot >= kItemSlots || !held(c.confirmSlot)))
    return stale("Use and Don't use", c.confirmSlot);
  if (c.forecastVisible && !held(0)) return stale("the forecast", 0);
  if (c.hintGridVisible && !held(1)) return stale("the hint buttons", 1);
  if (c.flightVisible && !held(2)) return stale("the flight buttons", 2);

  // Input: the keys work (unlocked, no steps left), or steps are running, or something
  // waits for the player. A death answered with No holds on purpose with only the Load
  // menu enabled.
  ++checks_;
  const bool running = game.timers.enabled(TimerId::Steps) || game.introRunning();
  if (!running && !waitingForPlayer(game, windows)) {
    if (!c.optionsEnabled && !c.loadEnabled)
      return Finding{"input locked with nothing pending and nothing waiting for the player",
                     "floor " + std::to_string(s[gs::Floor]) + ", dialogue " +
                         std::to_string(game.dialogs.dialogKind) + ", " +
                         std::to_string(game.stack.count()) + " steps left"};
    if (c.optionsEnabled && game.stack.count() != 0)
      return Finding{
          "steps left with no timer to run them: every key is refused",
          std::to_string(game.stack.count()) + " steps, floor " + std::to_string(s[gs::Floor])};
  }
  return std::nullopt;
}

}  // namespace kelvorn::soak
