#include "ui/replay_player.h"

#include <charconv>
#include <fstream>

namespace kelvorn::ui {

std::optional<ReplayPlayer> ReplayPlayer::open(const std::filesystem::path& script,
                                               std::string& error) {
  std::ifstream in(script);
  if (!in) {
    error = "cannot read the replay " + script.string();
    return std::nullopt;
  }
  ReplayPlayer player;
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    line.erase(0, first);
    if (line.rfind("tick ", 0) == 0) {
      int ms = 0;
      const char* end = line.data() + line.size();
      const auto [ptr, ec] = std::from_chars(line.data() + 5, end, ms);
      if (ec != std::errc{} || ptr != end || ms < 0) {
        error = "line " + std::to_string(lineNo) + ": a tick needs a number of milliseconds";
        return std::nullopt;
      }
      player.steps_.push_back({lineNo, ms, {}});
    } else {
      player.steps_.push_back({lineNo, 0, line});
    }
  }
  return player;
}

}  // namespace kelvorn::ui
