#include "rules/replay_log.h"

#include <algorithm>

#include "rules/game.h"
#include "rules/position.h"

namespace kelvorn {

namespace {
// The longest `tick` the driver takes is half an hour; longer idle times are split.
constexpr std::int64_t kLongestTick = 1'000'000;

const char* speedName(Speed s) {
  return s == Speed::High ? "high" : s == Speed::Low ? "low" : "middle";
}
}  // namespace

void ReplayLog::follow(const Game& game) {
  if (game.records.loads != loads_) {
    loads_ = game.records.loads;
    start_.reset();
    text_.clear();
    pendingMs_ = 0;
  }
  if (start_ || !atRest(game)) return;
  start_ = SavedGame{game.floors, game.state};
  // The options that decide how time passes and what the player clicks come first, as
  // a replay starts under the options of whoever plays it.
  text_ =
      "# Kelvorn replay: kelvorn-play --load START --script THIS, where START is the\n"
      "# game this record began from (saved beside it).\n";
  text_ += std::string("menu speed ") +
           speedName(checkedSpeed(game.options).value_or(Speed::Middle)) + "\n";
  text_ +=
      std::string("menu control ") + (game.controls.keyboardControl ? "keyboard" : "mouse") + "\n";
}

ReplayLog::Scope ReplayLog::note(const Game& game, std::string_view command) {
  if (enabled && depth_ == 0 && !command.empty()) {
    follow(game);
    if (start_) {
      flushTime();
      text_ += command;
      text_ += '\n';
    }
  }
  return Scope(*this);
}

void ReplayLog::tick(const Game& game, int ms) {
  if (!enabled) return;
  follow(game);
  if (start_) pendingMs_ += std::max(ms, 0);
}

void ReplayLog::flushTime() {
  while (pendingMs_ > 0) {
    const std::int64_t step = std::min(pendingMs_, kLongestTick);
    text_ += "tick " + std::to_string(step) + "\n";
    pendingMs_ -= step;
  }
}

std::string ReplayLog::script() const {
  std::string out = text_;
  for (std::int64_t left = pendingMs_; left > 0; left -= kLongestTick)
    out += "tick " + std::to_string(std::min(left, kLongestTick)) + "\n";
  return out;
}

}  // namespace kelvorn
