#include "storage/save_holder.h"

#include "storage/files.h"
#include "storage/options_file.h"
#include "storage/ranking_file.h"
#include "storage/save_file.h"

namespace kelvorn::storage {

std::optional<OptionBytes> SaveHolder::readOptions() const {
  const auto bytes = readFile(folder_ / "option.dat");
  return bytes ? decodeOptions(*bytes) : std::nullopt;
}

RankingLookup SaveHolder::readRanking(int n, std::int32_t saveVersion) const {
  return decodeRanking(readFile(folder_ / ("option" + std::to_string(n) + ".dat")), n,
                       saveVersion);
}

std::string SaveHolder::writeHandOver(const SavedGame& game) const {
  std::string error;
  if (!writeFileAtomic(folder_ / "save0.dat", encodeSave(game), error)) return error;
  return {};
}

}  // namespace kelvorn::storage
