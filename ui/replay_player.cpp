#include "ui/replay_player.h"

#include <climits>
#include <fstream>

#include "commands/command_table.h"
#include "commands/program_options.h"
#include "commands/script_lines.h"
#include "commands/script_reader.h"

namespace kelvorn::ui {

std::optional<ReplayPlayer> ReplayPlayer::open(const std::filesystem::path& script,
                                               std::string& error) {
  std::ifstream in;
  if (error = commands::openScript(script, in); !error.empty()) {
    error = "cannot read the replay " + script.string() + ": " + error;
    return std::nullopt;
  }
  ReplayPlayer player;
  commands::LineBudget budget;
  commands::LineReader reader(in, budget);
  std::string line, limit;
  while (reader.next(line, limit)) {
    const std::string command(commands::commandOf(line));
    if (command.empty()) continue;
    const std::vector<std::string> w = commands::words(command);
    if (w[0] != commands::form(commands::Verb::Tick).name) {
      player.steps_.push_back({reader.lineNumber(), 0, command});
      continue;
    }
    const auto ms = w.size() == 2 ? commands::wholeNumber(w[1], 0, INT_MAX) : std::nullopt;
    if (!ms) {
      error = "line " + std::to_string(reader.lineNumber()) +
              ": a tick needs a number of milliseconds";
      return std::nullopt;
    }
    player.steps_.push_back({reader.lineNumber(), static_cast<int>(*ms), {}});
  }
  if (!limit.empty() || in.bad()) {
    error = "line " + std::to_string(reader.lineNumber()) + ": " +
            (limit.empty() ? "the replay could not be read" : limit);
    return std::nullopt;
  }
  return player;
}

}  // namespace kelvorn::ui
