// A move played to its end: the step or item use, then every chain of answers the
// boxes it opens can be given, each kept where the game settles.
#include <algorithm>

#include "rules/ranking.h"
#include "solver/searcher.h"

namespace kelvorn::solve {

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
      // At the checkpoint the best search keeps the route to each better score.
      const bool scored = req_.best && req_.goal == Goal::Checkpoint;
      const std::int32_t score = fairyScore(g.state, g.state[gs::Checkpoint]);
      if (!goal_ || (scored && score > *bestScore_)) {
        const auto index = static_cast<std::uint32_t>(nodes_.size());
        keep({parent, static_cast<std::int16_t>(floor), static_cast<std::int16_t>(target), 0,
              false, true, packer_->pack(pos_.snapshot()),
              commands(Child{{}, spot, joined(lines), target, {}})},
             g.state);
        goal_ = index;
        if (!bestAtGoal_) bestAtGoal_ = stats;
        if (scored) bestScore_ = score;
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

}  // namespace kelvorn::solve
