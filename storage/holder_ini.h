// KVN12.INI: three text lines naming the save holder, the program folder and a short
// reserved text. Kept in the user's config folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvorn::storage {

struct HolderIni {
  std::string holder;
  std::string programFolder;
  std::string reserved;  // at most 10 characters, carried over unchanged
};

// nullopt when the text lacks the first two lines or a line is absurdly long (a path
// over 4096 bytes), so a damaged file is recreated rather than trusted.
std::optional<HolderIni> parseHolderIni(std::string_view text);
std::string formatHolderIni(const HolderIni& ini);

}  // namespace kelvorn::storage
