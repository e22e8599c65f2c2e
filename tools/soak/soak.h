// The soak: game after game from a seed, each started new, from a save reached by
// playing, or from a mutated save, then played with random commands under the checks.
// Everything follows from the seed, so a finding can be played again exactly.
//
// While a game is played its folder (FOLDER/current) holds start/, the save holder's
// files before the first command, holder/, the holder the game uses, and script.txt,
// the commands played so far, written before each runs, so a crash or a hang leaves
// them behind. A game with a finding is kept as FOLDER/finding-SEED-GAME.
#pragma once

#include <atomic>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "tools/soak/invariants.h"
#include "tools/soak/saves.h"

namespace kelvorn::soak {

struct SoakOptions {
  std::uint64_t seed = 1;
  double seconds = 0;  // stop after this long (0: no limit)
  long commands = 0;   // stop after this many commands (0: no limit)
  std::filesystem::path folder;
  bool keepGoing = false;  // go on with the next game after a finding
  // Set to the time a command starts and to 0 when it returns, for a watchdog.
  std::atomic<double>* heartbeat = nullptr;
  // Told where the game being played is kept, as a line to print should the process
  // die before the soak can report (a sanitizer's stop, an abort, the watchdog).
  std::function<void(const std::string&)> note;
};

struct SoakCounts {
  long commands = 0;
  long refused = 0;  // commands whose control was not there (skipped)
  long games = 0, newGames = 0, fromValid = 0, fromMutated = 0;
  long mutatedAccepted = 0;  // mutated saves the game loaded (the others it refused)
  long savesWritten = 0, mutatedWritten = 0;
  long checks = 0;
  long findings = 0;
};

class Soak {
 public:
  Soak(SoakOptions options, std::ostream& out);
  // Plays until the budget is spent, or to the first finding. Returns 0 when nothing
  // was found, 1 otherwise.
  int run();
  const SoakCounts& counts() const { return counts_; }
  std::string summary(double seconds) const;

  // The folder of the game being played.
  static std::filesystem::path currentFolder(const std::filesystem::path& folder) {
    return folder / "current";
  }

 private:
  struct Start {
    std::string title;  // seed, game and what it started from
    bool prologue = false;
    bool clean = true;               // no mutated save in the holder
    std::vector<std::string> lines;  // commands before the random ones
    std::bitset<256> loadable;
    bool mutatedStart = false;
  };
  Start prepare(long index, Rng& rng, const std::filesystem::path& game);
  // Plays game `index`; returns false when it broke an invariant.
  bool playGame(long index);
  bool budgetLeft() const;
  void report(long index, const Start& start, const Finding& finding, int command);

  SoakOptions options_;
  std::ostream& out_;
  SavePool pool_;
  SoakCounts counts_;
  double startedAt_ = 0;
};

// Replays the game kept in `folder` (start/ and script.txt) with every check, in a
// fresh copy of its holder; prints what it finds. Returns 0 when nothing was found.
int replayFolder(const std::filesystem::path& folder, std::ostream& out);

// Shortens the script of a kept game to the fewest commands that still end the same
// way (replays run apart, so a crash shortens too), keeping the whole one as full.txt.
// Returns 0 when the whole script ended cleanly (nothing to shorten).
int shrinkFolder(const std::filesystem::path& folder, std::ostream& out);

// The seconds of a steady clock, for budgets and the watchdog.
double nowSeconds();

}  // namespace kelvorn::soak
