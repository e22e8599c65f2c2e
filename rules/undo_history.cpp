#include "rules/undo_history.h"

#include "rules/game.h"

namespace kelvorn {

void UndoHistory::restart() {
  rest_.reset();
  undo_.clear();
  redo_.clear();
}

void UndoHistory::observe(const Game& game) {
  if (game.records.undoBarriers != barriers_) {
    barriers_ = game.records.undoBarriers;
    restart();
  }
  if (!atRest(game)) return;
  if (rest_ && rest_->state == game.state && rest_->floors == game.floors) {
    // The same position; only what the bar or the monster panel says may have changed
    // (a wall bumped into), and that is what undo shows when it comes back here.
    *rest_ = positionOf(game);
    return;
  }
  if (rest_) {
    undo_.push_back(std::move(*rest_));
    if (undo_.size() > kDepth) undo_.pop_front();
    redo_.clear();
  }
  rest_ = positionOf(game);
}

void UndoHistory::undo(Game& game) {
  if (!canUndo(game)) return;
  const auto noted = game.records.replay.note(game, "undo");
  redo_.push_back(positionOf(game));
  rest_ = std::move(undo_.back());
  undo_.pop_back();
  restorePosition(game, *rest_);
}

void UndoHistory::redo(Game& game) {
  if (!canRedo(game)) return;
  const auto noted = game.records.replay.note(game, "redo");
  undo_.push_back(positionOf(game));
  rest_ = std::move(redo_.back());
  redo_.pop_back();
  restorePosition(game, *rest_);
}

}  // namespace kelvorn
