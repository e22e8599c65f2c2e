#include "storage/start_save.h"

#include "storage/files.h"
#include "storage/save_file.h"

namespace kelvorn::storage {

std::optional<SavedGame> readStartSave(const std::filesystem::path& path, std::string& reason) {
  namespace fs = std::filesystem;
  const std::string name = path.string();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  const auto size = fs::is_regular_file(status) ? fs::file_size(path, ec) : 0;
  const auto bytes = fs::is_regular_file(status) && size == kSaveFileSize
                         ? readFile(path)
                         : std::nullopt;
  const auto decoded = bytes ? decodeSave(*bytes) : std::nullopt;
  if (ec)
    reason = "cannot read " + name + ": " + ec.message();
  else if (!fs::is_regular_file(status))
    reason = name + " is not a file";
  else if (size != kSaveFileSize)
    reason = name + " is not a save: " + std::to_string(size) + " bytes where a save has " +
             std::to_string(kSaveFileSize);
  else if (!decoded)
    reason = "cannot read " + name;
  else if (!decoded->valid)
    reason = name + " is damaged: its check words do not match its contents";
  else if (decoded->game.state[gs::SaveVersion] != gs::kSaveVersion ||
           !isPlayable(decoded->game.state) || !arrivalCellsValid(decoded->game.floors))
    reason = name + " holds a game that cannot be played (values out of range)";
  else
    return decoded->game;
  return std::nullopt;
}

}  // namespace kelvorn::storage
