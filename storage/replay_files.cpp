#include "storage/replay_files.h"

#include "storage/files.h"
#include "storage/save_holder.h"

namespace kelvorn::storage {

std::filesystem::path replayStartFile(const std::filesystem::path& script) {
  std::filesystem::path start = script;
  return start.replace_extension(".dat");
}

std::string writeReplay(const std::filesystem::path& script, const ReplayLog& log) {
  if (!log.start()) return "nothing is recorded yet: the game has not come to rest since it began";
  if (replayStartFile(script) == script) return "a replay's script cannot be named .dat";
  if (std::string error = writeSavedGame(replayStartFile(script), *log.start()); !error.empty())
    return error;
  std::string error;
  writeTextAtomic(script, log.script(), error);
  return error;
}

}  // namespace kelvorn::storage
