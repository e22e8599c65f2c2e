// Bosses: the appearance scripts, the guard ring, the seal's undoing, Zeno's strength in
// a later game, and the picture of the Vampire's growth.
#include "rules/bosses.h"

#include <algorithm>

#include "rules/game.h"

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
  MonsterStats& zeno = monsters.zenoRow();
  zeno.life *= 10, zeno.offense *= 10, zeno.defense *= 10;
}

void weakenZenoForLaterGame(const GameState& state, int foe, MonsterTable& monsters) {
  if (foe != kind::Zeno || state[gs::Floor] != 50 || state[gs::LevelBoost] == 0 ||
      state[gs::CarryOver] != 0)
    return;
  MonsterStats& zeno = monsters.zenoRow();
  zeno.life = 1000, zeno.offense = 625, zeno.defense = 125;
}

}  // namespace kelvorn
