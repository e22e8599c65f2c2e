// The save holder: the folder that keeps the player's files (save slots, the hand-over
// copy save0.dat, options, rankings). Every path the game uses inside it is built here,
// every read survives any content and every write is atomic.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "rules/game.h"
#include "rules/options.h"
#include "rules/ranking.h"
#include "storage/names_file.h"

namespace kelvorn::storage {

// What the Save and Load menus say about a slot, read without changing it: whether a
// file is there, whether it can be loaded, its floor and life, and when it was written.
struct SlotSummary {
  bool present = false;
  bool usable = false;
  std::int32_t floor = 0, life = 0;
  std::optional<std::time_t> written;
};

class SaveHolder {
 public:
  explicit SaveHolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
  const std::filesystem::path& folder() const { return folder_; }

  // Slots 1..8, and 0 for the hand-over copy.
  std::filesystem::path slotPath(int n) const;
  bool slotExists(int n) const;
  SlotRead readSlot(int n) const;
  SlotSummary summary(int n) const;
  // Writes the game with fresh checksums. Returns an error text, or empty on success.
  std::string writeSlot(int n, const SavedGame& game) const;
  // The hand-over copy is written as the game stands (its check words as they are).
  std::string writeHandOver(const SavedGame& game) const;
  // The hand-over copy, when it holds a game that can be used: its check words are not
  // kept current, so only its marker and its values are checked.
  std::optional<SavedGame> readHandOver() const;

  // The stored options block, or nullopt when the file is missing or short.
  std::optional<OptionBytes> readOptions() const;
  std::string writeOptions(const OptionBytes& block) const;

  // Ranking n (1..5). A table not written yet gives the temporary one quietly; one that
  // cannot be trusted gives it with the reason.
  RankingLookup readRanking(int n, std::int32_t saveVersion) const;
  std::string writeRanking(int n, const RankingRows& rows, std::int32_t saveVersion) const;
  // The names of ranking n from the first ten lines of its file (ten empty names while
  // the file does not exist), or nullopt when the file cannot be read.
  std::optional<RankingNames> readNames(int n) const;
  std::string writeNames(int n, const RankingNames& names) const;

 private:
  std::filesystem::path rankingPath(int n) const;
  std::filesystem::path namesPath(int n) const;
  // Writes a file of the holder atomically, making the holder first when it is not
  // there. Returns an error text, or empty on success.
  std::string write(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) const;

  std::filesystem::path folder_;
};

// A game in a file of the slot format anywhere (a slot, the recovery copy): read and
// checked as a slot is, or written with fresh checksums, atomically (an error text, or
// empty on success).
SlotRead readSavedGame(const std::filesystem::path& file);
std::string writeSavedGame(const std::filesystem::path& file, const SavedGame& game);
// What the menus say about such a file, read without changing it.
SlotSummary summarizeSavedGame(const std::filesystem::path& file);

// The eleven files a new holder receives from the old one, in the order they are copied.
inline constexpr const char* kHolderFiles[] = {
    "option.dat",   "option1.dat", "option11.dat", "option2.dat", "option21.dat", "option3.dat",
    "option31.dat", "option4.dat", "option41.dat", "option5.dat", "option51.dat"};

}  // namespace kelvorn::storage
