// Any bytes as the slot a player loads, into a running game that is then played for a
// while: a refused file leaves the game exactly as it was, and an accepted one (every
// tile code 0..255 on the floors) can be drawn, walked on and timed without fault.
// The first byte chooses whether the file's marker and checksums are made to pass, so
// the game's own range checks and the floors are reached as often as the sums.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/game.h"
#include "storage/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn;
  if (size == 0) return 0;
  static Game game;
  static const bool started = (game.startUp(std::nullopt), true);
  (void)started;
  const std::uint8_t mode = data[0];
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (mode & 1 && bytes.size() < storage::kSaveFileSize) bytes.resize(storage::kSaveFileSize);
  auto decoded = storage::decodeSave(bytes);
  if (decoded && (mode & 1)) {
    decoded->game.state[gs::SaveVersion] = gs::kSaveVersion;
    storage::stampChecksums(decoded->game.state);
    decoded->valid = true;
  }
  const GameState before = game.state;
  const FloorStore floorsBefore = game.floors;
  const auto result =
      game.loadGame(decoded ? std::optional(decoded->game) : std::nullopt, decoded && decoded->valid);
  if (result != Game::LoadResult::Loaded && (game.state != before || !(game.floors == floorsBefore)))
    __builtin_trap();
  game.dialogs.notice.reset();
  // Play a little: keys from the rest of the input, time in between.
  static const int kKeys[] = {37, 38, 39, 40, 13, 27};
  for (std::size_t i = 1; i < size && i < 24; ++i) {
    game.keyDown(kKeys[data[i] % 6]);
    game.advance(200);
    if (game.question) game.answer(data[i] & 0x80);
    game.dialogs.notice.reset();
    if (game.controls.windowVisible && game.controls.okVisible) game.pressOk();
  }
  if (mode & 2) game.gameOver();  // keep runs from drifting into one endless game
  return 0;
}
