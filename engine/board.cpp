// Drawing the board: the two animation frames, the hero over his cell, the idle
// animation, and the pictures steps draw while a script plays.
#include <algorithm>
#include <cstdlib>

#include "engine/game.h"

namespace kelvorn {

namespace {
bool validFacing(int facing) { return facing >= 1 && facing <= 4; }
}  // namespace

void Game::setLayout(const Layout& newLayout, PictureSet newPictures) {
  layout = newLayout;
  pictures = std::move(newPictures);
  const int side = kBoardSide * layout.tileSize;
  for (Bitmap& frame : board.frames) frame = Bitmap(side, side);
  board.shown = Bitmap(side, side);
  board.motion.clear();
  ++board.generation;
  drawing_ = true;
  if (viewBehind_) {
    // The rules have played on without a view: the board, the hero and the panels as
    // the state has them now.
    viewBehind_ = false;
    for (int k = 1; k <= kCells; ++k) drawCell(revealCell(k));
    drawHeroAfterMove();
    present();
    drawKeyPanel();
    drawItemPanel();
    drawMonsterPanel();
    if (monsterKind >= 0 && monsterKind < kMonsterKinds)
      panels.monsterStats[0] = std::to_string(monsterLife);  // as far as the fight went
  }
}

bool Game::drawingSkipped() {
  if (!drawing_) viewBehind_ = true;
  return !drawing_;
}

void Game::drawCell(int cell) {
  if (drawingSkipped()) return;
  const int t = layout.tileSize;
  const int x = cellColumn(cell) * t, y = cellRow(cell) * t;
  const TileCode code = floors.cell(state[gs::Floor], cell);
  draw(board.frames[0], x, y, pictures.tiles[code - 1]);
  const int second = code - 1 + frameOffset(code, state[gs::PrincessStill] == 1);
  draw(board.frames[1], x, y, pictures.tiles[second]);
}

// Drawing a floor anew also forgets that the hero stood beside its stairs: a rule, so
// it holds with or without a view.
void Game::drawFloor() {
  state.extra[extra::NearStairs] = 0;
  if (drawingSkipped()) return;
  for (int k = 1; k <= kCells; ++k) drawCell(revealCell(k));
}

Bitmap Game::composeOver(const Bitmap& background, int sprite, const ImageList& maskList,
                         int mask) const {
  Bitmap composite = background;
  Bitmap spriteBitmap = pictures.tiles[sprite];
  Bitmap maskBitmap = maskList[mask];
  maskedMerge(composite, spriteBitmap, maskBitmap);
  return composite;
}

Bitmap Game::composeHero(int pose) const {
  const TileCode code = floors.cell(state[gs::Floor], state.heroCell());
  return composeOver(pictures.tiles[code - 1], pose, pictures.tiles, pose + 1);
}

void Game::drawHeroAfterMove() {
  const int facing = state[gs::Facing];
  if (!validFacing(facing) || drawingSkipped()) return;
  const int g = image::heroPoses(facing);
  const int t = layout.tileSize;
  const int x = state[gs::HeroX] * t, y = state[gs::HeroY] * t;
  draw(board.frames[1], x, y, composeHero(g));
  draw(board.frames[0], x, y, composeHero(g + 2));
}

void Game::present() {
  if (drawingSkipped()) return;
  board.shown = board.frames[0];
  ++board.generation;
}

void Game::animationTick() {
  const int f = board.phase;
  const bool draws = !drawingSkipped();
  if (draws) {
    board.shown = board.frames[f];
    ++board.generation;
  }
  if (state[gs::BoardHold] == 0) {
    // The two large monsters leave their outline in the frames once their body cell is
    // taken; paint the eight cells around and above the hero as plain floor, once per frame.
    const int floor = state[gs::Floor];
    const int cell = state.heroCell();
    const bool octopus = floor == 15 && cell == 60;
    const bool dragon = floor == 35 && cell == 71;
    int& shownCount = state[octopus ? gs::OctopusShown15 : gs::OctopusShown35];
    if ((octopus || dragon) && floors.cell(floor, cell) == tile::Floor && shownCount <= 1) {
      const int t = layout.tileSize, hx = state[gs::HeroX], hy = state[gs::HeroY];
      for (int dy = -2; dy <= 0 && draws; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (dx != 0 || dy != 0)
            draw(board.frames[f], (hx + dx) * t, (hy + dy) * t, pictures.tiles[image::PlainFloor]);
      ++shownCount;  // counted with or without a view: the saved game holds the count
    }
    const int facing = state[gs::Facing];
    if (validFacing(facing) && draws) {
      const int t = layout.tileSize;
      draw(board.frames[f], state[gs::HeroX] * t, state[gs::HeroY] * t,
           composeHero(image::heroPoses(facing) + 4));
    }
  }
  board.phase ^= 1;
  animationFrame = board.phase;
  if (!board.firstTickDone) {
    drawKeyPanel();
    board.firstTickDone = true;
  }
}

// One cell composed from picture numbers (picture n is image n - 1): a background and a
// sprite through a mask, into both frames (the second frame with both pictures' second
// animation frames), then shown.
void Game::overlayCell(int cell, int background, int sprite, int mask) {
  if (drawingSkipped()) return;
  const int t = layout.tileSize;
  const bool still = state[gs::PrincessStill] == 1;
  for (int f = 0; f < 2; ++f) {
    auto image = [&](int picture) {
      const int code = picture >= 0 && picture <= 255 ? picture : 0;
      return picture - 1 + (f == 1 ? frameOffset(static_cast<TileCode>(code), still) : 0);
    };
    draw(board.frames[f], cellColumn(cell) * t, cellRow(cell) * t,
         composeOver(pictures.tiles[image(background)], image(sprite), pictures.tiles,
                     mask - 1));
  }
  present();
}

// A figure slides from one cell into the next, one pixel at a time, over plain floor
// where it stood and the next cell's own picture; the window sees it at every quarter.
void Game::slideSprite(int from, int to) {
  const int t = layout.tileSize, floor = state[gs::Floor];
  const TileCode moving = floors.cell(floor, from);
  const int dx = cellColumn(to) - cellColumn(from), dy = cellRow(to) - cellRow(from);
  if (std::abs(dx) + std::abs(dy) == 1 && !drawingSkipped()) {
    const int quarter = std::max(t / 4, 1);
    const bool still = state[gs::PrincessStill] == 1;
    const Bitmap& target = pictures.tiles[floors.cell(floor, to) - 1];
    for (int i = 1; i <= t; ++i) {
      draw(board.frames[0], cellColumn(from) * t, cellRow(from) * t,
           pictures.tiles[image::PlainFloor]);
      draw(board.frames[0], cellColumn(to) * t, cellRow(to) * t, target);
      const int picture = moving - 1 + (i % quarter == 0 ? 0 : frameOffset(moving, still));
      const int x = cellColumn(from) * t + dx * i, y = cellRow(from) * t + dy * i;
      Bitmap under(t, t);
      blit(under, 0, 0, board.frames[0], x, y, t, t);
      draw(board.frames[0], x, y, composeOver(under, picture, pictures.masks, picture));
      if (i % quarter == 0) board.motion.push_back(board.frames[0]);
    }
  }
  floors.setCell(floor, to, moving);
  floors.setCell(floor, from, tile::Floor);
  drawCell(from);
  drawCell(to);
  present();
}

void Game::revealOne(int mode, int k) {
  if (k < 1 || k > kCells) return;
  const int c = revealCell(k);
  const int t = layout.tileSize, x = cellColumn(c) * t, y = cellRow(c) * t;
  const bool draws = !drawingSkipped();
  if (mode == 0) {
    if (draws) draw(board.shown, x, y, pictures.tiles[image::Black]);
    if (k == 1 && state[gs::SoundOff] == 0) host().playEffect(1);
  } else if (mode == 1) {
    if (draws) {
      drawCell(c);
      if (c == state.heroCell()) drawHeroAfterMove();
      blit(board.shown, x, y, board.frames[0], x, y, t, t);
    }
    if (k == kCells) {
      applyCheckedSpeed();
      timers.enable(TimerId::Animation, true);
    }
  }
  if (draws) ++board.generation;
}

}  // namespace kelvorn
