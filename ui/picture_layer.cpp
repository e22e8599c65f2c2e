#include "ui/picture_layer.h"

#include <iostream>

namespace kelvorn::ui {

void PictureLayer::load(SDL_Renderer* renderer, const Layout& layout) {
  pictures_ = loadLayoutPictures(folder_, layout);
  if (!pictures_.missing.empty()) {
    std::cerr << "kelvorn: pictures missing in " << folder_.string() << ":";
    for (const auto& name : pictures_.missing) std::cerr << " " << name;
    std::cerr << "\n";
  }
  drawing_.setLayout(layout, pictures_.sheets);
  drawing_.scenes = {pictures_.opening[0], pictures_.opening[1], pictures_.opening[2],
                     pictures_.centre,     pictures_.title,      pictures_.titleWon,
                     pictures_.left,       pictures_.right,      pictures_.leftWon,
                     pictures_.rightWon,   pictures_.endings,    pictures_.endingScroll,
                     pictures_.endingLast};
  centre_.upload(renderer, pictures_.centre);
  boardGeneration_ = ~0ull;
}

void PictureLayer::uploadPanels(SDL_Renderer* renderer) {
  const bool won = game_.state[gs::LevelBoost] != 0;
  left_.upload(renderer, won ? pictures_.leftWon : pictures_.left);
  right_.upload(renderer, won ? pictures_.rightWon : pictures_.right);
  keyPanel_.upload(renderer, drawing_.panels.keyPanel);
  swordIcon_.upload(renderer, drawing_.panels.swordIcon);
  shieldIcon_.upload(renderer, drawing_.panels.shieldIcon);
  monster_.upload(renderer, drawing_.panels.monsterPicture);
  for (int s = 0; s < kItemSlots; ++s) icons_[s].upload(renderer, drawing_.panels.itemIcons[s]);
}

void PictureLayer::draw(SDL_Renderer* renderer, int top) {
  const Layout& l = drawing_.layout;
  const bool intro = game_.introRunning();
  if (!intro) uploadPanels(renderer);
  if (intro || game_.controls.sceneVisible) {
    // The intro and the scenes cover the board and the side panels with one picture.
    scene_.upload(renderer,
                  drawing_.scenePicture.empty() ? pictures_.opening[0] : drawing_.scenePicture);
    scene_.draw(renderer, 0, top);
  } else {
    centre_.draw(renderer, l.centrePanel.x, l.centrePanel.y + top);
    left_.draw(renderer, l.leftPanel.x, l.leftPanel.y + top);
    right_.draw(renderer, l.rightPanel.x, l.rightPanel.y + top);
    // A walk in progress shows its pictures one per frame before the settled board.
    const Bitmap* shown = &drawing_.board.shown;
    if (!drawing_.board.motion.empty()) {
      shown = &drawing_.board.motion.front();
      board_.upload(renderer, *shown);
      drawing_.board.motion.erase(drawing_.board.motion.begin());
      boardGeneration_ = ~0ull;
    } else if (boardGeneration_ != drawing_.board.generation) {
      board_.upload(renderer, *shown);
      boardGeneration_ = drawing_.board.generation;
    }
    board_.draw(renderer, l.board.x, l.board.y + top);
  }
  if (intro || !game_.controls.panelsVisible) return;
  swordIcon_.draw(renderer, l.swordIcon.x, l.swordIcon.y + top);
  shieldIcon_.draw(renderer, l.shieldIcon.x, l.shieldIcon.y + top);
  if (drawing_.panels.keyPanelVisible) keyPanel_.draw(renderer, l.keyPanel.x, l.keyPanel.y + top);
  if (drawing_.panels.monsterPictureVisible)
    monster_.draw(renderer, l.monsterPicture.x, l.monsterPicture.y + top);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s])
      icons_[s].draw(renderer, l.itemIcons[s].x, l.itemIcons[s].y + top);
  if (game_.dialogs.cursorShown) {
    const Rect& r = l.itemIcons[game_.dialogs.itemCursor];
    const SDL_Rect frame{r.x, r.y + top, r.w, r.h};
    SDL_SetRenderDrawColor(renderer, 255, 220, 60, 255);
    SDL_RenderDrawRect(renderer, &frame);
    const SDL_Rect inner{r.x + 1, r.y + top + 1, r.w - 2, r.h - 2};
    SDL_RenderDrawRect(renderer, &inner);
  }
}

}  // namespace kelvorn::ui
