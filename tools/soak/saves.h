// The save files a soak game starts from: saves of states reached by playing, kept
// in a pool, and mutated copies of them that reach the loader's checks and the rules
// with values and tile codes no play would produce.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/host.h"
#include "tools/soak/rng.h"

namespace kelvorn::soak {

struct SaveFile {
  std::vector<std::uint8_t> bytes;
  bool mutated = false;
  std::string what;  // the mutations, for the script's header
};

// Saves of games reached by playing, oldest replaced at random once full.
class SavePool {
 public:
  explicit SavePool(const SavedGame& newGame) : saves_{newGame} {}
  void add(const SavedGame& game, Rng& rng);
  const SavedGame& pick(Rng& rng) const {
    return saves_[rng.below(static_cast<int>(saves_.size()))];
  }
  int size() const { return static_cast<int>(saves_.size()); }

 private:
  std::vector<SavedGame> saves_;
};

// The save as the game writes it, with fresh checksums.
SaveFile validSave(SavedGame game);

// A copy with one to four mutations: the hero moved to another floor and cell, stats,
// items and flags set to edge values, cells (one beside the hero above all) and arrival
// bytes of the floor block (not covered by the checksums) overwritten with any code, and
// now and then a broken
// checksum, marker or length. Changed GameState values get fresh checksums unless the
// mutation is a broken checksum, so the loader's range checks decide.
SaveFile mutatedSave(SavedGame game, Rng& rng);

}  // namespace kelvorn::soak
