#include "rules/ranking.h"

#include <algorithm>
#include <climits>

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

std::int32_t fairyScore(const GameState& s, int n) {
  const std::int64_t L = s[gs::Life], O = s[gs::Offense], D = s[gs::Defense];
  const std::int64_t keys = std::int64_t{s[gs::YellowKeys]} + 2 * std::int64_t{s[gs::BlueKeys]} +
                            3 * std::int64_t{s[gs::RedKeys]};
  const std::int64_t r = s.levelFactor();
  std::int64_t score = 0;
  switch (n) {
    case 1: score = (L - 400 * r) / 50 + 60 + 3 * (O - 29 * r) + 2 * (D - 35 * r); break;
    case 2: score = (L - 800 * r) / 100 + 60 + 2 * (O - 74 * r) + (D - 80 * r); break;
    case 4: score = (L - 1600 * r) / 200 + 60 + (O - 152 * r) + (D - 198 * r) / 2; break;
    default: score = (L - 3000 * r) / 400 + 60 + (O - 240 * r) / 2 + (D - 300 * r) / 3; break;
  }
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(score + keys, 0, INT32_MAX));
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
