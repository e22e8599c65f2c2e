// The staging words of the developers' tools: set:I=V puts V into GameState index I,
// cell:F:C=T puts TileCode T into cell C of floor F. kelvorn-stage writes a save of a
// game staged so; kelvorn-shot stages the window's game before it plays.
#pragma once

#include <string_view>

#include "rules/game.h"

namespace kelvorn::staging {

// Whether `word` is a staging word with every number in its range.
bool isStagingWord(std::string_view word);
// Applies a staging word to the game; false (and the game untouched) for any other word.
bool stage(Game& game, std::string_view word);

}  // namespace kelvorn::staging
