// Points of no return: from a position, the positions of the same floor the player can
// reach without leaving it from which the floor's way on (the next floor; from floor 49
// on, the ending) no longer exists, each with the move that closed it. The floor is
// listed by the route search kept on it; each position is asked for its way on by a
// search of its own, and a trap is a position without one whose parent had one.
// A position is called a trap only when its search ends in a dead end: one that runs
// out of budget is reported as unknown.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "solver/search.h"

namespace kelvorn::solve {

struct NoReturnRequest {
  double seconds = 60;              // the whole run: the listing and every question
  double secondsPerQuestion = 5;    // one position's way on
  std::size_t maxStates = 200'000;  // the listing's positions, and each question's
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(const std::string&)> progress;  // a line now and then
};

// A position whose way on is closed (or could not be settled), and the move into it.
struct ClosingMove {
  int floor = 0;
  int target = -1;  // the cell acted on; -1 when an item alone was used
  int code = 0;     // what stood there before the move, or the used item's tile code
  std::string acted;                // the move's own script lines (the walk, then the act)
  std::vector<std::string> script;  // every line from the start to the position
  GameState after;
};

struct NoReturnResult {
  int floor = 0;
  // The way on from the start itself: a dead end or unknown there leaves nothing to list.
  Answer start = Answer::Unknown;
  std::vector<ClosingMove> traps;    // the way on closed, open before the move
  std::vector<ClosingMove> unknown;  // asked, but not settled within the budget
  std::size_t positions = 0;         // positions of the floor listed
  bool listedAll = false;            // the listing ran until nothing new was left
  std::size_t notAsked = 0;          // positions left unasked when the budget ran out
  std::size_t questions = 0;         // searches for a way on run
  double seconds = 0;
};

// The goal of the floor's way on from a position on `floor`.
SolveRequest wayOn(int floor);

NoReturnResult pointsOfNoReturn(Position& position, const NoReturnRequest& request);

}  // namespace kelvorn::solve
