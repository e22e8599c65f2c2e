// A ranking's names file: ten lines of text, the names of places 1..10.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kelvorn::storage {

using RankingNames = std::array<std::string, 10>;
inline constexpr std::size_t kMaxNameBytes = 64;

// Reads whatever the file holds: missing lines are empty, longer lines are cut at a
// character boundary, and bytes that are not UTF-8 become '?'.
RankingNames parseNames(std::string_view text);
std::string formatNames(const RankingNames& names);

// The names Clear puts into ranking n (1..5).
RankingNames defaultNames(int n);

// A name as typed, made safe to keep: valid UTF-8, no line breaks, at most 64 bytes.
std::string cleanName(std::string_view name);

}  // namespace kelvorn::storage
