// A ranking's names file: ten lines of text, the names of places 1..10. The lines are
// kept exactly as the file holds them, so registering a place never changes another
// player's name; only what the window shows is made safe.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kelvorn::storage {

using RankingNames = std::array<std::string, 10>;
inline constexpr std::size_t kMaxNameBytes = 64;

// The first ten lines of the text as they are, without their line feeds; missing lines
// are empty.
RankingNames parseNames(std::string_view text);
// Ten lines, each ended by a line feed.
std::string formatNames(const RankingNames& names);

// The names Clear puts into ranking n (1..5).
RankingNames defaultNames(int n);

// A name as typed, made safe to keep: valid UTF-8, no line breaks, at most 64 bytes.
std::string cleanName(std::string_view name);
// A stored line as the window shows it: the same rules, and without the carriage
// return of a line written on another system.
std::string displayName(std::string_view line);

}  // namespace kelvorn::storage
