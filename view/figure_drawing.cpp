// Drawing the figures that change in many frames on one spot: a door, gate, wall or
// lava opening or closing, and the Vampire growing out of his bats.
#include <algorithm>

#include "view/game_drawing.h"

namespace kelvorn {

// One frame of the animation into both board frames, then shown.
void GameDrawing::doorFrame(int cell, int kind, int frame) {
  const int t = layout.tileSize;
  const int f = std::clamp(layout.large ? frame * 5 / 4 : frame, 0, t);
  const Bitmap& floor = pictures.tiles[image::PlainFloor];
  Bitmap out = floor;
  const int half = t / 2;
  auto over = [&](const Bitmap& picture, int sx, int sy, int w, int h, int dx, int dy) {
    blit(out, dx, dy, picture, sx, sy, w, h);
  };
  auto masked = [&](int image, int dx, int dy) {
    Bitmap under(t, t);
    blit(under, 0, 0, out, dx, dy, t, t);
    draw(out, dx, dy, composeOver(under, image, pictures.masks, image));
  };
  if (kind >= 1 && kind <= 3) {
    const Bitmap& door = pictures.tiles[kind - 1];
    over(door, f, 0, half - f, t, 0, 0);
    over(door, half, 0, half - f, t, half + f, 0);
  } else if (kind == 4 || kind == 5) {
    const Bitmap& gate = pictures.tiles[tile::Gate - 1];
    const int d = kind == 4 ? f : half - std::min(f, half);
    over(gate, 0, 0, half, half, -d, -d);
    over(gate, half, 0, half, half, half + d, -d);
    over(gate, 0, half, half, half, -d, half + d);
    over(gate, half, half, half, half, half + d, half + d);
  } else if (kind == 6) {
    masked(tile::Bars - 1, 0, -2 * f);
  } else if (kind == 7 || kind == 8) {
    const int shrink = kind == 7 ? 2 * f : t - std::min(2 * f, t);
    const int side = t - shrink;
    if (side > 0) {
      const Bitmap& wall = pictures.tiles[tile::Wall - 1];
      over(wall, 0, 0, side, side, shrink / 2, shrink / 2);
    }
  } else if (kind >= 9 && kind <= 12) {
    // Lava leaves towards the left, right, bottom or top (kinds 9..12).
    static constexpr int kDx[] = {-1, 1, 0, 0}, kDy[] = {0, 0, 1, -1};
    const Bitmap& lava = pictures.tiles[tile::Lava - 1];
    blit(out, kDx[kind - 9] * 2 * f, kDy[kind - 9] * 2 * f, lava, 0, 0, t, t);
  }
  for (Bitmap& frameBitmap : board.frames)
    draw(frameBitmap, cellColumn(cell) * t, cellRow(cell) * t, out);
  present();
}

// One frame of the Vampire's growth over the 3 x 3 cells round cell 60: the eight Big
// Bats close in on the centre while the Vampire shows through an appearance mask that
// fills as they come. When the bats reach the centre they have merged into him, and he
// stands whole on plain floor. `step` counts pixels of the small layout; the mask
// follows the step as the large layout rounds it.
void GameDrawing::vampireGrowth(int step) {
  static constexpr int kBigBat = 83, kVampire = 95;
  const int t = layout.tileSize;
  const int size = layout.large ? step * 5 / 4 : step;
  const int unscaled = layout.large ? size * 4 / 5 : size;
  const int appear = std::clamp(165 + unscaled / 2, 165, 181);  // image indices of the masks
  const bool still = game_.play.state[gs::PrincessStill] == 1;
  for (int f = 0; f < 2; ++f) {
    const Bitmap& floor = pictures.tiles[image::PlainFloor];
    Bitmap area(3 * t, 3 * t);
    for (int i = 0; i < 9; ++i) draw(area, (i % 3) * t, (i / 3) * t, floor);
    const int vampire = kVampire - 1 + (f == 1 ? frameOffset(kVampire, still) : 0);
    draw(area, t, t, composeOver(floor, vampire, pictures.tiles, appear));
    const int bat = kBigBat - 1 + (f == 1 ? frameOffset(kBigBat, still) : 0);
    for (int i = 0; i < 9 && size < t; ++i) {
      const int dx = i % 3 - 1, dy = i / 3 - 1;
      if (dx == 0 && dy == 0) continue;
      const int x = (1 + dx) * t - dx * size, y = (1 + dy) * t - dy * size;
      Bitmap under(t, t);
      blit(under, 0, 0, area, x, y, t, t);
      draw(area, x, y, composeOver(under, bat, pictures.masks, bat));
    }
    draw(board.frames[f], 4 * t, 4 * t, area);
  }
  present();
}

}  // namespace kelvorn
