// The Game object as the window drives it: start-up with and without the intro, the
// Game Start command, the option menus, sound and music through the host, loading a
// saved game, the message window's OK button, the save holder kept in memory, and what
// copies of a game share.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "rules/game.h"
#include "rules/holder_memory.h"
#include "rules/music.h"

namespace kelvorn {
namespace {

struct RecordingHost : Host {
  std::vector<int> effects, music;
  void playEffect(int number) override { effects.push_back(number); }
  void playMusic(int track) override { music.push_back(track); }
};

OptionBytes withoutPrologue() {
  OptionBytes o = builtInOptions();
  o[opt::Prologue] = 0;
  return o;
}

class GameTest : public ::testing::Test {
 protected:
  bool inputUnlocked() const {
    const Controls& c = game.controls;
    return c.arrowsVisible && c.arrowsEnabled && c.loadEnabled && c.optionsEnabled;
  }
  void expectFreshFirstGame() const {
    EXPECT_EQ(game.state[gs::LevelBoost], 0);
    EXPECT_EQ(game.state[gs::CarryOver], 0);
    EXPECT_EQ(game.state[gs::Life], 1000);
    EXPECT_EQ(game.state[gs::Gold], 0);
    EXPECT_EQ(game.state[gs::Floor], 1);
    EXPECT_EQ(game.state.heroCell(), cellIndex(5, 10));
    EXPECT_TRUE(game.floors == FloorStore(content::builtIn().floors));
    EXPECT_EQ(game.stack.count(), 0);
  }
  RecordingHost host;
  Game game{content::builtIn(), &host};
};

TEST_F(GameTest, StartUpWithoutPrologueUnlocksAFirstGame) {
  game.state.extra.fill(5);
  game.startUp(withoutPrologue());
  expectFreshFirstGame();
  EXPECT_EQ(game.state[gs::SaveVersion], -4);
  for (int i = 0; i < extra::Marker; ++i) EXPECT_EQ(game.state.extra[i], 0) << i;
  EXPECT_EQ(game.state.extra[extra::Marker], 12);
  EXPECT_FALSE(game.introRunning());
  EXPECT_TRUE(game.timers.enabled(TimerId::Animation));
  EXPECT_TRUE(inputUnlocked());
  EXPECT_TRUE(game.idle());
}

TEST_F(GameTest, IntroRunsTwentyTicksThenStartsAFirstGame) {
  game.startUp(builtInOptions());
  ASSERT_TRUE(game.introRunning());
  EXPECT_FALSE(game.timers.enabled(TimerId::Animation));
  EXPECT_FALSE(game.controls.arrowsVisible);
  game.state[gs::LevelBoost] = gs::kLevelBoostAfterWin;  // the intro's end clears it
  int gap = 500;  // the intro timer as created
  for (int tick = 0; tick < 20; ++tick) {
    ASSERT_TRUE(game.introRunning()) << "tick " << tick;
    game.advance(gap - 1);
    EXPECT_EQ(game.scene.introFrame, tick);
    game.advance(1);
    EXPECT_EQ(game.scene.introFrame, tick + 1);
    gap = tick < 8 ? 350 : tick < 15 ? 250 : 150;  // chosen by the tick at counter `tick`
  }
  EXPECT_FALSE(game.introRunning());
  expectFreshFirstGame();
  EXPECT_TRUE(game.timers.enabled(TimerId::Animation));
  EXPECT_TRUE(inputUnlocked());
}

TEST_F(GameTest, GameStartDuringTheIntroStartsWithoutAsking) {
  game.startUp(builtInOptions());
  game.menuGameStart();
  EXPECT_FALSE(game.question);
  EXPECT_FALSE(game.introRunning());
  expectFreshFirstGame();
  EXPECT_TRUE(inputUnlocked());
}

TEST_F(GameTest, GameStartAsksAndOnlyYesStartsAFirstGame) {
  game.startUp(withoutPrologue());
  game.state[gs::LevelBoost] = gs::kLevelBoostAfterWin;  // a won game ...
  game.state[gs::CarryOver] = 1;
  game.state[gs::Gold] = 300;
  game.floors.setCell(1, 0, 6);
  const GameState state = game.state;
  const FloorStore floors = game.floors;
  game.menuGameStart();
  ASSERT_TRUE(game.question);
  EXPECT_EQ(game.question->text, "This game is over. Is it true?");
  game.answer(false);
  EXPECT_FALSE(game.question);
  EXPECT_TRUE(game.state == state && game.floors == floors);
  game.menuGameStart();
  game.answer(true);
  expectFreshFirstGame();  // ... gives a first game again, every cell restored
}

TEST_F(GameTest, MenusKeepTheOptionBytesCurrent) {
  game.startUp(withoutPrologue());
  game.menuSpeed(Speed::Low);
  EXPECT_EQ(game.options[opt::Speed], 3);
  EXPECT_EQ(game.timers.interval(TimerId::Animation), 350);
  game.menuSpeed(Speed::Middle);
  EXPECT_EQ(game.options[opt::Speed], 2);
  EXPECT_EQ(game.timers.interval(TimerId::Repeat), 250);
  game.options[2] = 9;
  game.menuFont(FontChoice::Tiny);
  EXPECT_EQ(game.options[opt::SmallFont], 8);
  EXPECT_EQ(game.options[opt::LargeFont], 10);
  EXPECT_EQ(game.options[2], 0);
  game.menuControl(Control::Keyboard);
  EXPECT_EQ(game.options[opt::Control], 1);
  EXPECT_FALSE(game.controls.arrowsVisible);
  game.menuControl(Control::Mouse);
  EXPECT_EQ(game.options[opt::Control], 0);
  EXPECT_TRUE(inputUnlocked());
  game.menuPrologue();
  EXPECT_EQ(game.options[opt::Prologue], 1);
  game.menuPrologue();
  EXPECT_EQ(game.options[opt::Prologue], 0);
  game.menuSound();
  EXPECT_EQ(game.options[opt::SoundOff], 1);
  EXPECT_EQ(game.state[gs::SoundOff], 1);
  game.menuSound();
  EXPECT_EQ(game.options[opt::SoundOff], 0);
  EXPECT_EQ(game.state[gs::SoundOff], 0);
}

// A copy of a game (a search branching from a position) asks its own silent host: it
// plays on after the game it was copied from is gone (the sanitized build checks it).
TEST(GameCopy, OutlivesTheGameItCameFrom) {
  auto original = std::make_unique<Game>();
  original->startUp(withoutPrologue());
  Game copy = *original;
  original.reset();
  copy.menuSave(1);
  EXPECT_EQ(copy.dialogs.notice, "The game was not saved: no save holder");
}

TEST(FontCheck, OnlyTheFourPairsCheckAnItem) {
  const struct {
    std::uint8_t small, large;
    std::optional<FontChoice> checked;
  } cases[] = {{8, 10, FontChoice::Tiny},    {9, 11, FontChoice::Small},
               {10, 12, FontChoice::Normal}, {12, 14, FontChoice::Big},
               {10, 14, std::nullopt},       {8, 12, std::nullopt}, {11, 12, std::nullopt}};
  for (const auto& c : cases) {
    OptionBytes o = builtInOptions();
    o[opt::SmallFont] = c.small;
    o[opt::LargeFont] = c.large;
    EXPECT_EQ(checkedFont(o), c.checked) << int{c.small} << "/" << int{c.large};
  }
}

TEST_F(GameTest, EffectsOnlyWithSoundOnAndMusicByTheFloorBand) {
  game.startUp(withoutPrologue());
  game.stack.push(wsSound, 1);
  game.stack.push(wsSound, 9);
  game.stack.push(wsSound, 5);  // music is off: starts nothing
  while (game.stack.count() > 0) game.runStep();
  EXPECT_EQ(host.effects, (std::vector<int>{9, 1}));
  EXPECT_TRUE(host.music.empty());
  game.menuSound();
  game.stack.push(wsSound, 2);
  game.runStep();
  EXPECT_EQ(host.effects, (std::vector<int>{9, 1}));

  game.gameOver();  // music off: a new game plays nothing
  EXPECT_TRUE(host.music.empty());
  game.menuMusic();
  EXPECT_EQ(game.options[opt::Music], 1);
  EXPECT_EQ(game.state[gs::MusicTrack], trackForFloor(1));
  EXPECT_EQ(host.music, std::vector<int>{trackForFloor(1)});
  game.state[gs::Floor] = 30;
  game.gameOver();  // music on: the new game's floor-1 tune, not floor 30's
  EXPECT_EQ(host.music.back(), trackForFloor(1));
  game.menuMusic();
  EXPECT_EQ(game.options[opt::Music], 0);
  EXPECT_EQ(game.state[gs::MusicTrack], 0);
}

// ---- Loading -----------------------------------------------------------------------------

class LoadTest : public GameTest {
 protected:
  void SetUp() override {
    game.startUp(withoutPrologue());
    game.state[gs::Life] = 777;
    saved.floors.setCell(3, 40, 31);
    saved.state = game.state;
    saved.state[gs::Floor] = 3;
    saved.state[gs::HeroX] = 1;
    saved.state[gs::Life] = 4321;
    before = game.state;
    beforeFloors = game.floors;
  }
  void expectUnchanged() const {
    EXPECT_TRUE(game.state == before);
    EXPECT_TRUE(game.floors == beforeFloors);
  }
  SavedGame saved{FloorStore(content::builtIn().floors), {}};
  GameState before;
  FloorStore beforeFloors;
};

TEST_F(LoadTest, MissingFileLeavesTheGame) {
  EXPECT_EQ(game.loadGame(std::nullopt, true), Game::LoadResult::Missing);
  EXPECT_EQ(game.messageBar(), "Nobody saved that game yet.");
  EXPECT_FALSE(game.dialogs.notice);
  expectUnchanged();
}

TEST_F(LoadTest, RejectedFileLeavesTheGameExactlyAsBefore) {
  const struct {
    bool valid;
    int index;
    std::int32_t value;
  } cases[] = {{false, gs::Floor, 3}, {true, gs::Floor, 51},  {true, gs::Floor, -1},
               {true, gs::HeroX, 11}, {true, gs::HeroY, -1}, {true, gs::SaveVersion, -3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "index " << c.index << " = " << c.value);
    SavedGame file = saved;
    file.state[c.index] = c.value;
    EXPECT_EQ(game.loadGame(file, c.valid), Game::LoadResult::Rejected);
    ASSERT_TRUE(game.dialogs.notice);
    EXPECT_EQ(*game.dialogs.notice, "Donot use this save data.");
    game.acknowledge();
    expectUnchanged();
    EXPECT_EQ(game.bar.code, 0);
  }
}

TEST_F(LoadTest, ValidFileReplacesFloorsAndStateAndEmptiesTheStack) {
  game.stack.push(wsSetState, gs::Life, 1);
  game.timer2on();
  EXPECT_EQ(game.loadGame(saved, true), Game::LoadResult::Loaded);
  EXPECT_EQ(game.state.v, saved.state.v);
  EXPECT_TRUE(game.floors == saved.floors);
  EXPECT_EQ(game.messageBar(), "Loaded the Game.");
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_TRUE(inputUnlocked());
  game.advance(1000);
  EXPECT_EQ(game.state[gs::Life], 4321);
}

// ---- Message window OK button ---------------------------------------------------------------

class OkButtonTest : public GameTest {
 protected:
  void SetUp() override { game.startUp(withoutPrologue()); }
  // Opens the window for (wsAsk, n), DialogKind 10 + n, above a pending message step.
  void ask(int n) {
    game.stack.clear();
    game.stack.push(wsMessage, 7);
    game.stack.push(wsPause);  // runs in the question's tick, as a script's pause does
    game.stack.push(wsAsk, static_cast<std::int16_t>(n));
    game.timer2on();
    game.stepTick();
    ASSERT_EQ(game.dialogs.dialogKind, 10 + n);
    ASSERT_TRUE(game.controls.windowVisible && game.controls.okVisible);
    ASSERT_FALSE(game.timers.enabled(TimerId::Steps));
  }
};

TEST_F(OkButtonTest, KindsElevenAndTwelveResumeTheStack) {
  for (int n : {1, 2}) {
    game.bar.code = 0;
    ask(n);
    game.pressOk();
    EXPECT_FALSE(game.controls.okVisible);
    EXPECT_TRUE(game.controls.windowVisible);  // the text stays until the next window
    EXPECT_TRUE(game.timers.enabled(TimerId::Steps));
    game.stepTick();
    EXPECT_EQ(game.bar.code, 7) << n;
  }
}

TEST_F(OkButtonTest, KindThirteenBeginsPlayAndDropsTheRest) {
  ask(3);
  game.state[gs::BoardHold] = 1;
  game.timers.enable(TimerId::Animation, false);
  game.pressOk();
  EXPECT_EQ(game.stack.count(), 0);
  EXPECT_FALSE(game.timers.enabled(TimerId::Steps));
  EXPECT_TRUE(game.timers.enabled(TimerId::Animation));
  EXPECT_EQ(game.state[gs::BoardHold], 0);
  EXPECT_FALSE(game.controls.windowVisible);
  EXPECT_TRUE(inputUnlocked());
}

TEST_F(OkButtonTest, KindSeventeenUnlocksAndLeavesStepsPending) {
  ask(7);
  game.pressOk();
  EXPECT_FALSE(game.controls.windowVisible);
  EXPECT_FALSE(game.timers.enabled(TimerId::Steps));
  EXPECT_TRUE(inputUnlocked());
  EXPECT_EQ(game.stack.count(), 1);
}

TEST_F(OkButtonTest, ReadFlagsOnlyForKindsElevenToSixtySeven) {
  const struct {
    int kind, index;
    std::int32_t expected;
  } cases[] = {{10, 90, 0}, {11, 91, 1}, {13, 93, 1}, {67, 147, 1}, {68, 148, 0}};
  for (const auto& c : cases) {
    game.state[c.index] = 0;
    game.dialogs.dialogKind = c.kind;
    game.pressOk();
    EXPECT_EQ(game.state[c.index], c.expected) << "DialogKind " << c.kind;
  }
}

// The save holder kept in memory: what a search saves to, loads from and is judged by.
TEST(MemoryHost, ASaveLoadsBackAndKeepsTheGameLeft) {
  HolderContents contents;
  MemoryHost host(contents);
  Game game(content::builtIn(), &host);
  game.startUp(withoutPrologue());
  game.state[gs::Gold] = 123;
  game.menuSave(3);
  ASSERT_TRUE(contents.slots.contains(3));
  EXPECT_FALSE(game.dialogs.notice.has_value());
  const GameState saved = game.state;

  game.state[gs::Gold] = 7;
  game.menuLoad(3);
  EXPECT_EQ(game.state, saved);
  ASSERT_TRUE(contents.handedOver.has_value());  // the game left behind, for undo
  EXPECT_EQ(contents.handedOver->state[gs::Gold], 7);
  game.menuLoad(4);
  EXPECT_EQ(game.state, saved) << "an empty slot loads nothing";
}

TEST(MemoryHost, AJudgementReadsTheTemporaryRankingUntilOneIsStored) {
  HolderContents contents;
  MemoryHost host(contents);
  EXPECT_EQ(host.judgementRanking(2, gs::kSaveVersion).rows, temporaryRanking(2));
  RankingRows stored{};
  stored[0].points = 999;
  contents.rankings[1] = stored;
  EXPECT_EQ(host.judgementRanking(2, gs::kSaveVersion).rows, stored);
  EXPECT_EQ(host.judgementRanking(3, gs::kSaveVersion).rows, temporaryRanking(3));
}

// A copy of a game (one per move a search tries) reads the same message table and the
// same unchanging monster rows; Zeno's row, which play changes, is its own.
TEST(GameCopy, SharesTheReadOnlyTables) {
  Game game;
  game.startUp(withoutPrologue());
  Game copy = game;
  EXPECT_EQ(&copy.messages.entry(msg::Tower), &game.messages.entry(msg::Tower));
  EXPECT_EQ(&copy.monsters[kind::Dragon], &game.monsters[kind::Dragon]);
  copy.monsters.zenoRow().life = 1;
  EXPECT_NE(game.monsters[kind::Zeno].life, 1);
}

}  // namespace
}  // namespace kelvorn
