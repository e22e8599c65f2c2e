// The rankings of the five checkpoints, with the boxes of their own: a damaged file's
// notice, the Clear question and the name box of a new place. What the player does in
// it goes into the game's replay.
#pragma once

#include <array>
#include <optional>

#include "rules/game.h"
#include "storage/ranking_board.h"
#include "storage/save_holder.h"
#include "ui/widgets.h"

namespace kelvorn::ui {

class RankingWindow {
 public:
  explicit RankingWindow(Game& game) : game_(game) {}

  // Opens the rankings kept in `holder`.
  void open(const storage::SaveHolder& holder);
  bool isOpen() const { return board_.has_value(); }
  // The open rankings, for a replay's commands to act on as the player would.
  std::optional<storage::RankingBoard>& board() { return board_; }
  void draw(const Canvas& canvas);

 private:
  // The rankings' own boxes, one at a time.
  void drawBoxes(const Canvas& canvas, storage::RankingBoard& board);

  Game& game_;
  std::optional<storage::RankingBoard> board_;
  std::array<char, 256> name_{};  // the text of the name box
};

}  // namespace kelvorn::ui
