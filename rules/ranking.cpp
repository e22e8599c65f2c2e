#include "rules/ranking.h"

#include <algorithm>

namespace kelvorn {

RankingRows temporaryRanking(int n) {
  struct Span {
    std::int32_t life1, stat1, life10, stat10;
  };
  static constexpr Span kSpans[] = {{500, 25, 50, 16},        {1000, 50, 100, 5},
                                    {10000, 500, 1000, 50},   {5000, 200, 500, 110},
                                    {10000, 500, 1000, 50}};
  const Span& s = kSpans[std::clamp(n, 1, 5) - 1];
  RankingRows rows;
  for (int i = 0; i < 10; ++i) {
    const std::int32_t stat = s.stat1 - (s.stat1 - s.stat10) * i / 9;
    rows[i] = {100 - 10 * i, s.life1 - (s.life1 - s.life10) * i / 9, stat, stat};
  }
  return rows;
}

int rankingPlace(const RankingRows& rows, const RankingRow& r) {
  for (int i = 0; i < 10; ++i) {
    const RankingRow& row = rows[i];
    const std::int64_t mine = std::int64_t{r.offense} + r.defense;
    const std::int64_t theirs = std::int64_t{row.offense} + row.defense;
    if (r.points > row.points || (r.points == row.points && r.life > row.life) ||
        (r.points == row.points && r.life == row.life && mine > theirs))
      return i + 1;
  }
  return 0;
}

}  // namespace kelvorn
