// The WorkStack interpreter: step order, the pace of the step timer, what each step
// does to the game, the two-entry steps, and the flush into the death sequence.
#include <gtest/gtest.h>

#include <vector>

#include "rules/game.h"

namespace kelvorn {
namespace {

struct EffectHost : Host {
  std::vector<int> effects;
  void playEffect(int number) override { effects.push_back(number); }
};

// A fresh first game at High speed (150 ms per tick), prologue off, input unlocked.
class StackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionBytes o = builtInOptions();
    o[opt::Prologue] = 0;
    game.startUp(o);
  }
  void push(int op, int arg1 = 0, int arg2 = 0) {
    game.stack.push(static_cast<std::int16_t>(op), static_cast<std::int16_t>(arg1),
                    static_cast<std::int16_t>(arg2));
  }
  void pushPauses(int n) {
    for (int i = 0; i < n; ++i) push(wsPause);
  }
  // Pushes one step on top and runs it.
  void run(int op, int arg1 = 0, int arg2 = 0) {
    push(op, arg1, arg2);
    game.runStep();
  }
  bool stepping() const { return game.timers.enabled(TimerId::Steps); }
  bool inputLocked() const { return !game.controls.loadEnabled; }
  int cell(int c) const { return game.floors.cell(game.state[gs::Floor], c); }

  EffectHost host;
  Game game{content::builtIn(), &host};
};

TEST_F(StackTest, LastPushedRunsFirst) {
  for (int code : {2, 3, 4}) push(wsMessage, code);  // A, B, C
  std::vector<int> shown;
  while (game.stack.count() > 0) {
    game.runStep();
    shown.push_back(game.bar.code);
  }
  EXPECT_EQ(shown, (std::vector<int>{4, 3, 2}));
}

TEST_F(StackTest, TickRunsTwoStepsAndStopsOnlyWhenItFindsTheStackEmpty) {
  pushPauses(3);
  game.timer2on();
  EXPECT_TRUE(inputLocked());
  game.stepTick();
  EXPECT_EQ(game.stack.count(), 1);
  game.stepTick();  // the last step: the timer keeps running for one more tick
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_TRUE(stepping());
  EXPECT_TRUE(inputLocked());
  game.stepTick();
  EXPECT_FALSE(stepping());
  EXPECT_FALSE(inputLocked());

  game.timer2on();  // an empty tick while an open dialog holds the stack keeps input locked
  game.dialogs.dialogHold = true;
  game.controls.windowVisible = true;
  game.stepTick();
  EXPECT_FALSE(stepping());
  EXPECT_TRUE(inputLocked());
}

TEST_F(StackTest, AskHoldsTheStepsBelowUntilAnswered) {
  push(wsMessage, 7);
  push(wsMessage, 5);  // the tick's second step still runs behind the question
  push(wsAsk, 1);
  game.timer2on();
  game.advance(150);
  EXPECT_FALSE(stepping());
  EXPECT_TRUE(game.controls.windowVisible && game.controls.okVisible);
  EXPECT_EQ(game.bar.code, 5);
  game.advance(3000);
  EXPECT_EQ(game.stack.count(), 1);  // the rest waits for the answer
  EXPECT_EQ(game.bar.code, 5);
  game.pressOk();
  game.advance(150);
  EXPECT_EQ(game.bar.code, 7);
}

TEST_F(StackTest, SpeedChangeSetsThePaceFromTheNextTick) {
  pushPauses(10);
  game.timer2on();
  game.advance(150);
  EXPECT_EQ(game.stack.count(), 8);
  game.menuSpeed(Speed::Low);
  game.advance(349);
  EXPECT_EQ(game.stack.count(), 8);
  game.advance(1);
  EXPECT_EQ(game.stack.count(), 6);
}

TEST_F(StackTest, MonsterStrikeNeverRaisesLifeAndNeverKills) {
  const struct {
    int kind, levelBoost, defense, life, expected;
  } cases[] = {{0, 0, 100, 500, 500},    // offense 18 below defense: no change
               {3, 0, 20, 500, 482},     // Bat, offense 38
               {0, 43, 100, 1000, 308},  // 18 x 44 = 792 in a second game
               {26, 0, 10, 100, 0}};     // clamped at 0 without the death sequence
  for (const auto& c : cases) {
    game.scene.monsterKind = c.kind;
    game.state[gs::LevelBoost] = c.levelBoost;
    game.state[gs::Defense] = c.defense;
    game.state[gs::Life] = c.life;
    run(wsMonsterStrike, 50);
    EXPECT_EQ(game.state[gs::Life], c.expected) << "kind " << c.kind;
  }
  EXPECT_EQ(game.dialogs.dialogKind, 0);
}

