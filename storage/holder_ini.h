// KVN12.INI: three text lines naming the save holder, the program folder and a short
// reserved text. Kept in the user's config folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvorn::storage {

struct HolderIni {
  std::string holder;
  std::string programFolder;
  std::string reserved;  // carried over unchanged
};

// What a KVN12.INI text gives: each of its three lines that can be used (one that is
// empty, over 4096 bytes long or holds a NUL byte leaves its field empty), and what was
// not taken, for the player (empty when the text was understood whole). `whole` is false
// when the text is only the start of the file.
struct HolderIniText {
  HolderIni ini;
  std::string skipped;
};
HolderIniText parseHolderIni(std::string_view text, bool whole = true);
std::string formatHolderIni(const HolderIni& ini);

// KVN12.INI at start-up: the file's lines, with `fallback`'s for a line that is missing
// or cannot be used, and `fallback`'s program folder also when the file's no longer holds
// the game's pictures (`programFolderValid` false). The file is created when missing and
// completed when a line was missing, but never rewritten when that would lose anything
// it holds: a player's holder is not forgotten for a damaged line. `note` tells what was
// skipped or could not be written, empty when all went well.
HolderIni openHolderIni(const std::filesystem::path& path, const HolderIni& fallback,
                        bool programFolderValid, std::string& note);

}  // namespace kelvorn::storage
