// The save file: 6957 bytes holding every floor, GameState, its two checksums and the
// five words stored after them. The same layout serves the eight slots and the undo
// copy save0.dat.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "rules/game.h"

namespace kelvorn::storage {

inline constexpr std::size_t kSaveFileSize = 6957;

// The bytes of a saved game, as stored: the trailing words are written as they are in
// `game.state.extra`, so the caller decides whether the checksums are fresh.
std::vector<std::uint8_t> encodeSave(const SavedGame& game);

// Puts fresh checksums into the words after GameState.
void stampChecksums(GameState& state);

struct DecodedSave {
  SavedGame game;
  // The file is exactly one save long, its version marker is -4 and both stored
  // checksums match the stored GameState.
  bool valid = false;
};
// nullopt when the file is too short to hold a save. A longer file is decoded from its
// first 6957 bytes but never valid: it is not a file this game wrote.
std::optional<DecodedSave> decodeSave(std::span<const std::uint8_t> bytes);

}  // namespace kelvorn::storage
