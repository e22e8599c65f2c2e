// The building's people, met the way the player meets them: the hero walks up into a
// character's cell on an otherwise plain floor. Altars, merchants, old men, the thief
// and the fairy's judgement, with the places of the ranking it consults.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/game.h"

namespace kelvorn {
namespace {

// Gives the fairy the temporary ranking (with a problem text when set) and records the
// games handed over and the ranking windows opened.
struct JudgeHost : Host {
  std::string problem, writeError;
  std::vector<SavedGame> handed;
  int rankingWindows = 0;
  RankingLookup judgementRanking(int n, int) override { return {temporaryRanking(n), problem}; }
  std::string handOver(const SavedGame& game) override {
    handed.push_back(game);
    return writeError;
  }
  void openRanking() override { ++rankingWindows; }
};

class CharacterTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh(); }
  void fresh() {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
  }
  // `floor` all plain floor, `code` at (x, y), the hero below it facing up.
  void place(int floor, int x, int y, int code) {
    game.state[gs::Floor] = floor;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.floors.setCell(floor, cellIndex(x, y), static_cast<TileCode>(code));
    game.state[gs::HeroX] = x;
    game.state[gs::HeroY] = y + 1;
    game.state[gs::Facing] = kFaceUp;
  }
  void talk() { game.keyDown(38); }
  void finish() {
    for (int guard = 0; guard < 100000 && game.timers.enabled(TimerId::Steps); ++guard)
      game.advance(game.timers.interval(TimerId::Steps));
  }
  // OK on the open window (and closing the ranking window it may open), then the rest.
  void ok() {
    finish();
    ASSERT_TRUE(game.controls.windowVisible && game.controls.okVisible);
    const int windows = host.rankingWindows;
    game.pressOk();
    if (host.rankingWindows != windows) game.rankingClosed();
    finish();
  }
  bool unlocked() const { return game.controls.optionsEnabled && game.controls.loadEnabled; }
  const std::string& text(int entry) const { return game.messages.entry(entry); }
  std::int32_t& s(int index) { return game.state[index]; }

  JudgeHost host;
  Game game{content::builtIn(), &host};
};

// ---- Altars ------------------------------------------------------------------------

