// Where the game's files live on this desktop: the user's config folder (KVN12.INI),
// the default save holder in the user's data folder, and the program folder that holds
// the picture and sound folders.
#pragma once

#include <filesystem>

namespace kelvorn::ui {

std::filesystem::path configFolder();         // $XDG_CONFIG_HOME/kelvorn or ~/.config/kelvorn
std::filesystem::path dataFolder();           // $XDG_DATA_HOME/kelvorn or ~/.local/share/kelvorn
std::filesystem::path defaultSaveHolder();    // dataFolder()/savedat
std::filesystem::path runtimeFolder();        // $XDG_RUNTIME_DIR, else the temp folder
// The folder holding data/, data3/, data2/, wav/ and midi/: beside the executable in a
// build tree, or share/kelvorn below the install prefix.
std::filesystem::path programFolder();

}  // namespace kelvorn::ui
