// Keys, on-screen arrows and the walk: turning, stepping onto plain floor, being
// blocked, the quarter-tile pictures of a walk, the messages about neighbouring cells,
// and the keyboard cursor over the item panel.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "rules/game.h"
#include "view/game_drawing.h"

namespace kelvorn {
namespace {

constexpr int kEnter = 13, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

Pixel colourOf(int image) { return 0x800000 | (image * 0x101 + 1); }

// Solid tile images; hero masks (185, 187, ... 215) black over the top half only, or
// on a checkerboard over the whole cell.
PictureSet solidTiles(int t, bool checkeredHero = false) {
  Bitmap tiles(11 * t, 20 * t);
  for (int i = 0; i < kTileImages; ++i) {
    const bool heroMask = i >= 184 && i <= 215 && (i - 184) % 2 == 1;
    const int x0 = i % 11 * t, y0 = i / 11 * t;
    fillRect(tiles, x0, y0, t, t, heroMask ? kWhite : colourOf(i));
    if (heroMask && !checkeredHero) fillRect(tiles, x0, y0, t, t / 2, kBlack);
    for (int y = 0; heroMask && checkeredHero && y < t; ++y)
      for (int x = y % 2; x < t; x += 2) tiles.at(x0 + x, y0 + y) = kBlack;
  }
  return cutSheets(tiles, Bitmap(11 * t, 15 * t), Bitmap(t, t), t);
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    placeHero(3, 5, 5, kFaceDown, false);
  }
  // Floor `floor` all plain floor, the hero at (x, y), drawn in the small or large set.
  void placeHero(int floor, int x, int y, int facing, bool large, bool checkeredHero = false) {
    const Layout layout = makeLayout(large);
    t = layout.tileSize;
    view.setLayout(layout, solidTiles(t, checkeredHero));
    game.attachView(&view);
    game.state[gs::Floor] = floor;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.state[gs::HeroX] = x;
    game.state[gs::HeroY] = y;
    game.state[gs::Facing] = facing;
    game.drawFloor();
    game.drawHeroAfterMove();
    game.present();
    view.board.motion.clear();
  }
  void put(int x, int y, TileCode code) {
    game.floors.setCell(game.state[gs::Floor], cellIndex(x, y), code);
  }
  int heroCell() const { return game.state.heroCell(); }