// Price 10·(c·c + c + 2) after c purchases, whatever the floor or game; life
// (c + 1)·100·r, offense 2·r and defense 4·r per band of ten floors (r = 44 in the
// second game).
TEST_F(CharacterTest, AltarPricesAndRaises) {
  struct Case {
    int floor, boost, count, choice, price, amount;
  };
  const Case cases[] = {{32, 0, 3, 2, 140, 8},   {32, 43, 3, 2, 140, 352}, {4, 0, 0, 1, 20, 100},
                        {4, 0, 2, 1, 80, 300},   {12, 0, 0, 3, 20, 8},     {46, 0, 4, 3, 220, 20},
                        {4, 43, 0, 1, 20, 4400}, {9, 0, 1, 2, 40, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE("floor " + std::to_string(c.floor) + " count " + std::to_string(c.count));
    place(c.floor, 5, 4, tile::AltarCentre);
    s(gs::LevelBoost) = c.boost;
    s(gs::AltarCount) = c.count;
    s(gs::Gold) = c.price + 7;
    const GameState before = game.state;
    talk();
    EXPECT_EQ(game.controls.windowText,
              text(202) + " " + std::to_string(c.price) + " " + text(203));
    game.pressYes();
    ASSERT_TRUE(game.controls.altarChoicesVisible);
    EXPECT_NE(game.controls.altarChoices[c.choice - 1].find(" " + std::to_string(c.amount) + " "),
              std::string::npos);
    game.pressAltarChoice(c.choice);
    const int stat = c.choice == 1 ? gs::Life : c.choice == 2 ? gs::Offense : gs::Defense;
    EXPECT_EQ(s(stat), before[stat] + c.amount);
    EXPECT_EQ(s(gs::Gold), 7);
    EXPECT_EQ(s(gs::AltarCount), c.count + 1);
    finish();
    EXPECT_EQ(game.messageBar(), text(180 + c.choice) + " " + std::to_string(c.amount) + text(166));
    EXPECT_TRUE(unlocked());
  }
}

// One gold short (choices 1..3), choice 4 and No (0) leave the game as it was.
TEST_F(CharacterTest, AltarRefusalsChangeNothing) {
  for (const int choice : {1, 2, 3, 4, 0}) {
    SCOPED_TRACE(choice);
    place(32, 5, 4, tile::AltarCentre);
    s(gs::AltarCount) = 3;
    s(gs::Gold) = choice == 4 || choice == 0 ? 1000 : 139;
    const GameState before = game.state;
    talk();
    if (choice == 0)
      game.pressNo();
    else
      game.pressYes(), game.pressAltarChoice(choice);
    EXPECT_EQ(game.state.v, before.v);
    if (choice >= 1 && choice <= 3) {
      EXPECT_EQ(game.controls.windowText, "You don't have enough money!");
      ok();
    }
    EXPECT_FALSE(game.controls.windowVisible || game.controls.altarChoicesVisible);
    EXPECT_TRUE(unlocked());
  }
}

// ---- Merchants ---------------------------------------------------------------------

// Too little gold changes nothing; the sale sets the deal flag; the next visit gives the
// hint (flag 1 without the orb of wisdom), then only closing words. Prices stay the same
// in the second game.
TEST_F(CharacterTest, MerchantsSellOnceThenHint) {
  struct Case {
    int floor, price, deal, hintFlag, hintNumber;
    std::vector<std::pair<int, int>> gains;  // index, amount
  };
  const Case cases[] = {{6, 50, 43, 55, 2, {{gs::BlueKeys, 1}}},
                        {7, 50, 44, 56, 3, {{gs::YellowKeys, 5}}},
                        {15, 200, 47, 59, 5, {{gs::BlueKeys, 1}}},
                        {31, 1000, 49, 61, 11, {{gs::YellowKeys, 4}, {gs::BlueKeys, 1}}},
                        {38, 200, 50, 62, 15, {{gs::YellowKeys, 3}}},
                        {39, 2000, 51, 63, 17, {{gs::BlueKeys, 3}}},
                        {45, 1000, 52, 64, 20, {{gs::Life, 2000}}},
                        {47, 4000, 53, 65, 22, {{gs::ItemSlot0 + 13, 1}}}};
  for (const int boost : {0, 43}) {
    for (const Case& c : cases) {
      SCOPED_TRACE("floor " + std::to_string(c.floor) + " boost " + std::to_string(boost));
      place(c.floor, 5, 4, tile::Merchant);
      s(gs::LevelBoost) = boost;
      s(c.deal) = s(c.hintFlag) = game.state.itemSlot(13) = 0;
      s(gs::Gold) = c.price - 1;
      GameState expected = game.state;
      talk();
      ASSERT_TRUE(game.controls.yesNoVisible && game.controls.noEnabled);
      game.pressYes();
      EXPECT_EQ(game.controls.windowText, "You don't have enough money.");
      EXPECT_EQ(game.state.v, expected.v);
      ok();

      s(gs::Gold) = c.price;
      expected = game.state;
      talk();
      game.pressYes();
      expected[gs::Gold] = 0;
      expected[c.deal] = 1;
      for (const auto& [index, amount] : c.gains) expected[index] += amount;
      EXPECT_EQ(game.state.v, expected.v);
      EXPECT_EQ(game.controls.windowText, "Thank you very much.");
      ok();

      talk();
      EXPECT_FALSE(game.controls.yesNoVisible);
      EXPECT_EQ(game.dialogs.hintNumber, c.hintNumber);
      EXPECT_EQ(s(c.hintFlag), 1);
      ok();
      talk();
      EXPECT_EQ(game.dialogs.hintNumber, 28);
      ok();
    }
  }
}

// Floor 2's gift cannot be refused; after it he speaks message 91.
TEST_F(CharacterTest, FloorTwoGiftWithNoDisabled) {
  place(2, 9, 3, tile::Merchant);
  talk();
  EXPECT_EQ(game.controls.windowText, text(246));
  EXPECT_FALSE(game.controls.noEnabled);
  game.pressNo();
  EXPECT_TRUE(game.controls.yesNoVisible) << "No does nothing";
  game.pressYes();
  EXPECT_EQ(s(gs::Gold), 1000);
  EXPECT_EQ(s(42), 1);
  ok();
  talk();
  EXPECT_EQ(game.dialogs.hintNumber, 29);
}

// Floor 12: column 9 sells a key at every visit and never hints; column 1 sells the red
// key once. Floor 28 buys keys at every visit and refuses a hero without one.
TEST_F(CharacterTest, SellersByColumnAndTheKeyBuyer) {
  place(12, 9, 4, tile::Merchant);
  s(gs::Gold) = 2500;
  for (int visit = 0; visit < 3; ++visit) {
    talk();
    EXPECT_EQ(game.controls.windowText, text(250)) << visit;
    if (visit == 2) break;
    game.pressYes();
    ok();
  }
  game.pressNo();
  EXPECT_EQ(s(gs::Gold), 500);
  EXPECT_EQ(s(gs::YellowKeys), 2);
  for (int i = gs::MerchantDeal0; i < gs::OldManTalk0; ++i) EXPECT_EQ(s(i), 0) << i;

  place(12, 1, 4, tile::Merchant);
  s(gs::Gold) = 800;
  talk();
  EXPECT_EQ(game.controls.windowText, text(249));
  game.pressYes();
  EXPECT_EQ(s(gs::RedKeys), 1);
  EXPECT_EQ(s(gs::Gold), 0);
  EXPECT_EQ(s(45), 1);
  ok();

  place(28, 5, 4, tile::Merchant);
  s(gs::YellowKeys) = 0;
  talk();
  game.pressYes();
  EXPECT_EQ(game.controls.windowText, "You don't have a key!");
  ok();
  s(gs::YellowKeys) = 2;
  for (int visit = 0; visit < 2; ++visit) talk(), game.pressYes(), ok();
  EXPECT_EQ(s(gs::YellowKeys), 0);
  EXPECT_EQ(s(gs::Gold), 200);
  EXPECT_EQ(s(48), 0);
}

// ---- Old men -----------------------------------------------------------------------

// Heard before the orb of wisdom: flag 1, and it stays 1 once the orb is found, so the
// orb's button for him stays disabled. Heard with the orb: flag 2, button enabled.
TEST_F(CharacterTest, OldManHintFlagFollowsTheOrbAtTheTime) {
  place(4, 5, 4, tile::OldMan);
  talk();
  EXPECT_EQ(game.dialogs.hintNumber, 0);
  EXPECT_EQ(s(68), 1);
  ok();
  game.state.itemSlot(1) = 1;
  talk();
  EXPECT_EQ(game.dialogs.hintNumber, 24);
  EXPECT_EQ(s(68), 1);
  ok();
  game.clickItem(1);
  ASSERT_TRUE(game.controls.hintGridVisible);
  EXPECT_FALSE(game.controls.hintEnabled[0]);
  game.pressHintOk();

  s(68) = 0;
  talk();
  EXPECT_EQ(s(68), 2);
  ok();
  game.clickItem(1);
  EXPECT_TRUE(game.controls.hintEnabled[0]);
}

// Floor 2's 3 % raise truncates and is given once.
TEST_F(CharacterTest, FloorTwoRaiseTruncates) {
  for (const auto& [before, after] : {std::pair{10, 10}, {33, 33}, {34, 35}, {100, 103}}) {
    place(2, 10, 5, tile::OldMan);
    s(gs::OldManGiftGiven) = s(66) = 0;
    s(gs::Offense) = s(gs::Defense) = before;
    talk();
    EXPECT_EQ(s(gs::Offense), after) << before;
    EXPECT_EQ(s(gs::Defense), after) << before;
    ok();
    talk();
    EXPECT_EQ(s(gs::Offense), after) << "no second raise";
    ok();
  }
}

// Floor 3 grants the orb of the hero: 2, unusable and input held, until OK makes it 1.
TEST_F(CharacterTest, FloorThreeGrantsTheOrbOnOk) {
  place(3, 5, 4, tile::OldMan);
  talk();
  finish();
  EXPECT_EQ(game.messageBar(), "You've found the orb of the hero.");
  EXPECT_EQ(game.state.itemSlot(0), 2);
  EXPECT_FALSE(unlocked());
  game.clickItem(0);
  EXPECT_FALSE(game.controls.forecastVisible);
  game.pressOk();
  EXPECT_EQ(game.state.itemSlot(0), 1);
  EXPECT_TRUE(unlocked());
  talk();
  EXPECT_EQ(game.dialogs.hintNumber, 24);
  EXPECT_EQ(game.state.itemSlot(0), 1) << "granted once";
}

// Floor 16's old man in column 9 gives the elixir; the other one a hint.
TEST_F(CharacterTest, FloorSixteenElixirByColumn) {
  place(16, 9, 4, tile::OldMan);
  talk();
  EXPECT_EQ(game.state.itemSlot(4), 1);
  EXPECT_EQ(s(gs::ElixirGiftGiven), 1);
  ok();
  game.state.itemSlot(4) = 0;
  place(16, 3, 4, tile::OldMan);
  talk();
  EXPECT_EQ(game.dialogs.hintNumber, 6);
  EXPECT_EQ(s(70), 1);
  EXPECT_EQ(game.state.itemSlot(4), 0);
}

// ---- The thief ---------------------------------------------------------------------

TEST_F(CharacterTest, ThiefDialoguesByPlace) {
  struct Case {
    int floor, x, y, flag, dialogKind;  // flag: EventFlags index set to 1 first, or 0
  };
  const Case cases[] = {{2, 0, 2, 0, 15},  {2, 9, 4, 0, 16},    {2, 10, 4, 96, 17},
                        {29, 5, 1, 0, 37}, {29, 3, 4, 0, 38},   {29, 3, 4, 118, 39},
                        {35, 5, 5, 0, 42}, {35, 5, 5, 122, 43}, {50, 5, 5, 0, 274}};
  for (const Case& c : cases) {
    SCOPED_TRACE("floor " + std::to_string(c.floor) + " x " + std::to_string(c.x));
    fresh();
    place(c.floor, c.x, c.y, tile::Thief);
    if (c.flag) s(c.flag) = 1;
    if (c.x == 0) {  // column 0: the thief stands to his right
      game.floors.setCell(2, cellIndex(0, 2), tile::Floor);
      game.floors.setCell(2, cellIndex(1, 2), tile::Thief);
      s(gs::HeroY) = 2;
      game.keyDown(39);
    } else {
      talk();
    }
    finish();
    EXPECT_EQ(game.dialogs.dialogKind, c.dialogKind);
    EXPECT_TRUE(game.controls.windowVisible);
  }
}

// Dialogue 6's OK puts the thief on floor 35 cell 103 and clears cell 91; the next talk
// gives dialogue 7. On floor 35, floor 2's cell 120 is cleared at once.
TEST_F(CharacterTest, DialogueSixSendsTheThiefToThirtyFive) {
  game.floors.setCell(35, 91, tile::Thief);
  place(2, 9, 4, tile::Thief);
  talk();
  finish();
  EXPECT_EQ(game.controls.windowText, text(5));
  ok();
  EXPECT_EQ(s(96), 1);
  EXPECT_EQ(game.floors.cell(35, 103), tile::Thief);
  EXPECT_EQ(game.floors.cell(35, 91), tile::Floor);
  EXPECT_TRUE(unlocked());
  talk();
  finish();
  EXPECT_EQ(game.dialogs.dialogKind, 17);
  ok();

  game.floors.setCell(2, 120, tile::Thief);
  place(35, 5, 5, tile::Thief);
  talk();
  EXPECT_EQ(game.floors.cell(2, 120), tile::Floor);
}

// ---- The fairy ---------------------------------------------------------------------

class FairyTest : public CharacterTest {
 protected:
  // Judged at checkpoint n (1..5) with these stats and keys.
  void judge(int n, int life, int offense, int defense, int keys = 0, int blue = 0, int red = 0) {
    static constexpr int kFloor[] = {10, 20, 25, 40, 49}, kCell[] = {27, 49, 71, 60, 16};
    if (game.controls.windowVisible && game.controls.okVisible) ok();
    place(kFloor[n - 1], cellColumn(kCell[n - 1]), cellRow(kCell[n - 1]), tile::Fairy);
    s(gs::Life) = life, s(gs::Offense) = offense, s(gs::Defense) = defense;
    s(gs::YellowKeys) = keys, s(gs::BlueKeys) = blue, s(gs::RedKeys) = red;
    talk();
    finish();
  }
  const std::string& shown() const { return game.controls.windowText; }
};

// Each formula is 60 at its zero point and weighs its parts as it says; keys count 1,
// blue 2, red 3; division truncates toward zero; a negative score is 0.
TEST_F(FairyTest, ScoreFormulas) {
  struct Case {
    int n, boost, life, offense, defense, keys, blue, red, score;
  };
  const Case cases[] = {{1, 0, 400, 29, 35, 0, 0, 0, 60},
                        {2, 0, 800, 74, 80, 0, 0, 0, 60},
                        {3, 0, 3000, 240, 300, 0, 0, 0, 60},
                        {4, 0, 1600, 152, 198, 0, 0, 0, 60},
                        {5, 0, 3000, 240, 300, 0, 0, 0, 60},
                        {1, 0, 450, 30, 36, 1, 1, 1, 72},
                        {2, 0, 900, 75, 81, 0, 0, 0, 64},
                        {3, 0, 3400, 242, 303, 0, 0, 0, 63},
                        {4, 0, 1800, 153, 200, 0, 0, 0, 63},
                        {1, 0, 351, 29, 35, 0, 0, 0, 60},
                        {1, 0, 0, 0, 0, 0, 0, 0, 0},
                        {1, 43, 17600, 1276, 1540, 0, 0, 0, 60},
                        {5, 43, 132000, 10560, 13200, 0, 0, 0, 60}};
  for (const Case& c : cases) {
    SCOPED_TRACE("checkpoint " + std::to_string(c.n) + " life " + std::to_string(c.life));
    s(gs::LevelBoost) = c.boost;
    judge(c.n, c.life, c.offense, c.defense, c.keys, c.blue, c.red);
    EXPECT_EQ(s(gs::LastScore), c.score);
    EXPECT_EQ(s(gs::Checkpoint), c.n);
    EXPECT_NE(shown().find(text(220) + " " + std::to_string(c.score) + " " + text(221)),
              std::string::npos);
  }
}

// The special rank starts at exactly 100 and ends at 9999; 10000 earns no rank text.
// The closing line changes from the fourth judgement on.
TEST_F(FairyTest, RankTextBoundaries) {
  const char* ranks[] = {"FIGHTER.", "BRAVE MAN.", "HERO.", "SWORD EMPEROR.", "FIGHTER GOD."};
  const std::pair<int, int> cases[] = {{99, -1}, {100, 0}, {120, 0},  {121, 1},   {141, 2},
                                       {200, 3}, {201, 4}, {9999, 4}, {10000, -1}};
  for (const auto& [score, rank] : cases) {
    SCOPED_TRACE(score);
    judge(1, 400, 29, 35, score - 60);
    for (int r = 0; r < 5; ++r)
      EXPECT_EQ(shown().find(text(228) + ranks[r]) != std::string::npos, r == rank) << ranks[r];
    if (score == 10000) {
      const std::string tail = text(221);
      EXPECT_EQ(shown().substr(shown().size() - tail.size()), tail) << "nothing after the points";
    }
  }
  s(gs::FairyVisits) = 2;
  judge(1, 400, 29, 35, 40);
  EXPECT_NE(shown().find(text(235)), std::string::npos);
  judge(1, 400, 29, 35, 40);
  EXPECT_EQ(s(gs::FairyVisits), 4);
  EXPECT_NE(shown().find(text(236)), std::string::npos);
}

// Score 100 with life 400 ties place 1 of the temporary ranking on points and loses on
// life: place 2. The handed-over game carries score, place and checkpoint. In a first
// game OK opens the rankings and the fairy leaves once they are closed.
TEST_F(FairyTest, PlaceHandOverAndDeparture) {
  judge(1, 400, 29, 35, 40);
  EXPECT_EQ(s(gs::RankWon), 2);
  EXPECT_EQ(shown().rfind(text(244) + " 2 " + text(245) + text(220), 0), 0u) << shown();
  ASSERT_EQ(host.handed.size(), 1u);
  EXPECT_EQ(host.handed[0].state[gs::LastScore], 100);
  EXPECT_EQ(host.handed[0].state[gs::RankWon], 2);
  EXPECT_EQ(host.handed[0].state[gs::Checkpoint], 1);
  EXPECT_FALSE(game.dialogs.notice.has_value());
  game.pressOk();
  EXPECT_EQ(host.rankingWindows, 1);
  finish();
  EXPECT_EQ(game.floors.cell(10, 27), tile::Fairy) << "the scene waits for the rankings";
  game.rankingClosed();
  finish();
  EXPECT_EQ(game.floors.cell(10, 27), tile::Floor);
  EXPECT_TRUE(unlocked());

  judge(1, 0, 0, 0);
  EXPECT_EQ(s(gs::RankWon), 0);
  EXPECT_EQ(shown().rfind(text(220), 0), 0u) << "no congratulation without a place";

  s(gs::LevelBoost) = 43;  // the second game goes straight on
  judge(4, 1600 * 44, 152 * 44, 198 * 44);
  EXPECT_EQ(s(gs::LastScore), 60);
  const int windows = host.rankingWindows;
  game.pressOk();
  finish();
  EXPECT_EQ(host.rankingWindows, windows);
  EXPECT_EQ(game.floors.cell(40, 60), tile::Floor);
}

// An untrusted ranking and a failed hand-over are both reported, one after the other;
// the judgement ends.
TEST_F(FairyTest, RankingProblemAndWriteErrorAreShown) {
  host.problem = "Ranking data is abnormal. Use a temporary Ranking.";
  judge(2, 800, 74, 80);
  EXPECT_EQ(game.dialogs.notice.value_or(""), host.problem);
  EXPECT_EQ(s(gs::Checkpoint), 2);
  game.acknowledge();
  host.problem.clear();
  host.writeError = "save0.dat could not be written";
  judge(3, 3000, 240, 300);
  EXPECT_EQ(game.dialogs.notice.value_or(""), host.writeError);
  game.acknowledge();
  ok();
  EXPECT_EQ(game.floors.cell(25, 71), tile::Floor);
  // Both at once: the ranking's message first, then the write error.
  host.problem = "Version of Ranking data is old. Use a temporary Ranking.";
  judge(4, 1600, 152, 198);
  EXPECT_EQ(game.dialogs.notice.value_or(""), host.problem);
  game.acknowledge();
  EXPECT_EQ(game.dialogs.notice.value_or(""), host.writeError);
  game.acknowledge();
  EXPECT_FALSE(game.dialogs.notice.has_value());
}

// Ties: points first, then life, then offense + defense; equal on all three loses.
TEST(RankingPlaceTest, TiesDecidedByLifeThenOffensePlusDefense) {
  const RankingRows rows = temporaryRanking(1);  // 100/500/25/25, 90/450/24/24, ...
  EXPECT_EQ(rankingPlace(rows, {101, 0, 0, 0}), 1);
  EXPECT_EQ(rankingPlace(rows, {100, 501, 0, 0}), 1);
  EXPECT_EQ(rankingPlace(rows, {100, 500, 10, 41}), 1);
  EXPECT_EQ(rankingPlace(rows, {100, 500, 40, 10}), 2) << "an equal sum does not win";
  EXPECT_EQ(rankingPlace(rows, {100, 499, 1000, 1000}), 2) << "life decides before stats";
  EXPECT_EQ(rankingPlace(rows, {10, 50, 16, 17}), 10);
  EXPECT_EQ(rankingPlace(rows, {10, 50, 16, 16}), 0);
}

}  // namespace
}  // namespace kelvorn
