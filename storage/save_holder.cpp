#include "storage/save_holder.h"

#include <chrono>

#include "storage/files.h"
#include "storage/options_file.h"
#include "storage/ranking_file.h"
#include "storage/save_file.h"

namespace kelvorn::storage {

namespace {
std::string writeAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::string error;
  if (!writeFileAtomic(path, bytes, error)) return error;
  return {};
}

std::vector<std::uint8_t> encodeStamped(const SavedGame& game) {
  SavedGame stamped = game;
  stampChecksums(stamped.state);
  return encodeSave(stamped);
}
}  // namespace

std::string SaveHolder::write(const std::filesystem::path& file,
                              std::span<const std::uint8_t> bytes) const {
  // A holder that is gone (or that start-up could not make) is made now, so a failure
  // names its own cause rather than a missing folder.
  std::error_code ec;
  if (!std::filesystem::exists(folder_, ec)) {
    std::filesystem::create_directories(folder_, ec);
    if (ec) return "cannot make the save holder " + folder_.string() + ": " + ec.message();
  }
  return writeAtomic(file, bytes);
}

std::filesystem::path SaveHolder::slotPath(int n) const {
  return folder_ / ("save" + std::to_string(n) + ".dat");
}

bool SaveHolder::slotExists(int n) const {
  std::error_code ec;
  return std::filesystem::exists(slotPath(n), ec);
}

SlotSummary summarizeSavedGame(const std::filesystem::path& file) {
  SlotSummary s;
  std::error_code ec;
  s.present = std::filesystem::exists(file, ec);
  if (!s.present) return s;
  const SlotRead read = readSavedGame(file);
  s.usable = read.valid;
  if (read.valid) {
    s.floor = read.game->state[gs::Floor];
    s.life = read.game->state[gs::Life];
  }
  const auto time = std::filesystem::last_write_time(file, ec);
  if (!ec) s.written = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(time));
  return s;
}

SlotRead readSavedGame(const std::filesystem::path& file) {
  const auto bytes = readFile(file);
  const auto decoded = bytes ? decodeSave(*bytes) : std::nullopt;
  if (!decoded) return {};
  const SavedGame& g = decoded->game;
  const bool usable = decoded->valid && isPlayable(g.state) && arrivalCellsValid(g.floors);
  return {g, usable};
}

std::string writeSavedGame(const std::filesystem::path& file, const SavedGame& game) {
  return writeAtomic(file, encodeStamped(game));
}

SlotRead SaveHolder::readSlot(int n) const { return readSavedGame(slotPath(n)); }

SlotSummary SaveHolder::summary(int n) const { return summarizeSavedGame(slotPath(n)); }

std::string SaveHolder::writeSlot(int n, const SavedGame& game) const {
  return write(slotPath(n), encodeStamped(game));
}

std::string SaveHolder::writeHandOver(const SavedGame& game) const {
  return write(slotPath(0), encodeSave(game));
}

std::optional<SavedGame> SaveHolder::readHandOver() const {
  const auto bytes = readFile(slotPath(0));
  const auto decoded = bytes ? decodeSave(*bytes) : std::nullopt;
  if (!decoded || bytes->size() != kSaveFileSize) return std::nullopt;
  const SavedGame& g = decoded->game;
  if (g.state[gs::SaveVersion] != gs::kSaveVersion || !isPlayable(g.state) ||
      !arrivalCellsValid(g.floors))
    return std::nullopt;
  return g;
}

std::optional<OptionBytes> SaveHolder::readOptions() const {
  const auto bytes = readFile(folder_ / "option.dat");
  return bytes ? decodeOptions(*bytes) : std::nullopt;
}

std::string SaveHolder::writeOptions(const OptionBytes& block) const {
  return write(folder_ / "option.dat", block);
}

std::filesystem::path SaveHolder::rankingPath(int n) const {
  return folder_ / ("option" + std::to_string(n) + ".dat");
}

std::filesystem::path SaveHolder::namesPath(int n) const {
  return folder_ / ("option" + std::to_string(n) + "1.dat");
}

RankingLookup SaveHolder::readRanking(int n, std::int32_t saveVersion) const {
  const std::filesystem::path path = rankingPath(n);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return decodeRanking(std::nullopt, n, saveVersion);
  // A file that is there but cannot be read is as unusable as a short one.
  return decodeRanking(readFile(path).value_or(std::vector<std::uint8_t>{}), n, saveVersion);
}

std::string SaveHolder::writeRanking(int n, const RankingRows& rows,
                                     std::int32_t saveVersion) const {
  return write(rankingPath(n), encodeRanking(rows, n, saveVersion));
}

std::optional<RankingNames> SaveHolder::readNames(int n) const {
  const std::filesystem::path path = namesPath(n);
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && !ec) return RankingNames{};
  const auto text = readFirstLines(path, std::tuple_size_v<RankingNames>);
  if (!text) return std::nullopt;
  return parseNames(*text);
}

std::string SaveHolder::writeNames(int n, const RankingNames& names) const {
  const std::string text = formatNames(names);
  return write(namesPath(n),
               std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace kelvorn::storage
