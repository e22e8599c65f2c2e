// The picture sequences' frames as the scene layer shows them: which picture each mode
// and parameter draws, and how bright, in both layouts.
#include <gtest/gtest.h>

#include "rules/game.h"
#include "view/game_drawing.h"

namespace kelvorn {
namespace {

constexpr Pixel kOpening = 0x808080, kMorning = 0x4080c0, kPrison = 0x604020, kLast = 0x20c020;
constexpr Pixel kScrollTop = 0xc00000, kScrollBottom = 0x0000c0;
Pixel endingColour(int n) { return static_cast<Pixel>(0x010101 * (10 * n)); }

class PictureSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    ScenePictures& s = view.scenes;
    s.opening = Bitmap(640, 400, kOpening);
    s.morning = Bitmap(640, 400, kMorning);
    s.prison = Bitmap(640, 400, kPrison);
    s.last = Bitmap(640, 400, kLast);
    for (int n = 1; n <= 15; ++n) s.endings.push_back(Bitmap(640, 400, endingColour(n)));
    s.scroll = Bitmap(640, 800, kScrollTop);
    fillRect(s.scroll, 0, 400, 640, 400, kScrollBottom);
  }
  // Runs one frame step with its mode carrier below it.
  void frame(int mode, int p) {
    game.stack.push(wsPause, i16(mode), 0);
    game.stack.push(wsScript, script::PictureFrame, i16(p));
    game.timers.enable(TimerId::Steps, true);
    game.runStep();
  }
  Game game;
  GameDrawing view{viewedGame(game)};
};

TEST_F(PictureSequenceTest, EachModeShowsItsPicture) {
  struct Case {
    int mode, p;
    Pixel corner;  // the picture area's top-left pixel
  };
  const Case cases[] = {
      {0, 232, 0x080808},  // the dawn tower from the dark, in sixteen steps
      {0, 247, kOpening},      {2, 247, kMorning},
      {1, 0, kBlack},          {1, 500, kPrison},  // the prison fades in
      {6, 1, endingColour(1)}, {6, 15, endingColour(15)},
      {6, 16, kOpening},       {6, 17, kOpening},        // then the road where it began
      {4, 1, kScrollTop},      {4, 401, kScrollBottom},  // the scroll stops at the bottom
      {5, 0, kLast},           {7, 0, kBlack},
  };
  for (const bool large : {false, true}) {
    view.setLayout(makeLayout(large), PictureSet{});
    game.attachView(&view);
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message() << "large " << large << " mode " << c.mode << " p " << c.p);
      frame(c.mode, c.p);
      ASSERT_EQ(view.scenePicture.width, view.layout.clientWidth);
      ASSERT_EQ(view.scenePicture.height, view.layout.centrePanel.h);
      EXPECT_TRUE(game.controls.sceneVisible);
      EXPECT_FALSE(game.timers.enabled(TimerId::Animation));
      EXPECT_EQ(view.scenePicture.at(0, 0), c.corner);
      EXPECT_EQ(game.controls.sceneText, c.mode == 7 ? Game::kThanks : "");
      game.controls.sceneText.clear();
    }
  }
}

}  // namespace
}  // namespace kelvorn
