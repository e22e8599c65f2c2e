// Undo and redo for the window: the positions the game rested in before each of the
// player's last actions (a move, a fight, a pickup, a purchase, a whole conversation),
// taken back one by one. The history starts again wherever the game begins anew or
// something outside the game depends on it: a new game, a load, a save, a fairy's
// judgement, the rankings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "rules/position.h"

namespace kelvorn {

class UndoHistory {
 public:
  // How many actions back undo reaches.
  static constexpr std::size_t kDepth = 100;

  // Looks at the game after anything may have happened (an input, a tick): a new
  // position it rests in after an action makes the one before it an undo step.
  void observe(const Game& game);

  bool canUndo(const Game& game) const { return !undo_.empty() && atRest(game); }
  bool canRedo(const Game& game) const { return !redo_.empty() && atRest(game); }
  std::size_t undoDepth() const { return undo_.size(); }

  // Take the last action back, or do it again; nothing happens unless offered. Both are
  // noted in the game's replay, which plays them back with its own history.
  void undo(Game& game);
  void redo(Game& game);

 private:
  void restart();

  std::uint64_t barriers_ = ~std::uint64_t{0};
  std::optional<Position> rest_;  // where the game rests now, or last rested
  std::deque<Position> undo_;
  std::vector<Position> redo_;
};

}  // namespace kelvorn
