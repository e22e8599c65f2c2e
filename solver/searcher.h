// The route search's inside, shared by the files that hold its parts: the positions it
// keeps (nodes), its three orders (search_orders.cpp), the answer chains of a move
// (answers.cpp) and the search itself (search.cpp). Internal to the solver.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <queue>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "solver/move_kinds.h"
#include "solver/region.h"
#include "solver/search.h"
#include "solver/state_key.h"

namespace kelvorn::solve {

using Clock = std::chrono::steady_clock;

// The script line of each arrow key (up, left, right, down).
const std::string& stepLine(int d);
// The items whose use changes the game (the orbs of the hero and of wisdom only show
// things, and three items act by being held).
inline constexpr int kUsableSlots[] = {4, 5, 6, 7, 8, 9, 11, 12, 13};
// The orb of flying: every floor it can reach is an answer, so its flights are tried
// in a later turn of their own (see `Entry::flights`).
inline constexpr int kFlyingSlot = 2;
// The floor of the fairy met next, by the checkpoint judged last (0 for none): the
// third, floor 25's, judges after the fifth, and after her there is none (the top).
inline constexpr int kNextFairyFloor[] = {10, 20, 40, 50, 49, 25};
// The search takes its positions from three orders in turn. Two are led by the goal:
// the stronger hero nearer the goal first (after the story, when the goal is a step of
// it). `kFloorWeights` is what one floor nearer is worth in them, in the units of `strength`
// (life, and 100 for each point of offense or defense): the first gathers strength
// before it climbs, the second climbs first; each finds routes the other is slow to
// find. The third explores: furthest on in the story, then positions that made
// something new true (`Search::novel`), then those on the floors it has looked at least,
// flights included; so a way on that first leads far from the goal (a prisoner to free,
// a keep below) is found too.
inline constexpr long long kFloorWeights[] = {300, 1000};
inline constexpr std::size_t kOrders = 3, kExploring = 2;
// A position is kept as what its move changed, and as a whole every this many moves: a
// move changes a few cells and values where the whole differs from the start in
// hundreds, and is put back from at most this many.
inline constexpr int kFullEvery = 8;
// A move's answers: enough for the longest chain of boxes a scene shows.
inline constexpr std::size_t kMaxAnswers = 64;

struct Node {
  std::uint32_t parent;
  std::int16_t floor, target;
  std::uint32_t waste;  // moves on the way here that only walled cells up (see `wasted`)
  bool novel;           // the move made something true not seen before (see `novel`)
  bool shared;          // queued in the goal-led orders, not in the exploring one alone
  std::vector<std::uint8_t> packed;
  std::string commands;  // the move's script lines, joined by newlines
  // What the exploring order reads of the position, kept to look at it again cheaply.
  std::int64_t story = 0, strength = 0;
  std::int16_t at = 0;  // its floor
  // 0 when `packed` holds the position's differences from the search's start; else it
  // holds those from its parent's, which has this count less one (see `kFullEvery`).
  std::uint8_t sinceFull = 0;
};

// `s` with the hero where the position is named (`Region::canonical` of `region`, its
// reach), as the dominance table keeps it.
Snapshot named(const Snapshot& s, const Region& region);

class Search {
 public:
  Search(Position& position, const SolveRequest& request)
      : pos_(position), req_(request), start_(Clock::now()) {}
  SolveResult run();

  // Keeps only positions on `floor`: what a move leaves elsewhere is dropped. With a goal
  // no position reaches, the search then lists the floor (see no_return.h).
  void stayOn(int floor) { stayOn_ = floor; }
  // The positions kept, node 0 the start; each names the node its move was made from.
  const std::vector<Node>& nodes() const { return nodes_; }
  // The position of node `index`, rebuilt from what the moves to it changed.
  Snapshot unpack(std::uint32_t index) const;

