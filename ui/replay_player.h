// A replay played back in the window: the script's lines in order, each `tick` a stretch
// of game time the window hands over at the chosen speed, each other line a command the
// window carries out as it carries out the player's own input.
#pragma once

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvorn::ui {

class ReplayPlayer {
 public:
  // Reads a script; nullopt with the reason when it cannot be read.
  static std::optional<ReplayPlayer> open(const std::filesystem::path& script, std::string& error);

  // Hands over up to `budget` ms of game time through `advance`, carrying out with
  // `command` every command reached on the way. Returns false once the script is done.
  template <typename Advance, typename Command>
  bool play(int budget, Advance&& advance, Command&& command);

  int lineNumber() const { return steps_[next_].line; }

 private:
  struct Step {
    int line;
    int ms;               // time to hand over, for a `tick`
    std::string command;  // empty for a `tick`
  };
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

template <typename Advance, typename Command>
bool ReplayPlayer::play(int budget, Advance&& advance, Command&& command) {
  while (next_ < steps_.size()) {
    Step& step = steps_[next_];
    if (step.command.empty()) {
      const int spent = std::min(budget, step.ms);
      if (spent > 0) advance(spent);
      step.ms -= spent;
      budget -= spent;
      if (step.ms > 0) return true;
    } else if (!command(step.command)) {
      return false;
    }
    ++next_;
  }
  return false;
}

}  // namespace kelvorn::ui
