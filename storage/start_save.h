// The save file a run starts from (`--load FILE` of kelvorn-play and kelvorn-solve, the
// start of a replay in the window): read and checked as the Load command checks a slot,
// with the reason when it cannot be used.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "rules/game.h"

namespace kelvorn::storage {

// The game in `path`, or nullopt with a one-line `reason` naming the file: missing or
// unreadable, not the size of a save, damaged (its check words do not match), or
// holding values the game cannot play.
std::optional<SavedGame> readStartSave(const std::filesystem::path& path, std::string& reason);

}  // namespace kelvorn::storage
