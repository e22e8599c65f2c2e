// The replay of a game: its input recorded as a script of the headless driver
// (kelvorn-play), from the first position the game rested in after start-up or its
// last load, to now; new games begun on the way (the back side, a death) are part of
// it, as their state follows from the game before. Playing the script with `kelvorn-play --load` of the starting
// position's bytes makes the same calls on the engine with the same time between them,
// so it ends in the same state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/host.h"

namespace kelvorn {

class Game;

class ReplayLog {
 public:
  // Only a game that asks for a replay keeps one (the window, `kelvorn-play --record`).
  bool enabled = false;

  // Marks one input of the player while it runs; inputs it makes on the way (Enter
  // clicking the item under the cursor) are part of it and not noted again.
  class Scope {
   public:
    explicit Scope(ReplayLog& log) : log_(log) { ++log_.depth_; }
    ~Scope() { --log_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ReplayLog& log_;
  };
  // Notes an input as the driver's command (`up`, `click item 3`, `menu save 2`); an
  // empty command is an input the game ignores.
  [[nodiscard]] Scope note(const Game& game, std::string_view command);
  // Notes time handed to the game.
  void tick(const Game& game, int ms);

  // True once a record has begun; the game it began from, and the script so far.
  bool recording() const { return start_.has_value(); }
  const std::optional<SavedGame>& start() const { return start_; }
  std::string script() const;

 private:
  // Drops the record after a load and begins the next one once the game rests.
  void follow(const Game& game);
  void flushTime();

  std::optional<SavedGame> start_;
  std::string text_;
  std::int64_t pendingMs_ = 0;
  std::uint64_t loads_ = ~std::uint64_t{0};
  int depth_ = 0;
};

}  // namespace kelvorn
