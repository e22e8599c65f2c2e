#include "solver/search.h"

#include <algorithm>
#include <cstdlib>

#include <sys/resource.h>

#include "commands/command_table.h"
#include "solver/searcher.h"

namespace kelvorn::solve {

const std::string& stepLine(int d) {
  static const std::string lines[] = {
      commands::line(commands::kArrowKeys[0]), commands::line(commands::kArrowKeys[1]),
      commands::line(commands::kArrowKeys[2]), commands::line(commands::kArrowKeys[3])};
  return lines[d];
}

bool Search::goalReached(const Game& g) const { return reached(g, req_, startState_); }

Snapshot named(const Snapshot& s, const Region& region) {
  Snapshot out = s;
  out.state = region.stateAt(s.state, region.canonical());
  out.state[gs::Facing] = s.state[gs::Facing];
  return out;
}

Snapshot Search::unpack(std::uint32_t index) const {
  std::array<std::uint32_t, kFullEvery> chain;
  std::size_t n = 0;
  for (; nodes_[index].sinceFull > 0; index = nodes_[index].parent) chain[n++] = index;
  Snapshot s = packer_->unpack(nodes_[index].packed);
  while (n > 0) unpackOnto(s, nodes_[chain[--n]].packed);
  return s;
}

void Search::keep(Node n, const GameState& s) {
  n.story = story(s);
  n.strength = strength(s);
  n.at = static_cast<std::int16_t>(s[gs::Floor]);
  nodes_.push_back(std::move(n));
}

void Search::add(const Snapshot& from, std::uint32_t parent, const Child& c, const Lines& lines, const Cells& changes,
                 int floor, std::uint32_t waste, bool novel, bool share) {
  const Snapshot& s = c.snapshot;
  if (s.state[gs::Life] <= 0 || (stayOn_ && s.state[gs::Floor] != *stayOn_)) return;
  const auto index = static_cast<std::uint32_t>(nodes_.size());
  const Hash128 whole = packer_->wholePosition(s, changes);
  if (const auto it = seen_.find(whole); it != seen_.end()) {
    Node& known = nodes_[it->second];
    if (share && !known.shared) {
      known.shared = true;
      enqueue(it->second, s.state, false, true);
    }
    return;
  }
  // A new position that one already expanded dominates would be dropped when its turn
  // came: the search for the best, which tries every position, does not keep it at all
  // (about one in two). The others keep it: a turn of the exploring order taken by it
  // still counts its floor as looked at, which leads them faster. Its reach is found
  // apart from the cache, which may let go of the one being expanded.
  if (req_.best && table_.covered(packer_->exactPart(named(s, Region(s.state, s.floors)), changes),
                     amounts(s.state)))
    return;
  seen_.emplace(whole, index);
  const int since = nodes_[parent].sinceFull + 1;
  Node n{parent, static_cast<std::int16_t>(floor), static_cast<std::int16_t>(c.target), waste,
         novel, share,
         since < kFullEvery ? packAgainst(from, s, c.moved) : packer_->pack(s, changes), lines(c)};
  n.sinceFull = static_cast<std::uint8_t>(since < kFullEvery ? since : 0);
  keep(std::move(n), s.state);
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

bool Search::expand(std::uint32_t index, bool flights) {
  const Snapshot here = unpack(index);
  const Region& region = regions_.of(here.state, here.floors);
  const Cells changes = packer_->changes(here);
  if (!flights) {
    // A position the exploring order has expanded is expanded again for the others,
    // past the dominance table that already holds it.
    if (!(done_[index] & 4) &&
        table_.dominated(packer_->exactPart(named(here, region), changes), amounts(here.state)))
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
    add(here, index, m, lines, packer_->changesAfter(changes, m.moved, after), here.state[gs::Floor],
        nodes_[index].waste + (wasted(here, after, m.moved) ? 1 : 0), novel(here, after, m.moved),
        !exploringTurn_ || story(after.state) > story(here.state));
  }
  return true;
}

// The most memory the program has held so far, in bytes.
static std::size_t peakBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
}

Stop Search::outOfBudget() const {
  if (req_.cancel && req_.cancel->load()) return Stop::Cancelled;
  if (std::chrono::duration<double>(Clock::now() - start_).count() >= req_.seconds) return Stop::Time;
  if (nodes_.size() >= req_.maxStates) return Stop::States;
  if (req_.maxBytes > 0 && peakBytes() >= req_.maxBytes) return Stop::Memory;
  return Stop::None;
}

void Search::report() {
  const auto now = Clock::now();
  progress_.seconds = std::chrono::duration<double>(now - start_).count();
  progress_.stored = nodes_.size();
  progress_.frontier = 0;
  for (const auto& f : frontiers_) progress_.frontier = std::max(progress_.frontier, f.size());
  progress_.bestFloor = packer_ ? unpack(best_).state[gs::Floor] : 0;
  progress_.bestScore = bestScore_;
  if (req_.progress) req_.progress(progress_);
  lastReport_ = now;
}

std::vector<RouteMove> Search::routeTo(std::uint32_t index) const {
  std::vector<RouteMove> route;
  for (std::uint32_t i = index;; i = nodes_[i].parent) {
    const Node& n = nodes_[i];
    RouteMove m{n.floor, n.target, {}, unpack(i).state};
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

  Stop stopped = Stop::None;
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
    if ((stopped = outOfBudget()) != Stop::None) break;
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
  result.answer = goal_                     ? Answer::RouteFound
                  : stopped != Stop::None ? Answer::Unknown
                                          : Answer::DeadEnd;
  result.stopped = stopped;
  result.route = routeTo(end);
  result.reachedAt = unpack(end);
  result.reached = result.reachedAt.state;
  if (req_.best) result.bestAtGoal = bestAtGoal_, result.bestScore = bestScore_;
  return result;
}

SolveResult solve(Position& position, const SolveRequest& request) {
  return Search(position, request).run();
}

}  // namespace kelvorn::solve
