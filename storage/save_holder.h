// The save holder: the folder that keeps the player's files (save slots, the hand-over
// copy save0.dat, options, rankings). Every path the game uses inside it is built here.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "engine/game.h"
#include "engine/options.h"
#include "engine/ranking.h"

namespace kelvorn::storage {

class SaveHolder {
 public:
  explicit SaveHolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  const std::filesystem::path& folder() const { return folder_; }

  // The stored options block, or nullopt when the file is missing or short.
  std::optional<OptionBytes> readOptions() const;
  // Ranking n (1..5) for a fairy's judgement; a table that cannot be trusted gives the
  // temporary one and the reason.
  RankingLookup readRanking(int n, std::int32_t saveVersion) const;
  // Writes the game to save0.dat as it stands (its check words are written as they are).
  // Returns an error text, or empty on success.
  std::string writeHandOver(const SavedGame& game) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace kelvorn::storage
