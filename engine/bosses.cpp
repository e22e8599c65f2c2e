// Bosses: the appearance scripts, the guard ring, the seal's undoing, Zeno's strength in
// a later game, and the picture of the Vampire's growth.
#include "engine/bosses.h"

#include <algorithm>

#include "engine/game.h"

namespace kelvorn {

namespace {
// The appearance masks, as pictures counted from 1: invisible (166) to whole (182).
constexpr int kFirstAppearMask = 166, kLastAppearMask = 182;
}  // namespace

SceneScript fadeIn(int cell, int background, int figure) {
  SceneScript s;
  for (int mask = kFirstAppearMask; mask <= kLastAppearMask; ++mask)
    s.overlay(cell, background, figure, mask);
  return s;
}

SceneScript zenoAppearance(int cell) {
  return SceneScript().sound(sfx::Appear).append(fadeIn(cell, tile::Floor, tile::Zeno));
}

SceneScript sergeantsAppearance(std::span<const int> cells) {
  SceneScript s;
  s.sound(sfx::Appear);
  for (int mask = kFirstAppearMask; mask <= kLastAppearMask; ++mask)
    for (const int cell : cells) s.overlay(cell, tile::Floor, tile::Sergeant, mask);
  return s;
}

SceneScript guardRing(FloorStore& floors, int floor) {
  static constexpr int kClockwise[] = {15, 16, 17, 28, 39, 38, 37, 26};
  for (const int cell : kClockwise) floors.setCell(floor, cell, tile::Sergeant);
  SceneScript s;
  // Every other mask, then the whole figure: nine frames on each of the eight cells.
  for (int mask = kFirstAppearMask + 1; mask <= kLastAppearMask; mask += 2)
    for (const int cell : kClockwise) s.overlay(cell, tile::Floor, tile::Sergeant, mask);
  for (const int cell : kClockwise) s.overlay(cell, tile::Floor, tile::Sergeant, kLastAppearMask);
  return s;
}

void liftSeal(GameState& state, MonsterTable& monsters) {
  if (state[gs::SergeantSealed] != 1) return;
  state[gs::SergeantSealed] = 0;
  MonsterStats& zeno = monsters[kind::Zeno];
  zeno.life *= 10, zeno.offense *= 10, zeno.defense *= 10;
}

void weakenZenoForLaterGame(const GameState& state, int foe, MonsterTable& monsters) {
  if (foe != kind::Zeno || state[gs::Floor] != 50 || state[gs::LevelBoost] == 0 ||
      state[gs::CarryOver] != 0)
    return;
  MonsterStats& zeno = monsters[kind::Zeno];
  zeno.life = 1000, zeno.offense = 625, zeno.defense = 125;
}

// One frame of the Vampire's growth over the 3 x 3 cells round cell 60: the eight Big
// Bats close in `size` pixels on the centre while the Vampire shows through an
// appearance mask that fills as they come. When the bats reach the centre they have
// merged into him, and he stands whole on plain floor.
void Game::drawVampireGrowth(int size) {
  if (drawingSkipped()) return;
  static constexpr int kBigBat = 83, kVampire = 95;
  const int t = layout.tileSize;
  const int unscaled = layout.large ? size * 4 / 5 : size;
  const int appear = std::clamp(165 + unscaled / 2, 165, 181);  // image indices of the masks
  const bool still = state[gs::PrincessStill] == 1;
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
