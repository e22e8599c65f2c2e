#include "storage/autosaves.h"

#include "storage/files.h"

namespace kelvorn::storage {

namespace fs = std::filesystem;

fs::path Autosaves::path(int n) const {
  return folder_ / ("autosave" + std::to_string(n) + ".dat");
}

std::string Autosaves::write(const SavedGame& game) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) return "cannot make " + folder_.string() + ": " + ec.message();
  // What a write killed half-way left is of no use to anyone.
  removeStrayTemporaries(pendingPath());
  // A rotation cut short before is finished first, so its new game is not overwritten.
  if (summarizeSavedGame(pendingPath()).usable)
    if (std::string error = rotateIn(); !error.empty()) return error;
  if (std::string error = writeSavedGame(pendingPath(), game); !error.empty()) return error;
  return rotateIn();
}

std::string Autosaves::rotateIn() const {
  std::error_code ec;
  for (int n = kCount - 1; n >= 1; --n) {
    if (!fs::exists(path(n), ec)) continue;
    fs::rename(path(n), path(n + 1), ec);
    if (ec) return "cannot move " + path(n).string() + ": " + ec.message();
  }
  fs::rename(pendingPath(), path(1), ec);
  if (ec) return "cannot move " + pendingPath().string() + ": " + ec.message();
  syncFolder(folder_);
  return {};
}

std::optional<Autosaves::Newest> Autosaves::newest() const {
  // A pending file is only ever complete (it is written atomically) and newer than all
  // the others: it is there when a rotation was cut short.
  for (const fs::path& file : {pendingPath(), path(1), path(2), path(3)})
    if (const SlotSummary s = summarizeSavedGame(file); s.usable) return Newest{file, s};
  return std::nullopt;
}

}  // namespace kelvorn::storage