TEST_F(StackTest, HeroStrikeDoublesOnlyForTheMatchingPassiveItem) {
  const struct {
    int kind;
    bool cross, slayer;
    int op, levelBoost, expected;
  } cases[] = {{kind::Zombie, false, false, wsHeroStrike, 0, 705},  // 300 - 5
               {kind::Zombie, true, false, wsHeroStrike, 0, 405},   // 600 - 5
               {kind::Zombie, true, false, wsHeroStrikeFlash, 0, 705},
               {kind::Zombie, false, true, wsHeroStrike, 0, 705},
               {kind::Zombie, true, false, wsHeroStrike, 43, 620},  // 600 - 5 x 44
               {kind::Vampire, true, false, wsHeroStrike, 0, 466},
               {kind::Dragon, false, true, wsHeroStrike, 0, 650},  // 600 - 250
               {kind::Dragon, true, false, wsHeroStrike, 0, 950},
               {kind::Dragon, false, true, wsHeroStrikeFlash, 0, 950},
               {0, true, true, wsHeroStrike, 0, 701},       // Green Slime: never doubled
               {32, false, false, wsHeroStrike, 0, 1000}};  // defense above offense: no heal
  for (const auto& c : cases) {
    game.state[gs::Offense] = 300;
    game.state[gs::LevelBoost] = c.levelBoost;
    game.state.itemSlot(3) = c.cross;
    game.state.itemSlot(10) = c.slayer;
    game.scene.monsterKind = c.kind;
    game.scene.monsterLife = 1000;
    if (c.op == wsHeroStrikeFlash) push(wsPause, 6, 215);  // its picture carrier
    run(c.op, 60, 216);
    EXPECT_EQ(game.scene.monsterLife, c.expected) << "kind " << c.kind << " op " << c.op;
    game.stack.clear();
  }
}

TEST_F(StackTest, GoldCellAndStateSteps) {
  run(wsAddGold, 30);
  EXPECT_EQ(game.state[gs::Gold], 30);
  game.state.itemSlot(14) = 1;  // the Lucky Gold doubles
  run(wsAddGold, 30);
  EXPECT_EQ(game.state[gs::Gold], 90);

  run(wsSetCell, 0, 0x163);  // only the low byte is a TileCode
  EXPECT_EQ(cell(0), 0x63);
  run(wsPutCell, 120, -1);
  EXPECT_EQ(cell(120), 255);
  ASSERT_EQ(cell(2), 61);
  run(wsMoveSprite, 2, 13);
  EXPECT_EQ(cell(13), 61);
  EXPECT_EQ(cell(2), tile::Floor);
  game.state[gs::Floor] = 5;  // cells are always those of the current floor
  run(wsPutCell, 60, 0x7f0a);
  EXPECT_EQ(game.floors.cell(5, 60), 10);

  run(wsSetState, 161, 77);
  EXPECT_EQ(game.state[161], 77);
}

TEST_F(StackTest, UnknownOpsAreConsumedWithoutEffect) {
  for (int op : {18, 23, 100, -5}) {
    const GameState state = game.state;
    const FloorStore floors = game.floors;
    run(op, 3, 200);
    EXPECT_EQ(game.stack.count(), 0) << "op " << op;
    EXPECT_TRUE(game.state == state && game.floors == floors) << "op " << op;
  }
}

TEST_F(StackTest, DoorFramesRunFastUntilFrameSixteen) {
  const std::pair<Speed, int> cases[] = {{Speed::High, 8}, {Speed::Middle, 10}, {Speed::Low, 12}};
  for (const auto& [speed, doorInterval] : cases) {
    game.menuSpeed(speed);
    push(wsPause, 0, 5);  // carrier: frame 5
    run(wsDoor, 40, 1);
    EXPECT_EQ(game.timers.interval(TimerId::Steps), doorInterval);
    EXPECT_EQ(cell(40), tile::Floor);                        // open from the first frame
    EXPECT_EQ(game.stack.top(), (WorkStep{wsPause, 0, 5}));  // the carrier stays
    push(wsPause, 0, 16);
    run(wsDoor, 40, 1);
    EXPECT_EQ(game.timers.interval(TimerId::Steps), speedInterval(speed));
    game.stack.clear();
  }
}

