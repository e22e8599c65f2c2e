#include "storage/ranking_file.h"

#include "storage/bytes.h"

namespace kelvorn::storage {

namespace {
using Matrix = std::array<std::array<std::uint32_t, 6>, 12>;  // wrapping arithmetic

// Fills the row checks and the two sum rows from the place values.
void computeChecks(Matrix& m) {
  for (int r = 0; r < 10; ++r) {
    m[r][4] = m[r][0] + m[r][1] + m[r][2] + m[r][3];
    m[r][5] = m[r][0] - m[r][1] + m[r][2] - m[r][3] + m[r][4];
  }
  for (int c = 0; c < 6; ++c) {
    std::uint32_t sum = 0, alternating = 0;
    for (int r = 0; r < 10; ++r) {
      sum += m[r][c];
      alternating = r % 2 == 0 ? alternating + m[r][c] : alternating - m[r][c];
    }
    m[10][c] = sum;
    m[11][c] = alternating + sum;
  }
}
}  // namespace

std::int32_t rankingVersion(int n, std::int32_t saveVersion) { return saveVersion * 100 - n; }

RankingLookup decodeRanking(const std::optional<std::vector<std::uint8_t>>& bytes, int n,
                            std::int32_t saveVersion) {
  RankingLookup temporary{temporaryRanking(n), {}};
  if (!bytes) return temporary;
  if (bytes->size() < kRankingFileSize) {
    temporary.problem = kRankingOld;
    return temporary;
  }
  Matrix stored{};
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 6; ++c)
      stored[r][c] = static_cast<std::uint32_t>(readI32(*bytes, 4 * (6 * r + c)));
  Matrix expected = stored;
  computeChecks(expected);
  for (int r = 0; r < 12; ++r)
    for (int c = 0; c < 6; ++c)
      if (!(r == 11 && c == 5) && expected[r][c] != stored[r][c]) {
        temporary.problem = kRankingAbnormal;
        return temporary;
      }
  const auto version = static_cast<std::int32_t>(stored[11][5]);
  if (version / 100 != saveVersion || version != rankingVersion(n, saveVersion)) {
    temporary.problem = kRankingVersionAbnormal;
    return temporary;
  }
  RankingLookup lookup;
  for (int r = 0; r < 10; ++r)
    lookup.rows[r] = {static_cast<std::int32_t>(stored[r][0]), static_cast<std::int32_t>(stored[r][1]),
                      static_cast<std::int32_t>(stored[r][2]), static_cast<std::int32_t>(stored[r][3])};
  return lookup;
}

std::vector<std::uint8_t> encodeRanking(const RankingRows& rows, int n, std::int32_t saveVersion) {
  Matrix m{};
  for (int r = 0; r < 10; ++r) {
    m[r][0] = static_cast<std::uint32_t>(rows[r].points);
    m[r][1] = static_cast<std::uint32_t>(rows[r].life);
    m[r][2] = static_cast<std::uint32_t>(rows[r].offense);
    m[r][3] = static_cast<std::uint32_t>(rows[r].defense);
  }
  computeChecks(m);
  m[11][5] = static_cast<std::uint32_t>(rankingVersion(n, saveVersion));
  std::vector<std::uint8_t> out;
  out.reserve(kRankingFileSize);
  for (const auto& row : m)
    for (const std::uint32_t v : row) appendI32(out, static_cast<std::int32_t>(v));
  return out;
}

}  // namespace kelvorn::storage
