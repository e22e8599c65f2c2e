// The route search: from a position, every move the rules allow ("walk to a cell the
// hero can reach and act there": fight, open, take, talk, climb, use an item, with each
// answer a box can be given), until the goal is reached or nothing new is left.
// Positions are the game state and the floors; a position is dropped when one seen
// before is the same in every exact value and has at least as much of every amount
// (state_key.h), so a dead end is reported only when no route exists under the rules.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "solver/position.h"

namespace kelvorn::solve {

enum class Goal { Floor, Checkpoint, Ending };

struct Progress {
  std::size_t expanded = 0;  // positions whose moves were all tried
  std::size_t stored = 0;    // positions kept
  std::size_t frontier = 0;  // positions waiting to be expanded
  int bestFloor = 0;         // the floor of the best position so far
  std::optional<std::int32_t> bestScore;  // with `best` at the checkpoint: the best so far
  double seconds = 0;
};

struct SolveRequest {
  Goal goal = Goal::Floor;
  int floor = 0;  // for Goal::Floor
  double seconds = 60;
  std::size_t maxStates = 1'000'000;
  // Search on after the first route, through every position, for the best stats at the
  // goal; at the checkpoint, for the fairy's best score (and the route to it).
  bool best = false;
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(const Progress&)> progress;  // called about once a second
  std::size_t maxBytes = 0;  // the most memory the program may have held (0: no limit)
};

enum class Answer { RouteFound, DeadEnd, Unknown };

// What stopped a search before it had tried every position it kept (None: nothing
// did, so a dead end or a best score is proved).
enum class Stop { None, Time, Memory, States, Cancelled };

// One move of a route: the script lines that play it, where it acts and what it leaves.
struct RouteMove {
  int floor = 0;    // the floor the move starts on
  int target = -1;  // the cell acted on; -1 for an item or an answer alone
  std::vector<std::string> commands;
  GameState after;
};

struct SolveResult {
  Answer answer = Answer::Unknown;
  // The route to the goal; with Unknown, the route to the best position reached.
  std::vector<RouteMove> route;
  GameState reached;  // the state at the route's end
  Snapshot reachedAt;  // the whole position there, to see what blocks the hero in it
  // With `best`: the highest life, offense and defense of any position at the goal.
  std::optional<std::array<std::int32_t, 3>> bestAtGoal;
  // With `best` and the checkpoint goal: the fairy's highest score at the goal (the
  // rules' `fairyScore`), reached by `route`.
  std::optional<std::int32_t> bestScore;
  Stop stopped = Stop::None;
  Progress progress;
};

SolveResult solve(Position& position, const SolveRequest& request);

// Plays `route` from the start of a fresh position, one line after another with no
// position set in between, as kelvorn-play will; true when it reaches the goal.
bool replaysToGoal(Position& fresh, const SolveRequest& request,
                   const std::vector<RouteMove>& route);

// The route as a kelvorn-play script, each move under a comment saying what it leaves.
std::string script(const std::vector<RouteMove>& route);

}  // namespace kelvorn::solve
