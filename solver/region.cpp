#include "solver/region.h"

#include <algorithm>

#include "rules/cell_entry.h"

namespace kelvorn::solve {

namespace {
constexpr int kFacing[] = {kFaceUp, kFaceLeft, kFaceRight, kFaceDown};
constexpr int kKeys = kCells * 4;

int marked(const GameState& s, const FloorStore& floors, int cell, int before) {
  const int side = stairsBeside(s, floors, cell);
  return side != 0 ? side : before;
}
}  // namespace

Region::Region(const GameState& s, const FloorStore& floors) : start_(s) {
  const int floor = s[gs::Floor];
  std::array<int, kKeys> spotOf;
  spotOf.fill(-1);
  std::vector<std::vector<int>> into(1);  // the spots each spot is entered from
  spots_.push_back({s.heroCell(), s.extra[extra::NearStairs], -1, -1});
  spotOf[static_cast<std::size_t>(key(spots_[0].cell, spots_[0].nearStairs))] = 0;
  for (std::size_t i = 0; i < spots_.size(); ++i) {
    const Spot at = spots_[i];
    for (int d = 0; d < 4; ++d) {
      const int x = cellColumn(at.cell) + kDx[d], y = cellRow(at.cell) + kDy[d];
      if (!onBoard(x, y)) continue;
      const int cell = cellIndex(x, y);
      if (cellEntry(floor, floors.cell(floor, cell)) == CellEntry::Nothing) continue;
      if (!quietStep(s, floors, cell)) {
        edges_.push_back({static_cast<int>(i), d, cell});
        continue;
      }
      const int ns = marked(s, floors, cell, at.nearStairs);
      int& known = spotOf[static_cast<std::size_t>(key(cell, ns))];
      if (known < 0) {
        known = static_cast<int>(spots_.size());
        spots_.push_back({cell, ns, static_cast<int>(i), d});
        into.emplace_back();
      }
      into[static_cast<std::size_t>(known)].push_back(static_cast<int>(i));
    }
  }
  // The spots from which where he stands is reached again; the least key among them
  // names the position.
  back_.assign(spots_.size(), false);
  back_[0] = true;
  std::vector<int> todo{0};
  int least = key(spots_[0].cell, spots_[0].nearStairs);
  while (!todo.empty()) {
    const auto s = static_cast<std::size_t>(todo.back());
    todo.pop_back();
    if (const int k = key(spots_[s].cell, spots_[s].nearStairs); k < least)
      least = k, canonical_ = static_cast<int>(s);
    for (const int from : into[s])
      if (!back_[static_cast<std::size_t>(from)])
        back_[static_cast<std::size_t>(from)] = true, todo.push_back(from);
  }
}

GameState Region::stateAt(int i) const {
  const Spot& spot = spots_[static_cast<std::size_t>(i)];
  GameState s = start_;
  s[gs::HeroX] = cellColumn(spot.cell);
  s[gs::HeroY] = cellRow(spot.cell);
  s.extra[extra::NearStairs] = spot.nearStairs;
  if (spot.step >= 0) s[gs::Facing] = kFacing[spot.step];
  return s;
}

std::vector<int> Region::walkTo(int i) const {
  std::vector<int> steps;
  for (; i > 0; i = spots_[static_cast<std::size_t>(i)].parent)
    steps.push_back(spots_[static_cast<std::size_t>(i)].step);
  std::reverse(steps.begin(), steps.end());
  return steps;
}

bool walksBack(const GameState& s, const FloorStore& floors, int cell, int nearStairs) {
  const int x = cellColumn(cell), y = cellRow(cell);
  const int dx = std::abs(x - s[gs::HeroX]), dy = std::abs(y - s[gs::HeroY]);
  return dx + dy == 1 && quietStep(s, floors, cell) &&
         marked(s, floors, cell, s.extra[extra::NearStairs]) == nearStairs;
}

}  // namespace kelvorn::solve
