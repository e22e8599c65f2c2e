// What must hold after every command the soak plays, whatever the player did and
// whatever a loaded save held.
#pragma once

#include <bitset>
#include <optional>
#include <string>

#include "rules/game.h"

namespace kelvorn::soak {

// The codes the game's own maps and scripts store in a cell: frame-0 codes of walls,
// floors, doors, stairs, items, characters, altars and monsters. Partner codes (the
// second animation frames), 0, 36 and 159..255 never are.
bool storedCode(TileCode code);
// Every code of `floors` that is not a stored code.
std::bitset<256> unknownCodes(const FloorStore& floors);

// An invariant that does not hold: which one, and what was seen.
struct Finding {
  std::string invariant;
  std::string detail;
  std::string text() const { return detail.empty() ? invariant : invariant + ": " + detail; }
};

// The windows of the driver (rankings, save-holder chooser) the game may wait behind.
struct OpenWindows {
  bool ranking = false;
  bool chooser = false;
};

// True while something waits for an answer or a click of the player.
bool waitingForPlayer(const Game& game, const OpenWindows& windows);

class InvariantChecker {
 public:
  // `loadable` holds the unknown codes the saves of this game may bring in: a cell may
  // keep (or be given, by a scene that moves what stands there) one of those.
  explicit InvariantChecker(std::bitset<256> loadable) : loadable_(loadable) {}

  // Remembers the floors before a command, to see which cells it wrote.
  void before(const Game& game) { floorsBefore_ = game.floors; }
  // Checks the game after a command; the first invariant broken.
  std::optional<Finding> after(const Game& game, const OpenWindows& windows);
  // Every cell of every floor, as after a start-up or a new game.
  std::optional<Finding> allCells(const Game& game);
  // Counts a check made by the caller (an exception, a hang).
  void count(int checks) { checks_ += checks; }

  long checks() const { return checks_; }

 private:
  std::optional<Finding> cellWritten(int floor, int cell, TileCode code) const;

  std::bitset<256> loadable_;
  FloorStore floorsBefore_;
  long checks_ = 0;
};

}  // namespace kelvorn::soak
