// GameState: the new-game values in the three kinds of game, the two save checksums
// and the range check a loaded state must pass.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "rules/game_state.h"

namespace kelvorn {
namespace {

struct Span {
  int from, to;
  std::int32_t value;
};

// Starts from a block in which every field holds a value no new game writes, applies
// the new-game values, and checks the listed spans; every other index (SoundOff,
// SaveVersion, LevelBoost, CarryOver and whatever a kind of game keeps) must be as it was.
void expectNewGame(std::int32_t levelBoost, std::int32_t carryOver,
                   std::initializer_list<Span> written) {
  GameState s;
  for (int i = 0; i < gs::kSize; ++i) s[i] = 7000 + i;
  s[gs::LevelBoost] = levelBoost;
  s[gs::CarryOver] = carryOver;
  applyNewGameValues(s);
  for (int i = 0; i < gs::kSize; ++i) {
    std::int32_t expected = i == gs::LevelBoost ? levelBoost
                            : i == gs::CarryOver ? carryOver
                                                 : 7000 + i;
    for (const Span& w : written)
      if (i >= w.from && i <= w.to) expected = w.value;
    EXPECT_EQ(s[i], expected) << "index " << i;
  }
}

TEST(NewGameValues, FirstGame) {
  expectNewGame(0, 0, {{0, 0, 1000}, {1, 2, 100}, {3, 3, 0},    {4, 5, 1},     {6, 6, 5},
                       {7, 7, 10},   {8, 14, 0},  {15, 16, 5},  {17, 35, 0},   {36, 36, 1},
                       {37, 40, 0},  {41, 41, 1}, {42, 87, 0},  {88, 88, 4},   {90, 90, 0},
                       {91, 156, 0}, {158, 158, 0}, {161, 163, 0}});
}

TEST(NewGameValues, AfterAWonFirstGameLifeOffenseDefenseStay) {
  expectNewGame(43, 0, {{3, 3, 0},    {4, 5, 1},    {6, 6, 5},    {7, 7, 10},   {8, 14, 0},
                        {15, 16, 5},  {17, 35, 0},  {36, 36, 1},  {37, 40, 0},  {41, 41, 1},
                        {42, 87, 0},  {88, 88, 4},  {90, 90, 0},  {91, 156, 0}, {158, 158, 0},
                        {161, 163, 0}});
}

TEST(NewGameValues, AfterAWonSecondGameGoldHighestFloorItemsAndWeaponFlagsStay) {
  expectNewGame(43, 1, {{4, 4, 1},    {6, 6, 5},    {7, 7, 10},   {8, 14, 0},   {15, 16, 5},
                        {42, 87, 0},  {88, 88, 4},  {90, 90, 0},  {91, 156, 0}, {158, 158, 0},
                        {161, 163, 0}});
}

TEST(Checksums, PlainAndAlternatingSumsWrap) {
  GameState s;
  EXPECT_EQ(plainSum(s), 0);
  EXPECT_EQ(alternatingSum(s), 0);
  for (int i = 0; i < gs::kSize; ++i) s[i] = i + 1;
  EXPECT_EQ(plainSum(s), 164 * 165 / 2);
  EXPECT_EQ(alternatingSum(s), -82);  // (1 - 2) + (3 - 4) + ... over 82 pairs
  s.extra.fill(123);                  // the words after GameState are not covered
  EXPECT_EQ(plainSum(s), 164 * 165 / 2);

  GameState w;
  w[0] = INT32_MAX;
  w[2] = 1;
  EXPECT_EQ(plainSum(w), INT32_MIN);
  EXPECT_EQ(alternatingSum(w), INT32_MIN);
  w = GameState{};
  w[1] = INT32_MIN;  // subtracting the most negative value wraps to itself
  EXPECT_EQ(alternatingSum(w), INT32_MIN);
}

TEST(Checksums, OnlyTheAlternatingSumSeesASwapAcrossParity) {
  GameState s;
  for (int i = 0; i < gs::kSize; ++i) s[i] = i + 1;
  GameState across = s, same = s, bumped = s;
  std::swap(across[4], across[7]);
  EXPECT_EQ(plainSum(across), plainSum(s));
  EXPECT_EQ(alternatingSum(across), alternatingSum(s) + 2 * (8 - 5));
  std::swap(same[4], same[160]);
  std::swap(same[1], same[163]);
  EXPECT_EQ(plainSum(same), plainSum(s));
  EXPECT_EQ(alternatingSum(same), alternatingSum(s));
  ++bumped[100];
  EXPECT_EQ(plainSum(bumped), plainSum(s) + 1);
}

TEST(IsPlayable, AcceptsRangeEndsAndRefusesOneBeyond) {
  GameState base;
  applyNewGameValues(base);
  ASSERT_TRUE(isPlayable(base));
  const struct {
    int index;
    std::int32_t value;
    bool playable;
  } cases[] = {{gs::Floor, 0, true},       {gs::Floor, 50, true},       {gs::Floor, 51, false},
               {gs::Floor, -1, false},     {gs::HighestFloor, 51, false}, {gs::HeroX, 10, true},
               {gs::HeroX, 11, false},     {gs::HeroX, -1, false},      {gs::HeroY, 11, false},
               {gs::HeroY, -1, false},     {gs::Facing, 0, false},      {gs::Facing, 5, false},
               {gs::Life, 0, true},        {gs::Life, -1, false},       {gs::Gold, -1, false},
               {gs::RedKeys, -1, false},   {gs::SwordLevel, 6, false},  {gs::ShieldLevel, -1, false},
               {gs::LevelBoost, 43, true}, {gs::LevelBoost, 1, false},  {gs::CarryOver, 2, false}};
  for (const auto& c : cases) {
    GameState s = base;
    s[c.index] = c.value;
    EXPECT_EQ(isPlayable(s), c.playable) << "index " << c.index << " = " << c.value;
  }
}

}  // namespace
}  // namespace kelvorn
