#include "solver/search.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <queue>
#include <unordered_map>
#include <unordered_set>

#include "commands/command_table.h"
#include "solver/move_kinds.h"
#include "solver/region.h"
#include "solver/state_key.h"

namespace kelvorn::solve {

namespace {

using Clock = std::chrono::steady_clock;

// The script line of each arrow key (up, left, right, down).
const std::string& stepLine(int d) {
  static const std::string lines[] = {
      commands::line(commands::kArrowKeys[0]), commands::line(commands::kArrowKeys[1]),
      commands::line(commands::kArrowKeys[2]), commands::line(commands::kArrowKeys[3])};
  return lines[d];
}
// The items whose use changes the game (the orbs of the hero and of wisdom only show
// things, and three items act by being held).
constexpr int kUsableSlots[] = {4, 5, 6, 7, 8, 9, 11, 12, 13};
// The orb of flying: every floor it can reach is an answer, so its flights are tried
// in a later turn of their own (see `Entry::flights`).
constexpr int kFlyingSlot = 2;
// The fairies' floors, by the checkpoint they judge (1..5).
constexpr int kFairyFloors[] = {10, 20, 25, 40, 49};
// The search takes its positions from three orders in turn. Two are led by the goal:
// the stronger hero nearer the goal first (after the story, when the goal is a step of
// it). `kFloorWeights` is what one floor nearer is worth in them, in the units of `strength`
// (life, and 100 for each point of offense or defense): the first gathers strength
// before it climbs, the second climbs first; each finds routes the other is slow to
// find. The third explores: furthest on in the story, then positions that made
// something new true (`Search::novel`), then those on the floors it has looked at least,
// flights included; so a way on that first leads far from the goal (a prisoner to free,
// a keep below) is found too.
constexpr long long kFloorWeights[] = {300, 1000};
constexpr std::size_t kOrders = 3, kExploring = 2;
// A move's answers: enough for the longest chain of boxes a scene shows.
constexpr std::size_t kMaxAnswers = 64;

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
};

class Search {
 public:
  Search(Position& position, const SolveRequest& request)
      : pos_(position), req_(request), start_(Clock::now()) {}
  SolveResult run();

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
  void add(std::uint32_t parent, const Child& c, const Lines& lines, const Cells& changes,
           int floor, std::uint32_t waste, bool novel, bool share);
  bool outOfBudget();
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
  std::optional<std::array<std::int32_t, 3>> bestAtGoal_;
};

bool Search::goalReached(const Game& g) const { return reached(g, req_, startState_); }

// The search order never changes what is found to exist, only how soon.
Search::Priority Search::priority(std::size_t k, const GameState& s, std::uint32_t waste,
                                  bool flights, bool novel) const {
  if (k == kExploring) return exploring(story(s), s[gs::Floor], novel, strength(s));
  int target = 50;
  if (req_.goal == Goal::Floor) target = req_.floor;
  if (req_.goal == Goal::Checkpoint) target = kFairyFloors[std::clamp(s[gs::Checkpoint], 0, 4)];
  const int distance = std::abs(s[gs::Floor] - target);
  // The ending and the fairies are steps of the story: for them the position furthest
  // on in it comes first. For a floor they head straight there (chasing the story would
  // tour the tower), and the exploring order finds any story the way needs.
  return {-static_cast<long long>(waste + (flights ? 1 : 0)),
          req_.goal == Goal::Floor ? 0 : story(s), strength(s) - kFloorWeights[k] * distance,
          -distance};
}

Search::Priority Search::exploring(long long story, int floor, bool novel,
                                   long long strength) const {
  const auto seen = looked_.find(lookedKey(story, floor));
  return {story, novel ? 1 : 0, seen == looked_.end() ? 0 : -seen->second, strength};
}

void Search::keep(Node n, const GameState& s) {
  n.story = story(s);
  n.strength = strength(s);
  n.at = static_cast<std::int16_t>(s[gs::Floor]);
  nodes_.push_back(std::move(n));
}

bool Search::novel(const Snapshot& before, const Snapshot& after, const Cells& changed) {
  const auto level = std::uint64_t(story(after.state)) << 40;
  bool fresh = story(after.state) != story(before.state);
  const auto note = [&](std::uint64_t atom) { fresh |= atoms_.insert(level | atom).second; };
  note(std::uint64_t{1} << 32 | std::uint64_t(after.state[gs::Floor]) << 8 |
       std::uint64_t(after.state.heroCell()));
  for (const std::uint16_t i : changed)
    note(std::uint64_t(i) << 8 | after.floors.bytes()[i]);
  return fresh;
}

void Search::add(std::uint32_t parent, const Child& c, const Lines& lines, const Cells& changes,
                 int floor, std::uint32_t waste, bool novel, bool share) {
  const Snapshot& s = c.snapshot;
  if (s.state[gs::Life] <= 0) return;
  const auto index = static_cast<std::uint32_t>(nodes_.size());
  const auto [it, fresh] = seen_.emplace(packer_->wholePosition(s, changes), index);
  if (!fresh) {
    Node& known = nodes_[it->second];
    if (share && !known.shared) {
      known.shared = true;
      enqueue(it->second, s.state, false, true);
    }
    return;
  }
  keep({parent, static_cast<std::int16_t>(floor), static_cast<std::int16_t>(c.target), waste,
        novel, share, packer_->pack(s, changes), lines(c)},
       s.state);
  enqueue(index, s.state, false);
  const Priority p = priority(1, s.state, 0, false, false);
  if (p > bestPriority_) bestPriority_ = p, best_ = index;
}

void Search::enqueue(std::uint32_t index, const GameState& s, bool flights, bool goalLedOnly) {
  done_.resize(nodes_.size(), 0);
  const Node& n = nodes_[index];
  for (std::size_t k = 0; k < frontiers_.size(); ++k)
    if (k == kExploring ? !goalLedOnly : n.shared)
      frontiers_[k].push({priority(k, s, n.waste, flights, n.novel), order_++, index, flights});
}

void Search::resolve(std::uint32_t parent, const Snapshot& at, int spot, const std::string& first,
                     int target, const Lines& commands, std::vector<Child>& out) {
  const int floor = at.state[gs::Floor];
  std::vector<std::vector<std::string>> todo{{first}};
  std::unordered_set<Hash128, Hash128Hasher> asked;
  // The answers last played and their lines: the next chain to try usually adds one
  // answer to them, and then only that answer is played.
  std::vector<std::string> played, playedLines, lines;
  bool live = false;
  while (!todo.empty() && !(goal_ && !req_.best)) {
    std::vector<std::string> answers = std::move(todo.back());
    todo.pop_back();
    const bool extends = live && answers.size() == played.size() + 1 &&
                         std::equal(played.begin(), played.end(), answers.begin());
    if (extends) {
      lines.swap(playedLines);
    } else {
      lines.clear();
      pos_.restore(at);
    }
    bool usable = true, goal = false;
    for (std::size_t k = extends ? played.size() : 0; k < answers.size(); ++k) {
      usable = pos_.run(answers[k], lines) && pos_.game().state[gs::Life] > 0;
      goal = usable && goalReached(pos_.game());
      if (!usable || goal) break;
    }
    live = usable && !goal;
    if (!usable) continue;
    const Game& g = pos_.game();
    if (goal) {
      const std::array<std::int32_t, 3> stats = {g.state[gs::Life], g.state[gs::Offense],
                                                 g.state[gs::Defense]};
      if (!goal_) {
        const auto index = static_cast<std::uint32_t>(nodes_.size());
        keep({parent, static_cast<std::int16_t>(floor), static_cast<std::int16_t>(target), 0,
              false, true, packer_->pack(pos_.snapshot()),
              commands(Child{{}, spot, joined(lines), target, {}})},
             g.state);
        goal_ = index;
        bestAtGoal_ = stats;
      }
      for (std::size_t k = 0; k < 3; ++k) (*bestAtGoal_)[k] = std::max((*bestAtGoal_)[k], stats[k]);
      continue;
    }
    const std::vector<std::string> choices = pos_.choices();
    if (choices.empty()) {
      if (pos_.free()) {
        Snapshot s = pos_.snapshot();
        Cells moved = changedCells(at.floors, s.floors);
        out.push_back({std::move(s), spot, joined(lines), target, std::move(moved)});
      }
      live = false;  // nothing follows it
      continue;
    }
    if (answers.size() > kMaxAnswers) {
      live = false;
      continue;
    }
    if (choices.size() > 1) {
      // A question seen before in the same position within this move (the orb of
      // flying's UP and DOWN lead back to the same floor) adds nothing new.
      Hash128 h = positionAgainst(at.floors, pos_.snapshot());
      for (const std::string& c : choices) h.b = (h.b ^ std::hash<std::string>{}(c)) * 0x9e3779b97f4a7c15ull;
      h.b ^= std::hash<std::string>{}(g.controls.windowText);
      if (!asked.insert(h).second) {
        live = false;
        continue;
      }
    }
    for (auto c = choices.rbegin(); c != choices.rend(); ++c) {
      todo.push_back(answers);
      todo.back().push_back(*c);
    }
    played = std::move(answers);
    playedLines.swap(lines);
  }
}

bool Search::expand(std::uint32_t index, bool flights) {
  const Snapshot here = packer_->unpack(nodes_[index].packed);
  const Region& region = regions_.of(here.state, here.floors);
  const Cells changes = packer_->changes(here);
  Snapshot named = here;
  named.state = region.stateAt(here.state, region.canonical());
  named.state[gs::Facing] = here.state[gs::Facing];
  if (!flights) {
    // A position the exploring order has expanded is expanded again for the others,
    // past the dominance table that already holds it.
    if (!(done_[index] & 4) && table_.dominated(packer_->exactPart(named, changes), amounts(here.state)))
      return false;
    ++progress_.expanded;
    if (here.state.itemSlot(kFlyingSlot) == 1)
      enqueue(index, here.state, true, (done_[index] & 4) != 0);
  }
  // The moves: every step out of the hero's reach, and every item used from each spot
  // of it (what some do depends on where he stands).
  pos_.restore(here);
  std::vector<std::string> uses;
  if (flights) {
    if (pos_.game().holds(kFlyingSlot))
      uses.push_back(commands::line(commands::Verb::ClickItem, kFlyingSlot));
  } else {
    for (const int slot : kUsableSlots)
      if (pos_.game().holds(slot))
        uses.push_back(commands::line(commands::Verb::ClickItem, slot));
  }
  std::vector<Child> made;
  made.reserve(64);
  const auto& edges = region.edges();
  auto edge = edges.begin();
  const auto spots = static_cast<int>(region.spots().size());
  const Lines lines = [&](const Child& c) {
    std::string out;
    for (const int step : region.walkTo(c.spot)) out += stepLine(step) + "\n";
    return out + c.acted;
  };
  for (int spot = 0; spot < spots; ++spot) {
    std::vector<std::pair<std::string, int>> moves;
    for (; edge != edges.end() && edge->spot == spot; ++edge)
      if (!flights) moves.emplace_back(stepLine(edge->step), edge->target);
    for (const std::string& use : uses) moves.emplace_back(use, -1);
    if (moves.empty()) continue;
    const Snapshot at{region.stateAt(here.state, spot), here.floors, here.files, here.zeno};
    const Region::Spot& where = region.spots()[static_cast<std::size_t>(spot)];
    for (const auto& [command, target] : moves) {
      const std::size_t before = made.size();
      resolve(index, at, spot, command, target, lines, made);
      if (goal_ && !req_.best) return true;
      if (made.size() == before + 1 && region.returns(spot) &&
          freeGain(here, made.back().snapshot, target, made.back().moved) &&
          walksBack(made.back().snapshot.state, here.floors, where.cell, where.nearStairs)) {
        // Taking it can only help: every route from here is still open after it, with
        // at least as much of everything, so the other moves wait for the next position.
        made.erase(made.begin(), made.end() - 1);
        spot = spots;
        break;
      }
    }
  }
  for (const Child& m : made) {
    const Snapshot& after = m.snapshot;
    add(index, m, lines, packer_->changesAfter(changes, m.moved, after), here.state[gs::Floor],
        nodes_[index].waste + (wasted(here, after, m.moved) ? 1 : 0), novel(here, after, m.moved),
        !exploringTurn_ || story(after.state) > story(here.state));
  }
  return true;
}

bool Search::outOfBudget() {
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  return (req_.cancel && req_.cancel->load()) || seconds >= req_.seconds ||
         nodes_.size() >= req_.maxStates;
}

void Search::report() {
  const auto now = Clock::now();
  progress_.seconds = std::chrono::duration<double>(now - start_).count();
  progress_.stored = nodes_.size();
  progress_.frontier = 0;
  for (const auto& f : frontiers_) progress_.frontier = std::max(progress_.frontier, f.size());
  progress_.bestFloor = packer_ ? packer_->unpack(nodes_[best_].packed).state[gs::Floor] : 0;
  if (req_.progress) req_.progress(progress_);
  lastReport_ = now;
}

std::vector<RouteMove> Search::routeTo(std::uint32_t index) const {
  std::vector<RouteMove> route;
  for (std::uint32_t i = index;; i = nodes_[i].parent) {
    const Node& n = nodes_[i];
    RouteMove m{n.floor, n.target, {}, packer_->unpack(n.packed).state};
    for (std::size_t at = 0; at < n.commands.size();) {
      const std::size_t end = std::min(n.commands.find('\n', at), n.commands.size());
      m.commands.push_back(n.commands.substr(at, end - at));
      at = end + 1;
    }
    if (!m.commands.empty()) route.push_back(std::move(m));
    if (i == 0) break;
  }
  std::reverse(route.begin(), route.end());
  return route;
}

SolveResult Search::run() {
  // The start settles first: whatever plays or asks before the hero can move.
  std::vector<std::string> lines;
  for (std::size_t k = 0; !pos_.free() && k < kMaxAnswers; ++k) {
    const auto choices = pos_.choices();
    if (!pos_.run(choices.empty() ? commands::line(commands::Verb::Wait) : choices.front(), lines))
      break;
  }
  const Snapshot root = pos_.snapshot();
  startState_ = root.state;
  packer_.emplace(root);
  // The tables grow to the budget's size without rehashing on the way there.
  seen_.reserve(std::min<std::size_t>(req_.maxStates, 1 << 20));
  seen_.emplace(packer_->wholePosition(root), 0);
  keep({0, static_cast<std::int16_t>(root.state[gs::Floor]), -1, 0, true, true,
        packer_->pack(root), joined(lines)},
       root.state);
  bestPriority_ = priority(1, root.state, 0, false, false);
  if (goalReached(pos_.game()))
    goal_ = 0;
  else if (pos_.free())
    enqueue(0, root.state, false);

  bool stopped = false;
  // A turn passes when a position is expanded: an order whose entries were taken by
  // another, dominated, or put back behind floors looked at less, tries again, so the
  // exploring order gets its share however many of its entries the others took first.
  for (std::size_t turn = 0; !(goal_ && !req_.best);) {
    std::size_t k = turn % kOrders;
    for (std::size_t tries = 1; frontiers_[k].empty() && tries < kOrders; ++tries)
      k = (k + 1) % kOrders;
    auto& queue = frontiers_[k];
    if (queue.empty()) break;
    const Entry next = queue.top();
    queue.pop();
    exploringTurn_ = k == kExploring;
    // The part of `done_` this turn sets, and the parts that make it needless.
    std::uint8_t part = next.flights ? 2 : 1, needless = part;
    if (exploringTurn_) needless |= part <<= 2;
    if (done_[next.node] & needless) continue;  // taken from another order already
    if (exploringTurn_) {
      // The floor may have been looked at since the entry was queued: it then waits
      // its turn behind the floors looked at less.
      const Node& n = nodes_[next.node];
      const Priority now = exploring(n.story, n.at, n.novel, n.strength);
      if (now < next.priority) {
        queue.push({now, next.order, next.node, next.flights});
        continue;
      }
      ++looked_[lookedKey(n.story, n.at)];
    }
    if (outOfBudget()) {
      stopped = true;
      break;
    }
    // A dominated position needs no turn in any order.
    if (expand(next.node, next.flights)) {
      done_[next.node] |= part;
      ++turn;
    } else {
      done_[next.node] |= 0xf;
    }
    if (Clock::now() - lastReport_ >= std::chrono::seconds(1)) report();
  }
  report();

  SolveResult result;
  result.progress = progress_;
  const std::uint32_t end = goal_ ? *goal_ : best_;
  result.answer = goal_ ? Answer::RouteFound : stopped ? Answer::Unknown : Answer::DeadEnd;
  result.route = routeTo(end);
  result.reached = packer_->unpack(nodes_[end].packed).state;
  if (req_.best) result.bestAtGoal = bestAtGoal_;
  return result;
}

}  // namespace

SolveResult solve(Position& position, const SolveRequest& request) {
  return Search(position, request).run();
}

}  // namespace kelvorn::solve