TEST_F(StackTest, RevealPairsStepsOfTheSameModeOnly) {
  for (int k = 10; k >= 3; --k) push(wsReveal, 1, k);
  game.timer2on();
  game.stepTick();
  EXPECT_EQ(game.stack.count(), 4);  // four cells in one tick
  game.stack.clear();
  for (int k = 5; k >= 2; --k) push(wsReveal, k % 2, k);
  game.stepTick();
  EXPECT_EQ(game.stack.count(), 2);  // alternating modes: one cell per step

  game.stack.clear();
  push(wsReveal, 0, 1);  // the first cover plays the door sound, also as the paired cell
  run(wsReveal, 0, 2);
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_EQ(host.effects, std::vector<int>{1});
  game.menuSound();  // effects off
  push(wsReveal, 0, 1);
  run(wsReveal, 0, 2);
  EXPECT_EQ(host.effects, std::vector<int>{1});

  game.timers.enable(TimerId::Animation, false);
  game.timers.setInterval(TimerId::Steps, 8);
  push(wsReveal, 1, 121);  // the last uncover restores the pace and the animation
  run(wsReveal, 1, 120);
  EXPECT_TRUE(game.timers.enabled(TimerId::Animation));
  EXPECT_EQ(game.timers.interval(TimerId::Steps), 150);
}

TEST_F(StackTest, DeathFlushesPendingStepsAndAsksToTryAgain) {
  game.state[gs::LevelBoost] = gs::kLevelBoostAfterWin;  // even from a second game
  push(wsSetState, gs::SoundOff, 1);                     // the bottom entry: stays and never runs
  push(wsSetState, gs::SoundOff, 1);                     // pending above it: dropped
  push(wsAddLife, -5000);
  game.timer2on();
  game.stepTick();
  EXPECT_EQ(game.state[gs::Life], 0);
  EXPECT_EQ(game.state[gs::BoardHold], 1);
  EXPECT_FALSE(game.question) << "the question comes after a few pauses";
  for (int tick = 0; tick < 20 && !game.question; ++tick) game.advance(150);
  ASSERT_TRUE(game.question);
  EXPECT_EQ(game.question->text, "You have no life point. Do you try again?");
  EXPECT_EQ(game.stack.at(1), (WorkStep{wsSetState, gs::SoundOff, 1}));

  game.answer(true);
  game.advance(150 * 20);
  EXPECT_EQ(game.state[gs::Life], 1000);
  EXPECT_EQ(game.state[gs::LevelBoost], 0);
  EXPECT_EQ(game.state[gs::SoundOff], 0);
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_FALSE(inputLocked());
}

// "No" keeps the ended game held for loading, and the bar tells the player so.
TEST_F(StackTest, AnsweringNoHoldsTheGameAndSaysHowToGoOn) {
  push(wsAddLife, -5000);
  game.timer2on();
  for (int tick = 0; tick < 20 && !game.question; ++tick) game.advance(150);
  ASSERT_TRUE(game.question);
  game.answer(false);
  game.advance(150 * 20);
  EXPECT_EQ(game.state[gs::Life], 0);
  EXPECT_TRUE(game.controls.loadEnabled);
  EXPECT_NE(game.messageBar().find("Load a saved game"), std::string::npos);
  EXPECT_NE(game.messageBar().find("F2"), std::string::npos);
}

TEST_F(StackTest, HalveLifeRoundsDownAndKillsAtOne) {
  game.state[gs::Life] = 3;
  run(wsHalveLife);
  EXPECT_EQ(game.state[gs::Life], 1);
  EXPECT_EQ(game.dialogs.dialogKind, 0);
  run(wsHalveLife);
  EXPECT_EQ(game.state[gs::Life], 0);
  EXPECT_EQ(game.dialogs.dialogKind, 9);
  EXPECT_GT(game.stack.count(), 1);  // the death script
}

TEST_F(StackTest, NewGameStepResetsThePlayThroughAndEmptiesTheStack) {
  game.state[gs::LevelBoost] = gs::kLevelBoostAfterWin;
  game.state[gs::CarryOver] = 1;
  game.state[gs::Life] = 5;
  pushPauses(3);
  run(wsNewGame);
  EXPECT_EQ(game.state[gs::LevelBoost], 0);
  EXPECT_EQ(game.state[gs::CarryOver], 0);
  EXPECT_EQ(game.state[gs::Life], 1000);
  EXPECT_EQ(game.stack.count(), 0);
}

}  // namespace
}  // namespace kelvorn