  Game game;
  GameDrawing view{viewedGame(game)};
  int t = 32;
};

TEST_F(InputTest, KeysAndArrowsTurnTheHeroAndWalkOntoPlainFloor) {
  // key, on-screen arrow, facing, dx, dy
  const int cases[][5] = {{kLeft, 2, kFaceLeft, -1, 0},
                          {kUp, 1, kFaceUp, 0, -1},
                          {kRight, 3, kFaceRight, 1, 0},
                          {kDown, 4, kFaceDown, 0, 1}};
  for (const auto& [key, arrow, facing, dx, dy] : cases)
    for (bool byKey : {true, false}) {
      placeHero(3, 5, 5, 0, false);
      byKey ? game.keyDown(key) : game.arrowClick(arrow);
      EXPECT_EQ(game.state[gs::Facing], facing) << key;
      EXPECT_EQ(heroCell(), cellIndex(5 + dx, 5 + dy)) << key;
    }
}

// Against a blocking cell or the board's edge the hero turns and stays; at the edge
// nothing is looked at, so the message stands.
TEST_F(InputTest, BlockedOrAtTheEdgeTheHeroOnlyTurns) {
  for (int code : {0, 4, 5, 8, 13, 14, 15, 17, 200}) {
    placeHero(3, 5, 5, kFaceDown, false);
    put(6, 5, static_cast<TileCode>(code));
    game.keyDown(kRight);
    EXPECT_EQ(game.state[gs::Facing], kFaceRight) << code;
    EXPECT_EQ(heroCell(), cellIndex(5, 5)) << code;
    EXPECT_TRUE(view.board.motion.empty()) << code;
  }
  const int edges[][4] = {{0, 5, kLeft, kFaceLeft},
                          {10, 5, kRight, kFaceRight},
                          {5, 0, kUp, kFaceUp},
                          {5, 10, kDown, kFaceDown}};
  for (const auto& [x, y, key, facing] : edges) {
    placeHero(3, x, y, 0, false);
    game.bar.code = 77;
    game.keyDown(key);
    EXPECT_EQ(game.state[gs::Facing], facing) << key;
    EXPECT_EQ(heroCell(), cellIndex(x, y)) << key;
    EXPECT_EQ(game.bar.code, 77) << key;
  }
}

// Pending steps and the input lock of a running script stop keys and arrows; a step
// count below zero is reset and does not block.
TEST_F(InputTest, KeysAndArrowsWaitForPendingStepsAndLockedMenus) {
  game.state.itemSlot(4) = 1;
  game.stack.push(wsPause);
  for (int key : {kLeft, kEnter}) game.keyDown(key);
  game.arrowClick(3);
  game.stack.clear();
  game.controls.optionsEnabled = false;
  for (int key : {kLeft, kEnter}) game.keyDown(key);
  EXPECT_EQ(game.state[gs::Facing], kFaceDown);
  EXPECT_EQ(heroCell(), cellIndex(5, 5));
  EXPECT_FALSE(game.dialogs.cursorShown);

  game.controls.optionsEnabled = true;
  game.stack.setCount(-2);
  game.keyDown(kRight);
  EXPECT_EQ(heroCell(), cellIndex(6, 5));
  game.stack.setCount(-1);
  game.arrowClick(4);
  EXPECT_EQ(heroCell(), cellIndex(6, 6));
  EXPECT_EQ(game.stack.count(), 0);
}

// A walk shows the hero at every quarter of the tile, whatever the speed; each picture
// has his opaque top half exactly offset pixels along, over the two cells' own pictures.
TEST_F(InputTest, WalkShowsFourQuarterTilePicturesAtEverySpeed) {
  // key, dx, dy, step pose A (written at the quarters), step pose B
  const int walks[][5] = {{kDown, 0, 1, 184, 186},
                          {kLeft, -1, 0, 192, 194},
                          {kRight, 1, 0, 200, 202},
                          {kUp, 0, -1, 208, 210}};
  struct Set {
    bool large;
    std::vector<Speed> speeds;
  };
  const Set sets[] = {{false, {Speed::Low, Speed::Middle, Speed::High}},
                      {true, {Speed::Low, Speed::Middle}}};
  for (const Set& set : sets)
    for (Speed speed : set.speeds)
      for (const auto& [key, dx, dy, a, b] : walks) {
        SCOPED_TRACE(testing::Message() << "large " << set.large << ", speed "
                                        << static_cast<int>(speed) << ", key " << key);
        game.options[opt::Speed] = static_cast<std::uint8_t>(speed);
        placeHero(3, 5, 5, kFaceDown, set.large);
        game.keyDown(key);
        ASSERT_EQ(view.board.motion.size(), 4u);
        for (int q = 0; q < 4; ++q) {
          const Bitmap& picture = view.board.motion[static_cast<std::size_t>(q)];
          const int offset = (q + 1) * t / 4;
          const int x = 5 * t + dx * offset, y = 5 * t + dy * offset;
          EXPECT_EQ(picture.at(x, y), colourOf(a)) << "quarter " << q;
          EXPECT_EQ(picture.at(x + t - 1, y + t - 1), colourOf(5)) << "quarter " << q;
          const int behindX = dx > 0 ? x - 1 : dx < 0 ? x + t : x;
          const int behindY = dy > 0 ? y - 1 : dy < 0 ? y + t : y;
          EXPECT_EQ(picture.at(behindX, behindY), colourOf(5)) << "quarter " << q;
        }
        EXPECT_EQ(heroCell(), cellIndex(5 + dx, 5 + dy));
        // At rest, shown: pose B on the new cell, nothing left on the old one.
        EXPECT_TRUE(view.board.shown == view.board.frames[0]);
        EXPECT_EQ(view.board.shown.at((5 + dx) * t, (5 + dy) * t), colourOf(b));
        EXPECT_EQ(view.board.shown.at(5 * t + t / 2, 5 * t + t / 4), colourOf(5));
        // Nor does frame 1, so the idle animation does not bring him back there.
        EXPECT_EQ(view.board.frames[1].at(5 * t + t / 2, 5 * t + t / 2 - 1), colourOf(5));
      }
}

// After a walk both frames hold exactly what a full redraw with the hero on his new
// cell holds (step pose A in frame 1, B in frame 0), so the idle animation shows nothing
// of the walk. With the hero masked on a checkerboard over the whole cell, a single row
// or column of him left on his old cell shows, and so does the floor under him.
TEST_F(InputTest, AfterAWalkBothFramesHoldTheFreshlyDrawnBoard) {
  const int walks[][3] = {{kDown, 0, 1}, {kLeft, -1, 0}, {kRight, 1, 0}, {kUp, 0, -1}};
  for (bool large : {false, true})
    for (Speed speed : {Speed::Low, Speed::Middle, Speed::High})
      for (const auto& [key, dx, dy] : walks) {
        SCOPED_TRACE(testing::Message() << "large " << large << ", speed "
                                        << static_cast<int>(speed) << ", key " << key);
        game.options[opt::Speed] = static_cast<std::uint8_t>(speed);
        placeHero(3, 5, 5, kFaceDown, large, true);
        // Green Slimes (two frames) all round the two cells of the walk.
        for (int c = 0; c < kCells; ++c)
          if (c != cellIndex(5, 5) && c != cellIndex(5 + dx, 5 + dy)) game.floors.setCell(3, c, 61);
        game.drawFloor();
        game.drawHeroAfterMove();
        game.keyDown(key);
        ASSERT_EQ(heroCell(), cellIndex(5 + dx, 5 + dy));
        const std::array<Bitmap, 2> walked = view.board.frames;
        EXPECT_TRUE(view.board.shown == walked[0]);
        game.drawFloor();
        game.drawHeroAfterMove();
        for (int f : {0, 1})
          for (int y = 0; y < walked[f].height; ++y)
            for (int x = 0; x < walked[f].width; ++x)
              ASSERT_EQ(walked[f].at(x, y), view.board.frames[f].at(x, y))
                  << "frame " << f << " at (" << x << ", " << y << ")";
      }
}

// The hero walks right from (4, 5) to (5, 5) (his old cell is the left neighbour) on
// the highest floor; on a lower one stairs give the message but no NearStairs.
TEST_F(InputTest, NeighbourMessagesTheLaterNeighbourWins) {
  struct Case {
    TileCode up, right, down;
    int message, nearStairs;
  };
  const Case cases[] = {
      {11, 6, 6, 19, 1},  {6, 12, 6, 19, 2},  {6, 6, 13, 52, 0},  {16, 6, 6, 24, 0},
      {6, 18, 6, 24, 0},  {6, 6, 19, 13, 0},  {20, 6, 6, 13, 0},  {6, 21, 6, 15, 0},
      {6, 6, 22, 15, 0},  {23, 6, 6, 14, 0},  {6, 24, 6, 14, 0},  {6, 6, 25, 12, 0},
      {26, 6, 6, 12, 0},  {19, 6, 16, 24, 0}, {11, 21, 6, 15, 1}, {6, 23, 25, 12, 0},
      {19, 8, 29, 13, 0}, {8, 61, 1, 0, 0},   {6, 6, 6, 0, 0}};
  for (int highest : {3, 4})
    for (const Case& c : cases) {
      placeHero(3, 4, 5, kFaceDown, false);
      game.state[gs::HighestFloor] = highest;
      put(5, 4, c.up);
      put(6, 5, c.right);
      put(5, 6, c.down);
      game.bar.code = 50;
      game.keyDown(kRight);
      ASSERT_EQ(heroCell(), cellIndex(5, 5));
      SCOPED_TRACE(testing::Message() << +c.up << " " << +c.right << " " << +c.down);
      EXPECT_EQ(game.bar.code, c.message);
      EXPECT_EQ(game.state.extra[extra::NearStairs], highest == 3 ? c.nearStairs : 0);
    }
}

TEST_F(InputTest, EnterShowsTheCursorOnlyWhenAnItemIsOwned) {
  game.keyDown(kEnter);
  EXPECT_FALSE(game.dialogs.cursorShown);
  EXPECT_TRUE(game.controls.sizeEnabled);
  game.keyDown(kEscape);

  game.state.itemSlot(7) = 3;  // the warp staff with three charges
  game.keyDown(kEnter);
  EXPECT_TRUE(game.dialogs.cursorShown);
  EXPECT_EQ(game.dialogs.itemCursor, 7);
  EXPECT_FALSE(game.controls.sizeEnabled);  // no layout change under the cursor
  for (int key : {kLeft, kUp, kRight, kDown}) game.keyDown(key);
  EXPECT_EQ(heroCell(), cellIndex(5, 5));  // the keys move the cursor, never the hero

  game.keyDown(kEscape);
  EXPECT_FALSE(game.dialogs.cursorShown);
  EXPECT_FALSE(game.dialogs.itemSelectMode);
  EXPECT_TRUE(game.controls.sizeEnabled);
  game.keyDown(kEnter);
  EXPECT_EQ(game.dialogs.itemCursor, 7);  // the slot is remembered
  game.keyDown(kEnter);           // Enter on the cursor uses the item: the staff asks first
  EXPECT_FALSE(game.dialogs.cursorShown);
  EXPECT_TRUE(game.controls.sizeEnabled);
  EXPECT_EQ(game.controls.confirmSlot, 7);
  game.keyDown(kLeft);
  EXPECT_EQ(heroCell(), cellIndex(5, 5));  // input waits for the answer
  game.pressDontUse();
  game.keyDown(kLeft);
  EXPECT_EQ(heroCell(), cellIndex(4, 5));
}

TEST_F(InputTest, CursorSkipsEmptySlotsAndWraps) {
  struct Case {
    std::vector<int> owned;
    std::vector<std::pair<int, int>> moves;
  };
  const Case cases[] = {
      {{2, 3}, {{kEnter, 2}, {kRight, 3}, {kRight, 2}}},
      {{0, 14}, {{kEnter, 0}, {kLeft, 14}, {kRight, 0}, {kUp, 0}, {kDown, 0}}},
      {{1, 7, 13},
       {{kEnter, 1}, {kDown, 7}, {kDown, 13}, {kDown, 1}, {kUp, 13}, {kUp, 7}, {kRight, 13}}},
      {{2, 12}, {{kEnter, 2}, {kLeft, 12}, {kRight, 2}}},
  };
  for (const Case& c : cases) {
    for (int s = 0; s < kItemSlots; ++s) game.state.itemSlot(s) = 0;
    for (int s : c.owned) game.state.itemSlot(s) = 1;
    game.dialogs.cursorShown = game.dialogs.itemSelectMode = false;
    game.dialogs.itemCursor = 0;
    int step = 0;
    for (const auto& [key, slot] : c.moves) {
      game.keyDown(key);
      EXPECT_TRUE(game.dialogs.cursorShown);
      EXPECT_EQ(game.dialogs.itemCursor, slot)
          << "owned from " << c.owned[0] << ", move " << step++;
    }
  }
}

}  // namespace
}  // namespace kelvorn
