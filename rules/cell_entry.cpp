#include "rules/cell_entry.h"

#include "rules/monsters.h"

namespace kelvorn {

namespace {
constexpr int kAroundX[] = {0, -1, 1, 0}, kAroundY[] = {-1, 0, 0, 1};
}  // namespace

CellEntry cellEntry(int floor, TileCode t) {
  if (t >= tile::Door && t <= tile::RedDoor) return CellEntry::KeyDoor;
  if (t == tile::Floor) return CellEntry::Walk;
  if (t == tile::Event) return CellEntry::Event;
  if (t == tile::FalseWall) return CellEntry::FalseWall;
  if (t == tile::Trigger) return CellEntry::Trigger;
  if (t == tile::StairsUp || t == tile::StairsDown) return CellEntry::Stairs;
  if (t == 27 || t == 28) return CellEntry::Princess;
  if (t >= 29 && t <= 60) return CellEntry::Pickup;
  if (bumpFights(t, floor)) return CellEntry::Battle;
  if ((t == 91 || t == 92) && floor == 50) return CellEntry::FinalFloor;
  if (t == tile::AltarCentre) return CellEntry::Altar;
  if (t == 19 || t == 20) return CellEntry::Merchant;
  if (t == 21 || t == 22) return CellEntry::Thief;
  if (t == 23 || t == 24) return CellEntry::Fairy;
  if (t == 25 || t == 26) return CellEntry::OldMan;
  return CellEntry::Nothing;
}

int sergeantPairs(const GameState& s, const FloorStore& floors, int cell) {
  if (s[gs::ShieldOwned0 + 4] != 0) return 0;
  const int floor = s[gs::Floor], x = cellColumn(cell), y = cellRow(cell);
  auto sergeant = [&](int c) { return floors.cell(floor, c) == tile::Sergeant; };
  int pairs = 0;
  if (x >= 1 && x <= 9 && sergeant(cell - 1) && sergeant(cell + 1)) ++pairs;
  if (y >= 1 && y <= 9 && sergeant(cell - 11) && sergeant(cell + 11)) ++pairs;
  return pairs;
}

int stairsBeside(const GameState& s, const FloorStore& floors, int cell) {
  const int floor = s[gs::Floor];
  if (floor != s[gs::HighestFloor]) return 0;
  int side = 0;
  for (int k = 0; k < 4; ++k) {
    const int x = cellColumn(cell) + kAroundX[k], y = cellRow(cell) + kAroundY[k];
    if (!onBoard(x, y)) continue;
    const TileCode t = floors.cell(floor, cellIndex(x, y));
    if (t == tile::StairsUp || t == tile::StairsDown) side = t == tile::StairsUp ? 1 : 2;
  }
  return side;
}

bool quietStep(const GameState& s, const FloorStore& floors, int cell) {
  const int floor = s[gs::Floor];
  if (cellEntry(floor, floors.cell(floor, cell)) != CellEntry::Walk) return false;
  for (int k = 0; k < 4; ++k) {
    const int x = cellColumn(cell) + kAroundX[k], y = cellRow(cell) + kAroundY[k];
    if (onBoard(x, y) && magician(floors.cell(floor, cellIndex(x, y)))) return false;
  }
  return sergeantPairs(s, floors, cell) == 0;
}

}  // namespace kelvorn
