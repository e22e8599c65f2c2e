#include "tools/stage/staging.h"

#include <climits>
#include <optional>
#include <vector>

#include "commands/program_options.h"

namespace kelvorn::staging {

namespace {
std::optional<std::vector<long long>> setNumbers(std::string_view word) {
  if (!word.starts_with("set:")) return std::nullopt;
  return commands::numbersIn(word.substr(4), "=", {{0, gs::kSize - 1}, {INT32_MIN, INT32_MAX}});
}
std::optional<std::vector<long long>> cellNumbers(std::string_view word) {
  if (!word.starts_with("cell:")) return std::nullopt;
  return commands::numbersIn(word.substr(5), ":=", {{0, 50}, {0, kCells - 1}, {0, 255}});
}
}  // namespace

bool isStagingWord(std::string_view word) { return setNumbers(word) || cellNumbers(word); }

bool stage(Game& game, std::string_view word) {
  if (const auto n = setNumbers(word)) {
    game.state[static_cast<int>((*n)[0])] = static_cast<std::int32_t>((*n)[1]);
    return true;
  }
  if (const auto n = cellNumbers(word)) {
    game.floors.setCell(static_cast<int>((*n)[0]), static_cast<int>((*n)[1]),
                        static_cast<TileCode>((*n)[2]));
    return true;
  }
  return false;
}

}  // namespace kelvorn::staging
