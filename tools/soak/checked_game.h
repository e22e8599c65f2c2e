// One game played through the headless driver with every invariant checked after each
// command: the soak's games and the replays of their scripts both run here.
#pragma once

#include <bitset>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "commands/driver.h"
#include "tools/soak/invariants.h"
#include "tools/soak/script_file.h"

namespace kelvorn::soak {

class CheckedGame {
 public:
  CheckedGame(const std::filesystem::path& holder, bool prologue, std::bitset<256> loadable);

  // Starts the game as kelvorn-play does and checks every cell.
  std::optional<Finding> start();
  // Plays one script line. `refused` tells whether the driver refused it (no visible,
  // enabled target): such a line changes nothing and is left out of the script.
  std::optional<Finding> play(const std::string& line, bool& refused);

  const commands::Driver& driver() const { return driver_; }
  const Game& game() const { return driver_.game(); }
  bool over() const { return driver_.game().quitRequested; }
  long checks() const { return checker_.checks(); }

 private:
  std::ostringstream out_, err_;  // dumps and the driver's notes: not needed
  commands::Driver driver_;
  InvariantChecker checker_;
};

// The first finding of a script replayed from its first line, the number of the line
// that broke it, and the lines the game accepted up to there (also written to
// `record`, when given, as they are played).
struct ReplayResult {
  std::optional<Finding> finding;
  int line = 0;
  std::vector<std::string> accepted;
};
ReplayResult replay(const std::filesystem::path& holder, bool prologue, std::bitset<256> loadable,
                    const std::vector<std::string>& lines, ScriptFile* record = nullptr);

}  // namespace kelvorn::soak
