// "Can I still win?": the route solver run on its own thread on a copy of the game, so
// the window goes on drawing and answering while it searches.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "rules/host.h"
#include "solver/search.h"

namespace kelvorn::ui {

// The time one question may take in the window. The way to the next floor takes a few
// seconds from any floor's arrival; the checkpoints and the ending may take all of it.
inline constexpr int kSearchSeconds = 30;

// A goal as the window asks for it: 0 the floor above the highest reached, 1 the next
// checkpoint, 2 the ending; `text` names it in the answer.
struct Question {
  solve::Goal goal;
  int floor;
  std::string text;
};
Question question(const GameState& state, int goal);

// The search's answer, with what blocks the hero when it is a dead end.
struct CheckResult {
  solve::SolveResult search;
  std::vector<std::string> blocked;  // solve::blockedText of the position reached
};

class RouteCheck {
 public:
  RouteCheck() = default;
  RouteCheck(const RouteCheck&) = delete;
  RouteCheck& operator=(const RouteCheck&) = delete;
  ~RouteCheck() { stop(); }

  // Starts a search from `position`; a search still running is cancelled first.
  void start(const SavedGame& position, const Question& question, int seconds);
  // Asks the search to stop and waits for it: it stops within one position.
  void stop();
  void cancel() { cancel_ = true; }

  bool running() const { return running_; }
  // The share of the time allowed that has passed, 0..1.
  float fraction() const;
  std::size_t positions() const { return positions_; }
  // The search's answer once it has finished.
  std::optional<CheckResult> result() const;
  bool cancelled() const { return cancel_; }
  int seconds() const { return seconds_; }

 private:
  std::thread thread_;
  std::atomic<bool> cancel_{false}, running_{false};
  std::atomic<std::size_t> positions_{0};
  std::chrono::steady_clock::time_point started_;
  int seconds_ = 10;
  mutable std::mutex mutex_;
  std::optional<CheckResult> result_;
};

// The plain words of an answer: "A way to floor 12 exists." and the like; `goalText`
// names the goal ("floor 12", "the next checkpoint", "the ending"). A dead end goes on
// with what blocks the way, an unknown with the best position the search reached.
std::string answerText(const CheckResult& result, const std::string& goalText,
                       bool cancelled, int seconds);

}  // namespace kelvorn::ui
