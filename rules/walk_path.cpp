#include "rules/walk_path.h"

#include <algorithm>
#include <array>
#include <deque>

#include "rules/floor_store.h"

namespace kelvorn {

std::vector<int> shortestWalk(int from, int to, const std::function<bool(int)>& crossable) {
  if (from < 0 || from >= kCells || to < 0 || to >= kCells || from == to) return {};
  static constexpr int kDx[] = {0, 0, -1, 1, 0}, kDy[] = {0, -1, 0, 0, 1};
  // For each cell reached, the direction of the move that entered it (0: not reached).
  std::array<int, kCells> cameBy{};
  std::deque<int> queue{from};
  cameBy[from] = -1;
  while (!queue.empty() && cameBy[to] == 0) {
    const int cell = queue.front();
    queue.pop_front();
    for (int d = 1; d <= 4; ++d) {
      const int x = cellColumn(cell) + kDx[d], y = cellRow(cell) + kDy[d];
      if (!onBoard(x, y)) continue;
      const int next = cellIndex(x, y);
      if (cameBy[next] != 0 || !crossable(next)) continue;
      cameBy[next] = d;
      queue.push_back(next);
    }
  }
  if (cameBy[to] == 0) return {};
  std::vector<int> moves;
  for (int cell = to; cell != from;) {
    const int d = cameBy[cell];
    moves.push_back(d);
    cell = cellIndex(cellColumn(cell) - kDx[d], cellRow(cell) - kDy[d]);
  }
  std::reverse(moves.begin(), moves.end());
  return moves;
}

}  // namespace kelvorn
