#include "rules/timers.h"

#include <algorithm>

namespace kelvorn {

Timers::Timers() {
  // As created: the animation runs, everything else waits to be started.
  timers_[0] = {500, true, 0, std::nullopt};
  timers_[1] = {300, false, 0, std::nullopt};
  timers_[2] = {300, false, 0, std::nullopt};
  timers_[3] = {500, false, 0, std::nullopt};
}

void Timers::setInterval(TimerId id, int ms) {
  Timer& t = at(id);
  ms = std::max(ms, 1);
  if (t.interval != ms) t.elapsed = 0;
  t.interval = ms;
}

void Timers::cap(TimerId id, std::optional<int> ms) {
  at(id).cap = ms ? std::optional(std::max(*ms, 1)) : std::nullopt;
}

void Timers::enable(TimerId id, bool on) {
  Timer& t = at(id);
  if (on && !t.enabled) t.elapsed = 0;
  t.enabled = on;
}

std::optional<int> Timers::untilNext(std::initializer_list<TimerId> among) const {
  std::optional<int> best;
  for (TimerId id : among) {
    const Timer& t = at(id);
    if (!t.enabled) continue;
    const int due = std::max(t.due() - t.elapsed, 0);
    if (!best || due < *best) best = due;
  }
  return best;
}

std::optional<int> Timers::untilNext() const {
  return untilNext({TimerId::Animation, TimerId::Steps, TimerId::Repeat, TimerId::Intro});
}

std::optional<TimerId> Timers::advance(int& budget) {
  const auto due = untilNext();
  if (!due || *due > budget) {
    for (Timer& t : timers_)
      if (t.enabled) t.elapsed += budget;
    budget = 0;
    return std::nullopt;
  }
  budget -= *due;
  std::optional<TimerId> fired;
  for (int i = 0; i < kTimerCount; ++i) {
    Timer& t = timers_[i];
    if (!t.enabled) continue;
    t.elapsed += *due;
    if (!fired && t.elapsed >= t.due()) fired = static_cast<TimerId>(i);
  }
  at(*fired).elapsed = 0;
  return fired;
}

}  // namespace kelvorn
