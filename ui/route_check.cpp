#include "ui/route_check.h"

#include <algorithm>

#include "solver/blockers.h"

namespace kelvorn::ui {

Question question(const GameState& state, int goal) {
  const int next = std::min(state[gs::HighestFloor] + 1, 50);
  if (goal == 0) return {solve::Goal::Floor, next, "floor " + std::to_string(next)};
  if (goal == 1) return {solve::Goal::Checkpoint, next, "the next checkpoint"};
  return {solve::Goal::Ending, next, "the ending"};
}

void RouteCheck::start(const SavedGame& position, const Question& question, int seconds) {
  stop();
  cancel_ = false;
  running_ = true;
  positions_ = 0;
  seconds_ = seconds;
  started_ = std::chrono::steady_clock::now();
  {
    std::lock_guard lock(mutex_);
    result_.reset();
  }
  thread_ = std::thread([this, position, goal = question.goal, floor = question.floor, seconds] {
    solve::SolveRequest request;
    request.goal = goal;
    request.floor = floor;
    request.seconds = seconds;
    request.maxStates = 400'000;  // a few hundred megabytes at most
    request.cancel = &cancel_;
    request.progress = [this](const solve::Progress& p) { positions_ = p.stored; };
    CheckResult result;
    try {
      solve::Position copy(position, false);
      result.search = solve::solve(copy, request);
      if (result.search.answer == solve::Answer::DeadEnd) {
        copy.restore(result.search.reachedAt);
        result.blocked = solve::blockedText(copy.game());
      }
    } catch (const std::exception&) {
      result = {};  // the search failed: nothing is known
    }
    std::lock_guard lock(mutex_);
    result_ = std::move(result);
    running_ = false;
  });
}

void RouteCheck::stop() {
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
}

float RouteCheck::fraction() const {
  if (!running_) return 1.0f;
  const double spent =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
  return static_cast<float>(std::clamp(spent / seconds_, 0.0, 1.0));
}

std::optional<CheckResult> RouteCheck::result() const {
  std::lock_guard lock(mutex_);
  return result_;
}

std::string answerText(const CheckResult& result, const std::string& goalText,
                       bool cancelled, int seconds) {
  const solve::SolveResult& search = result.search;
  switch (search.answer) {
    case solve::Answer::RouteFound: return "A way to " + goalText + " exists.";
    case solve::Answer::DeadEnd: {
      std::string text = "No way to " + goalText + " is left from here.";
      for (const std::string& line : result.blocked) text += "\n" + line;
      return text;
    }
    case solve::Answer::Unknown: break;
  }
  std::string text = cancelled ? "Not sure: the search was cancelled."
                     : search.progress.seconds + 0.5 < seconds
                         ? "Not sure: no answer within the memory the search may use."
                         : "Not sure: no answer within " + std::to_string(seconds) + " seconds.";
  if (search.route.empty()) return text;
  const GameState& s = search.reached;
  return text + "\nThe furthest it got: floor " + std::to_string(s[gs::Floor]) + " with " +
         std::to_string(s[gs::Life]) + " life, offense " + std::to_string(s[gs::Offense]) +
         " and defense " + std::to_string(s[gs::Defense]) + ".";
}

}  // namespace kelvorn::ui
