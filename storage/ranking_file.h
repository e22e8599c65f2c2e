// A checkpoint's top-ten table: 288 bytes, 12 rows of 6 little-endian integers. Rows
// 0..9 are places 1..10 (points, life, offense, defense and two row checks), row 10
// the column sums, row 11 the alternating column sums and the version word.
#pragma once

#include <array>
#include <optional>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "rules/ranking.h"

namespace kelvorn::storage {

inline constexpr std::size_t kRankingFileSize = 288;

inline constexpr const char* kRankingAbnormal = "Ranking data is abnormal. Use a temporary Ranking.";
inline constexpr const char* kRankingVersionAbnormal =
    "Version of Ranking data is abnormal. Use a temporary Ranking.";
inline constexpr const char* kRankingOld = "Version of Ranking data is old. Use a temporary Ranking.";

// The version word of ranking n for a save-format marker: marker x 100 - n.
std::int32_t rankingVersion(int n, std::int32_t saveVersion);

// Reads ranking n from the file's bytes. A file that does not exist yet (nullopt) gives
// the temporary table quietly: nothing is damaged. One that is short, fails its checks
// or carries another version gives the temporary table and the message that says why.
RankingLookup decodeRanking(const std::optional<std::vector<std::uint8_t>>& bytes, int n,
                            std::int32_t saveVersion);

// The 288 bytes of a table with fresh checks and the version word.
std::vector<std::uint8_t> encodeRanking(const RankingRows& rows, int n, std::int32_t saveVersion);

}  // namespace kelvorn::storage
