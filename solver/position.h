// The solver's one seam onto the rules: a game driven headless through the driver's own
// commands, which can be set to any saved position and asked what the player may do.
// Every outcome comes from the engine; nothing here knows a rule of the game. The
// commands it runs are the lines of a kelvorn-play script, so a route it finds replays
// through kelvorn-play as it was found.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "rules/game.h"
#include "commands/driver.h"

namespace kelvorn::solve {

struct Snapshot {
  GameState state;
  FloorStore floors;
  // Which of the save holder's contents seen in the search it had (see `Position`): the
  // fairies' rankings written so far decide which boxes a later judgement shows.
  int files = 0;
};

class Position {
 public:
  // A new game (prologue off unless asked), then `start` loaded as `kelvorn-play --load`
  // loads a file.
  Position(const std::optional<SavedGame>& start, std::optional<bool> prologue);
  ~Position();
  Position(const Position&) = delete;
  Position& operator=(const Position&) = delete;

  const Game& game() const { return driver_->game(); }
  Snapshot snapshot() const { return {game().state, game().floors, files_}; }
  // Puts the game at `s` with nothing pending, as after a move played to its end.
  void restore(const Snapshot& s);

  // Runs one script line, then `wait` when the game is busy; appends what ran to `log`.
  // False when the driver refused the line or the game did not settle.
  bool run(const std::string& command, std::vector<std::string>& log);
  // The answers the game waits for now (a box, a window, the rankings), as script lines;
  // empty when it waits for none.
  std::vector<std::string> choices() const;
  // True when the hero can be moved: nothing plays, nothing asks.
  bool free() const;

 private:
  void startDriver();
  // Reads the holder's files after a judgement or the rankings may have written them.
  void readFiles();
  // Puts the holder's files back as they were in version `n`.
  void writeFiles(int n);

  std::optional<bool> prologue_;
  std::filesystem::path holder_;
  std::ostream quiet_{nullptr};  // the driver's messages: the solver reads the game instead
  std::optional<commands::Driver> driver_;
  // Every content the holder has had in this search, by name and bytes; version 0 is
  // the holder as the game started, as a replay through kelvorn-play starts.
  using Files = std::map<std::string, std::vector<std::uint8_t>>;
  std::map<Files, int> versionOf_;
  std::vector<const Files*> versions_;  // the keys of `versionOf_`, by version
  int files_ = 0;                       // the version in the holder now
};

}  // namespace kelvorn::solve
