// Any bytes as a save slot: decoding never reads outside the file, and a file that
// passes every check the game applies before loading it re-encodes to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "storage/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn;
  const auto decoded = storage::decodeSave(std::span(data, size));
  if (!decoded) {
    if (size >= storage::kSaveFileSize) __builtin_trap();  // a whole file must decode
    return 0;
  }
  // The checks a slot passes before it may be loaded.
  const bool usable = decoded->valid && isPlayable(decoded->game.state) &&
                      arrivalCellsValid(decoded->game.floors);
  (void)usable;
  const auto again = storage::encodeSave(decoded->game);
  if (again.size() != storage::kSaveFileSize ||
      std::memcmp(again.data(), data, storage::kSaveFileSize) != 0)
    __builtin_trap();
  return 0;
}
