// The five top-ten rankings of the checkpoints (10F, 20F, 25F, 40F, 49F): their rows,
// the temporary table used when a stored one cannot be trusted, and the rule by which a
// score takes a place.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/game_state.h"

namespace kelvorn {

struct RankingRow {
  std::int32_t points = 0, life = 0, offense = 0, defense = 0;
  bool operator==(const RankingRow&) const = default;
};
using RankingRows = std::array<RankingRow, 10>;

struct RankingLookup {
  RankingRows rows;
  std::string problem;  // why the temporary table stands in, or empty
};

// Points 100, 90, .., 10; life, offense and defense falling in nine equal steps from
// place 1 to place 10, per ranking 1..5.
RankingRows temporaryRanking(int n);

// The fairy's score at checkpoint `n` (1..5) for the hero of `s`: his life, offense and
// defense against that checkpoint's par (60 there), plus his keys (a blue counts two, a
// red three); never below 0.
std::int32_t fairyScore(const GameState& s, int n);

// The place (1..10) a result takes: the first row it beats by points, then by life,
// then by offense + defense; 0 when it beats none.
int rankingPlace(const RankingRows& rows, const RankingRow& result);

}  // namespace kelvorn
