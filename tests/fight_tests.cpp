// What a fight costs on the board, against the battle itself and the orb's forecast, and
// long fights: a short stack whatever their length, and the same outcome when skipped.
#include <algorithm>
#include <string>

#include "tests/rules_fixture.h"

namespace kelvorn {
namespace {

using namespace fixture;  // NOLINT: the rules tests' shared fixture and keys

// The cost the board shows is what the battle then takes; the forecast says the same
// number unless the cross or the Dragon Slayer doubles the blow (then it says more).
TEST_F(RulesTest, BoardCostIsWhatTheBattleTakes) {
  struct Case {
    const char* what;
    int code, boost, life, offense, defense, cross, slayer;
    bool canHurt;
    std::int64_t damage;
    bool lost, forecastSame;
  };
  const Case cases[] = {
      {"worked example", 61, 0, 1000, 20, 10, 0, 0, true, 8, false, true},
      {"life equal to the damage", 61, 0, 8, 20, 10, 0, 0, true, 8, true, true},
      {"no harm", 61, 0, 5, 20, 18, 0, 0, true, 0, false, true},
      {"at the defence", 61, 0, 1000, 1, 10, 0, 0, false, 0, false, true},
      {"vampire, cross", 95, 0, 1000, 67, 100, 1, 0, true, 6 * 99, false, false},
      {"refusal ignores the cross", 95, 0, 1000, 60, 100, 1, 0, false, 0, false, true},
      {"dragon, slayer", 122, 0, 10000, 300, 590, 0, 1, true, 4 * 10, false, false},
      {"octopus body", 104, 0, 10000, 200, 100, 0, 0, true, 6 * 80, false, true},
      {"level factor 44", 61, 43, 100000, 800, 100, 0, 0, true, 2 * 692, false, true},
      {"level factor 44, lost", 61, 43, 1384, 800, 100, 0, 0, true, 1384, true, true},
      {"level factor 44, at the defence", 61, 43, 1000, 44, 100, 0, 0, false, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    restart();
    game.state[gs::LevelBoost] = c.boost;
    game.state.itemSlot(3) = c.cross;
    game.state.itemSlot(10) = c.slayer;
    hero(c.life, c.offense, c.defense);
    const int x = 5, y = c.code == 104 || c.code == 122 ? 4 : 5;
    put(x + (y == 5), y, c.code);
    const auto cost = game.bumpCost(cellIndex(x + (y == 5), y));
    ASSERT_TRUE(cost);
    EXPECT_EQ(cost->canHurt, c.canHurt);
    EXPECT_EQ(cost->damage, c.damage);
    EXPECT_EQ(cost->lost, c.lost);
    EXPECT_EQ(
        game.forecastText(monsterKindOf(static_cast<TileCode>(c.code))) == game.costText(*cost),
        c.forecastSame);
    game.keyDown(y == 5 ? kRight : kUp);
    finish();
    if (!c.canHurt)
      EXPECT_EQ(bar(), text(217));
    else if (c.lost)
      EXPECT_TRUE(game.question && game.state[gs::Life] == 0);
    else
      EXPECT_EQ(game.state[gs::Life], c.life - c.damage);
  }
}

// Only cells a step would fight carry a cost: a 3 x 3 body once, at its bottom middle
// cell; Zeno on floor 49, not elsewhere, and on floor 50 only in a later game, weakened.
TEST_F(RulesTest, CostsOnlyWhereAStepFights) {
  hero(1000, 20000, 20000);
  for (int i = 0; i < 9; ++i) put(i % 3, i / 3, 97 + i);
  put(7, 2, tile::Floor);
  put(8, 8, 91);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(game.bumpCost(cellIndex(i % 3, i / 3)).has_value(), i == 7) << "octopus " << i;
  EXPECT_FALSE(game.bumpCost(cellIndex(7, 2)));
  EXPECT_FALSE(game.bumpCost(cellIndex(8, 8))) << "Zeno off floor 49";
  onFloor(50, 5, 5);
  put(5, 4, 91);
  EXPECT_FALSE(game.bumpCost(cellIndex(5, 4))) << "the first game's ending";
  game.state[gs::LevelBoost] = 43;
  hero(100000, 5501, 27500);  // weakened: 44000 life, 27500 offense, 5500 defense
  const auto cost = game.bumpCost(cellIndex(5, 4));
  ASSERT_TRUE(cost);
  EXPECT_EQ(cost->strikes, 44000);
  EXPECT_EQ(cost->damage, 0);
}

// The longest fight the tables allow: Zeno (8000 life) in a later game, the hero one
// point over his defence, 352000 blows. The stack stays short while it plays, and
// skipped (here from its 50th round on) it ends as it would have: with the blows' sum.
TEST_F(RulesTest, LongestFightKeepsTheStackShortAndEndsTheSame) {
  for (const bool win : {true, false}) {
    SCOPED_TRACE(win ? "won" : "lost");
    restart();
    game.skipFightAnimations = false;
    onFloor(49, 5, 5);
    game.state[gs::LevelBoost] = 43;
    const std::int64_t strikes = 8000 * 44;
    // Each monster blow takes 1: the won fight leaves 1 life, the lost one none.
    hero(win ? strikes : strikes - 1, 1000 * 44 + 1, 5000 * 44 - 1);
    game.state[gs::Gold] = 0;
    put(6, 5, 91);
    game.keyDown(kRight);
    int most = game.stack.count();
    for (int i = 0; i < 50 * 12; ++i) {
      game.runStep();
      most = std::max(most, game.stack.count());
    }
    EXPECT_LT(most, 420) << "32 rounds of 12 steps and what follows the fight";
    game.skipFightAnimations = true;
    while (game.stack.count() > 0 && game.timers.enabled(TimerId::Steps)) {
      game.runStep();
      most = std::max(most, game.stack.count());
    }
    EXPECT_LT(most, 420);
    EXPECT_EQ(game.state[gs::Life], win ? 1 : 0);
    EXPECT_EQ(game.scene.monsterLife, win ? 0 : 1);
    EXPECT_EQ(at(6, 5), win ? tile::Floor : 91);
  }
}

// A fight skipped from the start shows its first and last rounds, whether skipped by the
// option or by fast play, and leaves everything as the fight played in full.
TEST_F(RulesTest, SkippedFightEndsAsThePlayedOne) {
  enum { kPlayed, kOption, kFast };
  struct Result {
    int life, gold, cell, strikes, monsterLife;
    bool operator==(const Result&) const = default;
  };
  struct Case {
    int code, life, offense, defense;
  };
  // A Green Slime beaten in 35 blows; a Vampire the cross's doubled blows do not beat.
  for (const Case& c : {Case{61, 1000, 2, 10}, Case{95, 500, 67, 100}}) {
    Result results[3];
    for (const int how : {kPlayed, kOption, kFast}) {
      restart();
      game.state.itemSlot(3) = 1;  // the cross doubles the Vampire's blows
      game.skipFightAnimations = how == kOption;
      game.setFastPlay(how == kFast);
      hero(c.life, c.offense, c.defense);
      put(6, 5, c.code);
      game.keyDown(kRight);
      int strikes = 0;
      while (game.stack.count() > 0 && game.timers.enabled(TimerId::Steps)) {
        strikes += game.stack.top().op == wsHeroStrike || game.stack.top().op == wsSkipRounds;
        game.runStep();
      }
      results[how] = {game.state[gs::Life], game.state[gs::Gold], at(6, 5), strikes,
                      game.scene.monsterLife};
    }
    EXPECT_EQ(results[kOption], results[kFast]);
    EXPECT_EQ(results[kOption].strikes, 4) << "two rounds, the skip and the last blow";
    results[kOption].strikes = results[kPlayed].strikes;
    EXPECT_EQ(results[kOption], results[kPlayed]) << "code " << c.code;
  }
}

// Fast play runs the steps far faster than the slowest pace, but still stops at a
// question: the pickup's and the fight's steps are gone within 100 ms.
TEST_F(RulesTest, FastPlayRunsStepsAtOnceButWaitsForAnswers) {
  game.menuSpeed(Speed::Low);
  game.setFastPlay(true);
  hero(1000, 20, 10);
  put(6, 5, 61);
  game.keyDown(kRight);
  game.advance(100);
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_TRUE(game.controls.optionsEnabled);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 25);
  game.timer2on();
  game.advance(1000);
  EXPECT_TRUE(game.controls.windowVisible);
  EXPECT_FALSE(game.controls.optionsEnabled) << "the question still holds the game";
  game.setFastPlay(false);
  EXPECT_EQ(game.timers.interval(TimerId::Steps), 350);
}

}  // namespace
}  // namespace kelvorn
