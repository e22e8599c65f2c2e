#include "tools/play/memory_drawing.h"

namespace kelvorn::play {

void MemoryDrawing::setSize(Game& game, bool large) {
  if (!view_) view_.emplace(viewedGame(game));
  const Layout layout = makeLayout(large);
  view_->setLayout(layout, blankSheets(layout.tileSize));
  game.attachView(&*view_);
}

void MemoryDrawing::commandDone() {
  if (view_) view_->board.motion.clear();
}

}  // namespace kelvorn::play
