// A replay on disk: the script the game recorded, and beside it the game the record
// began from in the slot format (the same name with .dat), so that
// `kelvorn-play --load NAME.dat --script NAME.txt` plays it again.
#pragma once

#include <filesystem>
#include <string>

#include "rules/replay_log.h"

namespace kelvorn::storage {

// The file of the starting game that goes with a script.
std::filesystem::path replayStartFile(const std::filesystem::path& script);

// Writes both files atomically. Returns an error text, or empty on success (a log that
// has not begun yet has nothing to write, and says so).
std::string writeReplay(const std::filesystem::path& script, const ReplayLog& log);

}  // namespace kelvorn::storage
