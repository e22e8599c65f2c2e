#include "tools/soak/checked_game.h"

#include <exception>

namespace kelvorn::soak {

CheckedGame::CheckedGame(const std::filesystem::path& holder, bool prologue,
                         std::bitset<256> loadable)
    : driver_(commands::DriverOptions{holder, std::nullopt, prologue}, out_, err_),
      checker_(loadable) {}

std::optional<Finding> CheckedGame::start() {
  checker_.count(1);
  try {
    driver_.startUp();
  } catch (const std::exception& e) {
    return Finding{"an exception escaped", std::string("at start-up: ") + e.what()};
  }
  return checker_.allCells(game());
}

std::optional<Finding> CheckedGame::play(const std::string& line, bool& refused) {
  refused = false;
  checker_.before(game());
  std::istringstream in(line + "\n");
  int status = commands::kExitOk;
  checker_.count(2);  // no exception, no endless wait
  try {
    status = driver_.run(in);
  } catch (const std::exception& e) {
    return Finding{"an exception escaped", e.what()};
  } catch (...) {
    return Finding{"an exception escaped", "not a std::exception"};
  }
  const std::string note = err_.str();
  out_.str("");
  err_.str("");
  if (status == commands::kExitNotIdle)
    return Finding{"a wait that never ends",
                   std::to_string(game().stack.count()) + " steps still pending"};
  if (status == commands::kExitBadCommand)
    return Finding{"the driver did not understand a line of the soak's own", note};
  refused = status == commands::kExitNoTarget;
  const OpenWindows windows{driver_.ranking() != nullptr, driver_.chooser() != nullptr};
  return checker_.after(game(), windows);
}

ReplayResult replay(const std::filesystem::path& holder, bool prologue, std::bitset<256> loadable,
                    const std::vector<std::string>& lines, ScriptFile* record) {
  CheckedGame game(holder, prologue, loadable);
  ReplayResult result;
  result.finding = game.start();
  for (std::size_t i = 0; i < lines.size() && !result.finding && !game.over(); ++i) {
    if (record) record->add(lines[i]);
    bool refused = false;
    result.finding = game.play(lines[i], refused);
    result.line = static_cast<int>(i + 1);
    if (!refused || result.finding)
      result.accepted.push_back(lines[i]);
    else if (record)
      record->takeBack();
  }
  if (!result.finding) result.line = 0;
  return result;
}

}  // namespace kelvorn::soak
