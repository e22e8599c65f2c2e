#include "solver/no_return.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <sstream>

#include "commands/command_table.h"
#include "solver/searcher.h"

namespace kelvorn::solve {

SolveRequest wayOn(int floor) {
  SolveRequest request;
  request.goal = floor >= 49 ? Goal::Ending : Goal::Floor;
  request.floor = floor + 1;
  return request;
}

namespace {

// The ways on already settled, by the position's exact part, each with its amounts.
// More of everything is never worse: a position with at least the amounts of one with
// a way on has one too, and one with at most the amounts of one without has none.
class Settled {
 public:
  std::optional<Answer> known(const Hash128& exact, const Amounts& a) const {
    const auto it = table_.find(exact);
    if (it == table_.end()) return std::nullopt;
    for (const auto& [amounts, open] : it->second) {
      const bool atLeast = std::ranges::equal(a, amounts, std::greater_equal<>{});
      const bool atMost = std::ranges::equal(a, amounts, std::less_equal<>{});
      if (open && atLeast) return Answer::RouteFound;
      if (!open && atMost) return Answer::DeadEnd;
    }
    return std::nullopt;
  }
  void note(const Hash128& exact, const Amounts& a, bool open) {
    table_[exact].emplace_back(a, open);
  }

 private:
  std::unordered_map<Hash128, std::vector<std::pair<Amounts, bool>>, Hash128Hasher> table_;
};

std::vector<std::string> linesOf(const std::string& joinedLines) {
  std::vector<std::string> out;
  std::istringstream in(joinedLines);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

// The share of the budget the listing may take: the rest is for the questions, which
// are asked from the start down, so a listing cut short still has its nearest moves asked.
constexpr double kListingShare = 0.25;

class NoReturn {
 public:
  NoReturn(Position& position, const NoReturnRequest& request)
      : pos_(position), req_(request), floor_(position.game().state[gs::Floor]),
        listing_{Goal::Floor, -1, request.seconds * kListingShare, request.maxStates, false,
                 request.cancel, {}},
        search_(position, listing_) {
    search_.stayOn(floor_);
  }

  NoReturnResult run() {
    // A goal no position reaches: the search lists the floor until nothing new is left.
    out_.floor = floor_;
    out_.listedAll = search_.run().answer == Answer::DeadEnd;
    const auto& nodes = search_.nodes();
    out_.positions = nodes.size();
    children_.resize(nodes.size());
    for (std::uint32_t i = 1; i < nodes.size(); ++i) children_[nodes[i].parent].push_back(i);
    packer_.emplace(search_.unpack(0));
    say("listed " + std::to_string(nodes.size()) + " positions of floor " +
        std::to_string(floor_) + (out_.listedAll ? "" : " (budget reached)"));
    open_.assign(nodes.size(), std::nullopt);
    out_.start = ask(0);
    if (out_.start != Answer::RouteFound) return finish();
    // Down from the start, through the positions with a way on: a child without one
    // is a trap, and what lies below it has none either.
    std::deque<std::uint32_t> todo{0};
    while (!todo.empty()) {
      const std::uint32_t at = todo.front();
      todo.pop_front();
      for (const std::uint32_t c : children_[at]) {
        if (!open_[c] && elapsed() >= req_.seconds) {
          ++out_.notAsked;
          continue;
        }
        const Answer a = open_[c] ? *open_[c] : ask(c);
        if (a == Answer::RouteFound) todo.push_back(c);
        if (a == Answer::DeadEnd) out_.traps.push_back(closing(c));
        if (a == Answer::Unknown) out_.unknown.push_back(closing(c));
      }
    }
    return finish();
  }

 private:
  double elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }
  void say(const std::string& line) const {
    if (req_.progress) req_.progress(line);
  }
  NoReturnResult finish() {
    out_.seconds = elapsed();
    return std::move(out_);
  }

  // The exact part of node `i` with the hero named by his reach, as the search names it.
  Hash128 exactOf(const Snapshot& s) {
    const Region& region = regions_.of(s.state, s.floors);
    Snapshot named = s;
    named.state = region.stateAt(s.state, region.canonical());
    named.state[gs::Facing] = s.state[gs::Facing];
    return packer_->exactPart(named, packer_->changes(s));
  }

  // Whether node `i` has a way on: from what is settled, or by a search of its own,
  // whose route marks the listed positions it passes through as open too.
  Answer ask(std::uint32_t i) {
    const Snapshot s = search_.unpack(i);
    const Hash128 exact = exactOf(s);
    std::optional<Answer> a = settled_.known(exact, amounts(s.state));
    if (!a) {
      SolveRequest question = wayOn(floor_);
      question.seconds = std::max(0.001, std::min(req_.secondsPerQuestion, req_.seconds - elapsed()));
      question.maxStates = req_.maxStates;
      question.cancel = req_.cancel;
      pos_.restore(s);
      ++out_.questions;
      const SolveResult r = solve(pos_, question);
      a = r.answer;
      if (*a != Answer::Unknown) settled_.note(exact, amounts(s.state), *a == Answer::RouteFound);
      if (*a == Answer::RouteFound) markRoute(i, r.route);
      if (elapsed() - lastSaid_ >= 1) {
        lastSaid_ = elapsed();
        say(std::to_string(out_.questions) + " positions asked, " +
            std::to_string(out_.traps.size()) + " traps");
      }
    }
    open_[i] = *a;
    return *a;
  }

  void markRoute(std::uint32_t from, const std::vector<RouteMove>& route) {
    const auto& nodes = search_.nodes();
    for (const RouteMove& m : route) {
      const std::string lines = joined(m.commands);
      const auto& next = children_[from];
      const auto it = std::ranges::find_if(
          next, [&](std::uint32_t c) { return nodes[c].commands == lines; });
      if (it == next.end()) return;
      from = *it;
      open_[from] = Answer::RouteFound;
    }
  }

  ClosingMove closing(std::uint32_t i) const {
    const auto& nodes = search_.nodes();
    const Node& n = nodes[i];
    ClosingMove m{floor_, n.target, 0, n.commands, {}, search_.unpack(i).state};
    if (n.target >= 0) {
      m.code = search_.unpack(n.parent).floors.cell(floor_, n.target);
    } else {
      const std::vector<std::string> acted = linesOf(n.commands);
      for (int slot = 0; slot < kItemSlots; ++slot)
        if (std::ranges::find(acted, commands::line(commands::Verb::ClickItem, slot)) != acted.end())
          m.code = 36 + slot;  // the item's tile code, as it lay on a floor
    }
    std::vector<std::uint32_t> path;
    for (std::uint32_t k = i; k != 0; k = nodes[k].parent) path.push_back(k);
    path.push_back(0);
    for (auto k = path.rbegin(); k != path.rend(); ++k)
      for (std::string& l : linesOf(nodes[*k].commands)) m.script.push_back(std::move(l));
    return m;
  }

  Position& pos_;
  const NoReturnRequest& req_;
  const int floor_;
  const Clock::time_point start_ = Clock::now();
  double lastSaid_ = 0;
  SolveRequest listing_;
  Search search_;
  std::optional<Packer> packer_;
  RegionCache regions_;
  Settled settled_;
  std::vector<std::vector<std::uint32_t>> children_;
  std::vector<std::optional<Answer>> open_;  // each listed position's way on, once known
  NoReturnResult out_;
};

}  // namespace

NoReturnResult pointsOfNoReturn(Position& position, const NoReturnRequest& request) {
  return NoReturn(position, request).run();
}

}  // namespace kelvorn::solve
