// "Can I still win?": the route solver run on its own thread on a copy of the game, so
// the window goes on drawing and answering while it searches.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "rules/host.h"
#include "solver/search.h"

namespace kelvorn::ui {

class RouteCheck {
 public:
  RouteCheck() = default;
  RouteCheck(const RouteCheck&) = delete;
  RouteCheck& operator=(const RouteCheck&) = delete;
  ~RouteCheck() { stop(); }

  // Starts a search from `position`; a search still running is cancelled first.
  void start(const SavedGame& position, solve::Goal goal, int floor, int seconds);
  // Asks the search to stop and waits for it: it stops within one position.
  void stop();
  void cancel() { cancel_ = true; }

  bool running() const { return running_; }
  // The share of the time allowed that has passed, 0..1.
  float fraction() const;
  std::size_t positions() const { return positions_; }
  // The search's answer once it has finished.
  std::optional<solve::SolveResult> result() const;
  bool cancelled() const { return cancel_; }
  int seconds() const { return seconds_; }

 private:
  std::thread thread_;
  std::atomic<bool> cancel_{false}, running_{false};
  std::atomic<std::size_t> positions_{0};
  std::chrono::steady_clock::time_point started_;
  int seconds_ = 10;
  mutable std::mutex mutex_;
  std::optional<solve::SolveResult> result_;
};

// The plain words of an answer: "A way to floor 12 exists." and the like; `goalText`
// names the goal ("floor 12", "the next checkpoint", "the ending").
std::string answerText(const solve::SolveResult& result, const std::string& goalText,
                       bool cancelled, int seconds);

}  // namespace kelvorn::ui
