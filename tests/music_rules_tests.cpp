// When the game asks for which tune and effect: the track table, the band tune after a
// floor change, scene tunes with music on and off, and the switches of the Options menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/game.h"
#include "rules/music.h"

namespace kelvorn {
namespace {

constexpr int kRight = 39;

struct RecordingHost : Host {
  std::vector<int> effects, music;
  int closes = 0;
  void playEffect(int number) override { effects.push_back(number); }
  void playMusic(int track) override { music.push_back(track); }
  void closeMusic() override { ++closes; }
};

class MusicRules : public ::testing::Test {
 protected:
  // A first game without the prologue, music and effects as asked, the hero at (5, 5)
  // of an otherwise plain `floor` with `tile` to his right.
  void start(bool music, bool effects, int floor, TileCode tile) {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    options[opt::Music] = music ? 1 : 0;
    options[opt::SoundOff] = effects ? 0 : 1;
    game.startUp(options);
    game.state[gs::Floor] = floor;
    game.state[gs::HighestFloor] = floor;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.floors.setCell(floor, cellIndex(6, 5), tile);
    game.state[gs::HeroX] = 5;
    game.state[gs::HeroY] = 5;
    if (music) {  // the band tune of the floor, as a load or a floor change would start
      game.state[gs::MusicTrack] = trackForFloor(floor);
      host.music.clear();
    }
    host.closes = 0;
    host.effects.clear();
  }
  void stepRight() {
    game.keyDown(kRight);
    for (int guard = 0; guard < 100000 && game.timers.enabled(TimerId::Steps); ++guard)
      game.advance(game.timers.interval(TimerId::Steps));
  }
  RecordingHost host;
  Game game{content::builtIn(), &host};
};

TEST(TrackTable, EveryFloorBandAndEveryFile) {
  const std::vector<std::pair<int, int>> bands{{0, 21},  {1, 5},   {10, 5}, {11, 6}, {20, 6},
                                               {21, 17}, {30, 17}, {31, 8}, {40, 8}, {41, 9},
                                               {49, 9},  {50, 10}, {-1, 0}, {51, 0}};
  for (const auto& [floor, track] : bands) EXPECT_EQ(trackForFloor(floor), track) << floor;
  const std::vector<std::pair<int, std::string>> files{
      {5, "b_067xgw"},  {6, "b_058xgw"},  {17, "b_110xgw"}, {8, "a_118xgw"},
      {9, "a_019xgw"},  {10, "b_018xgw"}, {21, "A_027xgw"}, {11, "a_050xgw"},
      {12, "a_085xgw"}, {13, "a_032xgw"}, {14, "a_046xgw"}, {15, "a_005xgw"},
      {16, "a_007xgw"}, {7, "a_008xgw"},  {18, "a_023xgw"}, {19, "b_117xgw"}};
  for (const auto& [track, name] : files) EXPECT_EQ(trackFile(track), "midi/" + name + ".mid");
  for (int track : {0, 1, 4, 20, 22}) EXPECT_EQ(trackFile(track), "") << track;
}

TEST_F(MusicRules, StairsRestartTheMusicWithTheNewBandDuringTheReveal) {
  for (const auto& [from, before, after] : {std::tuple{20, 6, 17}, std::tuple{49, 9, 10}}) {
    SCOPED_TRACE(from);
    start(true, true, from, tile::StairsUp);
    EXPECT_EQ(game.state[gs::MusicTrack], before);
    stepRight();
    EXPECT_EQ(game.state[gs::Floor], from + 1);
    EXPECT_EQ(game.state[gs::MusicTrack], after);
    EXPECT_EQ(host.music, std::vector<int>{after});
    EXPECT_GE(host.closes, 2);  // stopped at the stairs, closed again by the restart
    EXPECT_EQ(host.effects, (std::vector<int>{9, 1}));  // stairs, then the first cover step
  }
}

TEST_F(MusicRules, WithEverythingOffAFloorChangeIsSilent) {
  start(false, false, 20, tile::StairsUp);
  stepRight();
  EXPECT_EQ(game.state[gs::Floor], 21);
  EXPECT_EQ(game.state[gs::MusicTrack], 0);
  EXPECT_TRUE(host.music.empty());
  EXPECT_TRUE(host.effects.empty());
}

TEST_F(MusicRules, ASceneTuneNeedsMusicOnAndGivesWayToTheBandWhenSwitchedBackOn) {
  start(false, true, 26, tile::Princess);
  game.keyDown(kRight);
  EXPECT_EQ(game.state[gs::MusicTrack], 0);
  EXPECT_TRUE(host.music.empty());

  start(true, true, 26, tile::Princess);
  game.keyDown(kRight);
  EXPECT_EQ(game.state[gs::MusicTrack], track::Princess);
  EXPECT_EQ(host.music, std::vector<int>{track::Princess});
  game.keyDown(kRight);  // already playing: not started again
  EXPECT_EQ(host.music.size(), 1u);
  game.menuMusic();  // off during the scene tune
  EXPECT_EQ(game.state[gs::MusicTrack], 0);
  EXPECT_FALSE(game.controls.musicChecked);
  game.menuMusic();  // on again: the floor's band, not the scene
  EXPECT_EQ(game.state[gs::MusicTrack], trackForFloor(26));
  EXPECT_EQ(host.music.back(), trackForFloor(26));
}

TEST_F(MusicRules, TheDeathTuneOnlyWithMusicOn) {
  for (const bool music : {false, true}) {
    SCOPED_TRACE(music);
    start(music, true, 5, tile::Floor);
    game.stack.push(wsDeath);
    game.runStep();
    EXPECT_EQ(game.state[gs::MusicTrack], music ? track::Death : 0);
    EXPECT_EQ(host.music, music ? std::vector<int>{track::Death} : std::vector<int>{});
  }
}

TEST_F(MusicRules, MusicSwitchedOnDuringTheIntroOnlyChecksTheMenuItem) {
  OptionBytes options = builtInOptions();
  options[opt::Music] = 0;
  options[opt::Prologue] = 1;
  game.startUp(options);
  ASSERT_TRUE(game.introRunning());
  game.menuMusic();
  EXPECT_TRUE(game.controls.musicChecked);
  EXPECT_EQ(game.options[opt::Music], 1);
  EXPECT_EQ(game.state[gs::MusicTrack], 0);
  EXPECT_TRUE(host.music.empty());
}

}  // namespace
}  // namespace kelvorn