 private:
  // Compared in turn, more first.
  using Priority = std::array<long long, 4>;
  struct Entry {
    Priority priority;
    std::uint64_t order;
    std::uint32_t node;
    bool flights = false;
    bool operator<(const Entry& o) const {
      for (std::size_t i = 0; i < priority.size(); ++i)
        if (priority[i] != o.priority[i]) return priority[i] < o.priority[i];
      return order > o.order;
    }
  };

  bool goalReached(const Game& g) const;

  // A position's place in order `k`. In the goal-led orders, moves that only walled
  // cells up come last, and a position's flights wait behind the other moves of the
  // positions like it, which rarely need them and cost a search of every floor.
  Priority priority(std::size_t k, const GameState& s, std::uint32_t waste, bool flights,
                    bool novel) const;
  // The exploring order's place, from what a node keeps of its position.
  Priority exploring(long long story, int floor, bool novel, long long strength) const;
  // True when `after` has a cell, or the hero a place, not seen before in any position
  // as far on in the story; records what it has. The exploring order tries such
  // positions first: a way on that leads through costly fights (a prisoner behind
  // guards) changes a new cell at each step, where strength alone would wait.
  bool novel(const Snapshot& before, const Snapshot& after, const Cells& changed);
  // How often the exploring order has taken a position of this story and floor.
  static long long lookedKey(long long story, int floor) { return story * 64 + floor; }
  // Keeps a position as node `n` (what the exploring order reads of it too).
  void keep(Node n, const GameState& s);
  // Queues `index` (its moves, or its flights) in the exploring order, and in the
  // goal-led ones when it is shared.
  void enqueue(std::uint32_t index, const GameState& s, bool flights, bool goalLedOnly = false);
  // Queues what the moves (or flights) of `index` lead to; false when it was dropped
  // as dominated.
  bool expand(std::uint32_t index, bool flights);
  // What a move leaves: the position, its script lines (the walk to where it acts, then
  // what it carried out there), and the cell it acted on.
  struct Child {
    Snapshot snapshot;
    int spot;
    std::string acted;
    int target;
    Cells moved;  // the cells the move changed
  };
  // The script lines of a move: the walk to its spot, then what it carried out there.
  using Lines = std::function<std::string(const Child&)>;
  // Plays `first` from spot `spot` of the position and every chain of answers after it;
  // appends what settles to `out` (a goal reached is kept at once).
  void resolve(std::uint32_t parent, const Snapshot& at, int spot, const std::string& first,
               int target, const Lines& lines, std::vector<Child>& out);
  // Keeps a new position (and queues it), or shares a known one with the goal-led orders.
  // `from` is the parent's position.
  void add(const Snapshot& from, std::uint32_t parent, const Child& c, const Lines& lines,
           const Cells& changes, int floor, std::uint32_t waste, bool novel, bool share);
  Stop outOfBudget() const;
  std::vector<RouteMove> routeTo(std::uint32_t index) const;
  void report();

  Position& pos_;
  const SolveRequest& req_;
  Clock::time_point start_, lastReport_ = start_;
  std::optional<Packer> packer_;
  std::vector<Node> nodes_;
  std::array<std::priority_queue<Entry>, kOrders> frontiers_;
  std::unordered_map<long long, long long> looked_;
  std::unordered_set<std::uint64_t> atoms_;  // what `novel` has seen
  // What the exploring order finds stays its own unless it takes the story further:
  // the goal-led orders keep their pace, and take over from each step of the story.
  bool exploringTurn_ = false;
  // Per position: its moves (1) and flights (2) tried for every order, or (4, 8) for
  // the exploring order alone.
  std::vector<std::uint8_t> done_;
  std::uint64_t order_ = 0;
  std::unordered_map<Hash128, std::uint32_t, Hash128Hasher> seen_;  // position -> node
  DominanceTable table_;
  RegionCache regions_;
  Progress progress_;
  GameState startState_;
  std::uint32_t best_ = 0;
  Priority bestPriority_{};
  std::optional<std::uint32_t> goal_;
  std::optional<int> stayOn_;
  std::optional<std::array<std::int32_t, 3>> bestAtGoal_;
  std::optional<std::int32_t> bestScore_;
};

}  // namespace kelvorn::solve
