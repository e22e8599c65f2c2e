// The game's four timers as plain data: an interval, an enabled flag and the time
// that has passed since the timer last fired. No clock is read here; the window's
// event loop, a test or the headless driver hands time in with advance().
#pragma once

#include <array>
#include <optional>

namespace kelvorn {

enum class TimerId {
  Animation = 0,  // Timer1: the board's two-frame idle animation
  Steps = 1,      // Timer2: the WorkStack interpreter
  Repeat = 2,     // Timer3: repeat of a held flight button
  Intro = 3,      // Timer4: the start-up intro and picture sequences
};
inline constexpr int kTimerCount = 4;

class Timers {
 public:
  Timers();

  int interval(TimerId id) const { return at(id).interval; }
  bool enabled(TimerId id) const { return at(id).enabled; }

  // A changed interval restarts the count, as does enabling a stopped timer.
  void setInterval(TimerId id, int ms);
  // While capped, a timer fires at least every `ms` whatever its interval (fast play);
  // nullopt lifts the cap.
  void cap(TimerId id, std::optional<int> ms);
  void enable(TimerId id, bool on);

  // Milliseconds until the earliest enabled timer of `mask` fires, or nullopt.
  std::optional<int> untilNext(std::initializer_list<TimerId> among) const;
  std::optional<int> untilNext() const;

  // Moves time forward by at most `budget` ms, stopping at the first timer that fires
  // (the lowest number wins a tie). Returns that timer, or nullopt when the budget ran
  // out first; `budget` is reduced by the time that passed.
  std::optional<TimerId> advance(int& budget);

 private:
  struct Timer {
    int interval = 0;
    bool enabled = false;
    int elapsed = 0;
    std::optional<int> cap;
    int due() const { return cap && *cap < interval ? *cap : interval; }
  };
  Timer& at(TimerId id) { return timers_[static_cast<int>(id)]; }
  const Timer& at(TimerId id) const { return timers_[static_cast<int>(id)]; }
  std::array<Timer, kTimerCount> timers_;
};

}  // namespace kelvorn
