#include "ui/recovery.h"

#include "storage/save_holder.h"
#include "ui/paths.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

fs::path recoveryFile() { return dataFolder() / "recovery.dat"; }

std::string keepForRecovery(const SavedGame& game, const fs::path& file) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) return ec.message();
  return storage::writeSavedGame(file, game);
}

Game::LoadResult loadRecovered(Game& game, const fs::path& file) {
  const SlotRead read = storage::readSavedGame(file);
  const Game::LoadResult result = game.loadGame(read.game, read.valid);
  std::error_code ec;
  if (result == Game::LoadResult::Loaded) fs::remove(file, ec);
  return result;
}

}  // namespace kelvorn::ui
