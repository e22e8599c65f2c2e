// When something inside the game fails unexpectedly, the window keeps the game as it
// stood in a recovery file of its own in the user's data folder (never over a save
// slot), and the Load menu offers it until it has been loaded.
#pragma once

#include <filesystem>
#include <string>

#include "rules/game.h"

namespace kelvorn::ui {

// $XDG_DATA_HOME/kelvorn/recovery.dat (or ~/.local/share/kelvorn/recovery.dat).
std::filesystem::path recoveryFile();

// Writes the game with fresh checksums, so it loads like a slot. Returns an error text,
// or empty when the game was kept.
std::string keepForRecovery(const SavedGame& game,
                            const std::filesystem::path& file = recoveryFile());

// Loads the kept game as the Load menu loads a slot, and removes the file once the game
// has been taken from it (a file that cannot be used is left for the player to see).
Game::LoadResult loadRecovered(Game& game, const std::filesystem::path& file = recoveryFile());

}  // namespace kelvorn::ui
