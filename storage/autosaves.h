// The rolling autosaves: the last three positions the window kept by itself, in the
// slot format, in a folder of their own (the data folder, never the save holder).
// autosave1.dat is the newest; each new one moves the others down and drops the oldest.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "storage/save_holder.h"

namespace kelvorn::storage {

class Autosaves {
 public:
  static constexpr int kCount = 3;

  explicit Autosaves(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // Autosave n, 1 (newest) to kCount.
  std::filesystem::path path(int n) const;

  // Keeps the game as the newest autosave, with fresh checksums. The new file is
  // written whole beside the others before any of them moves, so a write that fails or
  // is cut short leaves every earlier autosave as it was; the temporary files of a write
  // killed half-way are removed first. Returns an error text, or empty on success.
  std::string write(const SavedGame& game) const;

  // The newest autosave that can be loaded (one a cut-short rotation left unmoved
  // included), and what the menus say about it.
  struct Newest {
    std::filesystem::path file;
    SlotSummary summary;
  };
  std::optional<Newest> newest() const;

 private:
  // Moves the pending game in as autosave 1, the others down, the oldest out.
  std::string rotateIn() const;
  std::filesystem::path pendingPath() const { return folder_ / "autosave.new"; }
  std::filesystem::path folder_;
};

}  // namespace kelvorn::storage
