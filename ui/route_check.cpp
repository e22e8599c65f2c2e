#include "ui/route_check.h"

#include <algorithm>

namespace kelvorn::ui {

void RouteCheck::start(const SavedGame& position, solve::Goal goal, int floor, int seconds) {
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
  thread_ = std::thread([this, position, goal, floor, seconds] {
    solve::SolveRequest request;
    request.goal = goal;
    request.floor = floor;
    request.seconds = seconds;
    request.maxStates = 400'000;  // a few hundred megabytes at most
    request.cancel = &cancel_;
    request.progress = [this](const solve::Progress& p) { positions_ = p.stored; };
    solve::SolveResult result;
    try {
      solve::Position copy(position, false);
      result = solve::solve(copy, request);
    } catch (const std::exception&) {
      result.answer = solve::Answer::Unknown;  // the search failed: nothing is known
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

std::optional<solve::SolveResult> RouteCheck::result() const {
  std::lock_guard lock(mutex_);
  return result_;
}

std::string answerText(const solve::SolveResult& result, const std::string& goalText,
                       bool cancelled, int seconds) {
  switch (result.answer) {
    case solve::Answer::RouteFound: return "A way to " + goalText + " exists.";
    case solve::Answer::DeadEnd: return "No way to " + goalText + " is left from here.";
    case solve::Answer::Unknown: break;
  }
  if (cancelled) return "Not sure: the search was cancelled.";
  if (result.progress.seconds + 0.5 < seconds)
    return "Not sure: no answer within the memory the search may use.";
  return "Not sure: no answer within " + std::to_string(seconds) + " seconds.";
}

}  // namespace kelvorn::ui
