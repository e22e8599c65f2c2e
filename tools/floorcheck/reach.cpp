#include "tools/floorcheck/reach.h"

#include <algorithm>

#include "rules/floor_store.h"
#include "rules/monsters.h"

namespace kelvorn::floorcheck {

bool fightable(int code) {
  const bool battleCode = (code >= 61 && code <= 90) || (code >= 93 && code <= 114) ||
                          code == 122 || (code >= 133 && code <= 157);
  return battleCode && monsterKindOf(static_cast<TileCode>(code)) >= 0;
}

bool monsterCode(int code) {
  return code % 2 == 1 &&
         ((code >= 61 && code <= 89) || code == 93 || code == 95 || (code >= 133 && code <= 157));
}

bool passable(int code, const Passage& passage) {
  if (std::find(passage.walls.begin(), passage.walls.end(), code) != passage.walls.end())
    return false;
  if (code >= tile::Door && code <= tile::RedDoor) return passage.keys;
  if (code == tile::Floor || code == tile::Event || code == tile::FalseWall) return true;
  if (code == tile::Lava) return passage.lava;
  if (code >= 29 && code <= 60) return true;  // items, picked up on the way
  if (!fightable(code)) return false;
  if (passage.defenseBelow <= 0) return true;
  const int kind = monsterKindOf(static_cast<TileCode>(code));
  return content::builtIn().monsters[kind].defense < passage.defenseBelow;
}

CellSet passableCells(const Board& board, const Passage& passage) {
  CellSet open;
  for (int c = 0; c < kCells; ++c) open[c] = passable(board[c], passage);
  return open;
}

std::vector<int> neighbours(int cell) {
  std::vector<int> out;
  const int x = cellColumn(cell), y = cellRow(cell);
  if (y > 0) out.push_back(cell - kBoardSide);
  if (x > 0) out.push_back(cell - 1);
  if (x < kBoardSide - 1) out.push_back(cell + 1);
  if (y < kBoardSide - 1) out.push_back(cell + kBoardSide);
  return out;
}

CellSet region(const CellSet& open, const std::vector<int>& seeds) {
  CellSet seen;
  std::vector<int> todo;
  for (const int s : seeds)
    if (!seen[s]) seen[s] = true, todo.push_back(s);
  while (!todo.empty()) {
    const int c = todo.back();
    todo.pop_back();
    for (const int n : neighbours(c))
      if (open[n] && !seen[n]) seen[n] = true, todo.push_back(n);
  }
  return seen;
}

bool reached(const CellSet& region, int cell) {
  if (region[cell]) return true;
  const auto around = neighbours(cell);
  return std::any_of(around.begin(), around.end(), [&](int n) { return region[n]; });
}

}  // namespace kelvorn::floorcheck
