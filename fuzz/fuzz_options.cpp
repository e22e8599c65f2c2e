// Any bytes as option.dat: decoded, then applied by a starting game, so every byte value
// of every option (fonts, speed, control, music, size) is safe to start with.
#include <cstddef>
#include <cstdint>
#include <span>

#include "rules/game.h"
#include "storage/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn;
  const auto block = storage::decodeOptions(std::span(data, size));
  if (block.has_value() != (size >= opt::kSize)) __builtin_trap();
  static Game game;
  game.startUp(block);
  game.advance(500);
  game.menuOptionSave();
  game.answer(true);  // the default host refuses the write; the game must say so
  game.dialogs.notice.reset();
  return 0;
}
