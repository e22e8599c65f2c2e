// Drawing the board: the two animation frames, the hero over his cell, the idle
// animation, and the motions and compositions a script draws.
#include <algorithm>
#include <cstdlib>

#include "view/game_drawing.h"

namespace kelvorn {

namespace {
enum Direction { kMoveUp = 1, kMoveLeft = 2, kMoveRight = 3, kMoveDown = 4 };
}  // namespace

void GameDrawing::setLayout(const Layout& newLayout, PictureSet newPictures) {
  layout = newLayout;
  pictures = std::move(newPictures);
  clearBoard();
  board.shown = board.frames[0];
  board.motion.clear();
  ++board.generation;
}

void GameDrawing::drawCell(int cell) {
  const int t = layout.tileSize;
  const int x = cellColumn(cell) * t, y = cellRow(cell) * t;
  const TileCode code = game_.play.floors.cell(game_.play.state[gs::Floor], cell);
  draw(board.frames[0], x, y, pictures.tiles[code - 1]);
  const int second = code - 1 + frameOffset(code, game_.play.state[gs::PrincessStill] == 1);
  draw(board.frames[1], x, y, pictures.tiles[second]);
}

Bitmap GameDrawing::composeOver(const Bitmap& background, int sprite, const ImageList& maskList,
                                int mask) const {
  Bitmap composite = background;
  Bitmap spriteBitmap = pictures.tiles[sprite];
  Bitmap maskBitmap = maskList[mask];
  maskedMerge(composite, spriteBitmap, maskBitmap);
  return composite;
}

Bitmap GameDrawing::composeHero(int pose) const {
  const TileCode code =
      game_.play.floors.cell(game_.play.state[gs::Floor], game_.play.state.heroCell());
  return composeOver(pictures.tiles[code - 1], pose, pictures.tiles, pose + 1);
}

void GameDrawing::drawHero() {
  const int g = image::heroPoses(game_.play.state[gs::Facing]);
  const int t = layout.tileSize;
  const int x = game_.play.state[gs::HeroX] * t, y = game_.play.state[gs::HeroY] * t;
  draw(board.frames[1], x, y, composeHero(g));
  draw(board.frames[0], x, y, composeHero(g + 2));
}

void GameDrawing::drawStandingHero() {
  const Bitmap standing = composeHero(image::heroPoses(game_.play.state[gs::Facing]) + 4);
  const int t = layout.tileSize;
  for (Bitmap& frame : board.frames)
    draw(frame, game_.play.state[gs::HeroX] * t, game_.play.state[gs::HeroY] * t, standing);
  present();
}

void GameDrawing::present() {
  board.shown = board.frames[0];
  ++board.generation;
}

void GameDrawing::clearBoard() {
  const int side = kBoardSide * layout.tileSize;
  for (Bitmap& frame : board.frames) frame = Bitmap(side, side);
}

void GameDrawing::animate(int frame, bool outline, bool hero) {
  board.shown = board.frames[frame];
  ++board.generation;
  const int t = layout.tileSize, hx = game_.play.state[gs::HeroX], hy = game_.play.state[gs::HeroY];
  // The two large monsters leave their outline in the frames once their body cell is
  // taken: the eight cells around and above the hero become plain floor.
  for (int dy = -2; dy <= 0 && outline; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (dx != 0 || dy != 0)
        draw(board.frames[frame], (hx + dx) * t, (hy + dy) * t, pictures.tiles[image::PlainFloor]);
  if (hero)
    draw(board.frames[frame], hx * t, hy * t,
         composeHero(image::heroPoses(game_.play.state[gs::Facing]) + 4));
}

void GameDrawing::reveal(int mode, int cell) {
  const int t = layout.tileSize, x = cellColumn(cell) * t, y = cellRow(cell) * t;
  if (mode == 0) {
    draw(board.shown, x, y, pictures.tiles[image::Black]);
  } else if (mode == 1) {
    drawCell(cell);
    const int facing = game_.play.state[gs::Facing];
    if (cell == game_.play.state.heroCell() && facing >= 1 && facing <= 4) drawHero();
    blit(board.shown, x, y, board.frames[0], x, y, t, t);
  }
  ++board.generation;
}

// The pictures of the hero's step from sourceCell to targetCell, into board.motion.
void GameDrawing::walkFrames() {
  const int t = layout.tileSize;
  // The window plays a walk's pictures at its own frame rate, so every speed shows the
  // same four: the hero in step pose A at each quarter of the way.
  const int quarter = std::max(t / 4, 1);
  const int direction = game_.scene.moveDirection;
  const bool backwards = direction == kMoveUp || direction == kMoveLeft;
  const bool horizontal = direction == kMoveLeft || direction == kMoveRight;
  const int first = backwards ? game_.scene.targetCell : game_.scene.sourceCell;
  const int second = backwards ? game_.scene.sourceCell : game_.scene.targetCell;
  const int floor = game_.play.state[gs::Floor];
  const int g = image::heroPoses(std::clamp(game_.play.state[gs::Facing], 1, 4));
  const int stripX = cellColumn(first) * t, stripY = cellRow(first) * t;

  Bitmap strip(horizontal ? 2 * t : t, horizontal ? t : 2 * t);
  for (int offset = quarter; offset <= t; offset += quarter) {
    draw(strip, 0, 0, pictures.tiles[game_.play.floors.cell(floor, first) - 1]);
    draw(strip, horizontal ? t : 0, horizontal ? 0 : t,
         pictures.tiles[game_.play.floors.cell(floor, second) - 1]);
    const int along = backwards ? t - offset : offset;
    const int sx = horizontal ? along : 0, sy = horizontal ? 0 : along;
    Bitmap under(t, t);
    blit(under, 0, 0, strip, sx, sy, t, t);
    draw(strip, sx, sy, composeOver(under, g, pictures.tiles, g + 1));
    draw(board.frames[0], stripX, stripY, strip);
    board.motion.push_back(board.frames[0]);
  }
}

// One cell composed from picture numbers (picture n is image n - 1): a background and a
// sprite through a mask, into both frames (the second frame with both pictures' second
// animation frames), then shown.
void GameDrawing::overlayCell(int cell, int background, int sprite, int mask) {
  const int t = layout.tileSize;
  const bool still = game_.play.state[gs::PrincessStill] == 1;
  for (int f = 0; f < 2; ++f) {
    auto image = [&](int picture) {
      const int code = picture >= 0 && picture <= 255 ? picture : 0;
      return picture - 1 + (f == 1 ? frameOffset(static_cast<TileCode>(code), still) : 0);
    };
    draw(board.frames[f], cellColumn(cell) * t, cellRow(cell) * t,
         composeOver(pictures.tiles[image(background)], image(sprite), pictures.tiles, mask - 1));
  }
  present();
}

// A figure slides from one cell into the next, one pixel at a time, over plain floor
// where it stood and the next cell's own picture; the window sees it at every quarter.
void GameDrawing::slideFrames(int from, int to) {
  const int t = layout.tileSize, floor = game_.play.state[gs::Floor];
  const TileCode moving = game_.play.floors.cell(floor, from);
  const int dx = cellColumn(to) - cellColumn(from), dy = cellRow(to) - cellRow(from);
  if (std::abs(dx) + std::abs(dy) != 1) return;
  const int quarter = std::max(t / 4, 1);
  const bool still = game_.play.state[gs::PrincessStill] == 1;
  const Bitmap& target = pictures.tiles[game_.play.floors.cell(floor, to) - 1];
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

}  // namespace kelvorn
