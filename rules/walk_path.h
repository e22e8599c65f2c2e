// The way a click on the board asks the hero to walk: the shortest route from his cell to
// another over the cells a rule allows, as the directions of ordinary moves. The window
// plays the moves one at a time, each only while input is unlocked.
#pragma once

#include <functional>
#include <vector>

namespace kelvorn {

// The directions (1 up, 2 left, 3 right, 4 down, as the on-screen arrows number them) of
// the shortest walk from cell `from` to cell `to` that enters only cells for which
// `crossable` holds, `to` included. Empty when `to` is `from`, off the board, or cannot
// be reached. Among walks of one length the first found trying up, left, right, down
// wins, so a walk is always the same.
std::vector<int> shortestWalk(int from, int to, const std::function<bool(int)>& crossable);

}  // namespace kelvorn
