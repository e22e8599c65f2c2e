#include "storage/autosaves.h"

namespace kelvorn::storage {

namespace fs = std::filesystem;

fs::path Autosaves::path(int n) const {
  return folder_ / ("autosave" + std::to_string(n) + ".dat");
}

std::string Autosaves::write(const SavedGame& game) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) return "cannot make " + folder_.string() + ": " + ec.message();
  if (std::string error = writeSavedGame(pendingPath(), game); !error.empty()) return error;
  for (int n = kCount - 1; n >= 1; --n) {
    if (!fs::exists(path(n), ec)) continue;
    fs::rename(path(n), path(n + 1), ec);
    if (ec) return "cannot move " + path(n).string() + ": " + ec.message();
  }
  fs::rename(pendingPath(), path(1), ec);
  if (ec) return "cannot move " + pendingPath().string() + ": " + ec.message();
  return {};
}

std::optional<Autosaves::Newest> Autosaves::newest() const {
  std::optional<Newest> best;
  auto consider = [&](const fs::path& file) {
    const SlotSummary s = summarizeSavedGame(file);
    if (s.usable && (!best || s.written.value_or(0) > best->summary.written.value_or(0)))
      best = Newest{file, s};
  };
  for (int n = 1; n <= kCount; ++n) consider(path(n));
  consider(pendingPath());
  return best;
}

}  // namespace kelvorn::storage
