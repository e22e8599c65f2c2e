// The board's pictures: cutting the sheets, the masked merge, both animation frames
// after a full redraw, the hero composited over his cell by the animation tick, and the
// large-monster clean-up. Every sheet image is a solid colour of its own, so a wrong
// index or a wrong frame shows up as a wrong pixel.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <random>

#include "rules/game.h"
#include "view/game_drawing.h"

namespace kelvorn {
namespace {

Pixel colourOf(int image) { return 0x800000 | (image * 0x101 + 1); }
bool isHeroMask(int i) { return i >= 184 && i <= 215 && (i - 184) % 2 == 1; }

// Tile images are solid colours, except the hero masks (black over the top half, so
// the top half of a hero pose is opaque); the key sheet has four solid icons.
PictureSet solidPictures(int t) {
  Bitmap tiles(11 * t, 20 * t), masks(11 * t, 15 * t), keys(t, t);
  for (int i = 0; i < kTileImages; ++i) {
    const int x = i % 11 * t, y = i / 11 * t;
    fillRect(tiles, x, y, t, t, isHeroMask(i) ? kWhite : colourOf(i));
    if (isHeroMask(i)) fillRect(tiles, x, y, t, t / 2, kBlack);
  }
  for (int i = 0; i < 4; ++i) fillRect(keys, i % 2 * t / 2, i / 2 * t / 2, t / 2, t / 2, 0xC0 + i);
  return cutSheets(tiles, masks, keys, t);
}

// What a cell must show: a tile image, with a hero pose over its top half.
Bitmap cellPicture(int t, int tileImage, int pose = -1) {
  Bitmap b(t, t, colourOf(tileImage));
  if (pose >= 0) fillRect(b, 0, 0, t, t / 2, colourOf(pose));
  return b;
}

::testing::AssertionResult samePicture(const Bitmap& got, const Bitmap& want) {
  if (got.width != want.width || got.height != want.height)
    return ::testing::AssertionFailure() << "size " << got.width << "x" << got.height;
  for (int y = 0; y < want.height; ++y)
    for (int x = 0; x < want.width; ++x)
      if (got.at(x, y) != want.at(x, y)) {
        char text[96];
        std::snprintf(text, sizeof text, "first difference at (%d, %d): 0x%06X, want 0x%06X", x, y,
                      got.at(x, y), want.at(x, y));
        return ::testing::AssertionFailure() << text;
      }
  return ::testing::AssertionSuccess();
}

Bitmap cellOf(const Bitmap& frame, int cell, int t) {
  Bitmap out(t, t);
  blit(out, 0, 0, frame, cellColumn(cell) * t, cellRow(cell) * t, t, t);
  return out;
}

TEST(Bitmaps, MaskedMergeIsTheFourRasterSteps) {
  std::mt19937 random(7);
  auto noise = [&] {
    Bitmap b(5, 3);
    for (Pixel& p : b.pixels) p = random() & 0xFFFFFF;
    return b;
  };
  Bitmap composite = noise(), sprite = noise(), mask = noise();
  mask.at(0, 0) = kBlack;
  mask.at(1, 0) = kWhite;
  const Bitmap c0 = composite, s0 = sprite, m0 = mask;
  maskedMerge(composite, sprite, mask);
  for (std::size_t i = 0; i < c0.pixels.size(); ++i) {
    const Pixel spriteOrMask = s0.pixels[i] | m0.pixels[i], inverted = ~m0.pixels[i] & 0xFFFFFF;
    EXPECT_EQ(sprite.pixels[i], spriteOrMask) << i;
    EXPECT_EQ(mask.pixels[i], inverted) << i;  // left inverted for the caller
    EXPECT_EQ(composite.pixels[i], (c0.pixels[i] | inverted) & spriteOrMask) << i;
  }
  EXPECT_EQ(composite.at(0, 0), s0.at(0, 0));  // black mask: the sprite
  EXPECT_EQ(composite.at(1, 0), c0.at(1, 0));  // white mask: the picture underneath
}

TEST(Sheets, CellsAreCutRowByRowAndMissingOnesAreBlack) {
  Bitmap sheet(12, 8);
  for (int i = 0; i < 6; ++i) fillRect(sheet, i % 3 * 4, i / 3 * 4, 4, 4, colourOf(i));
  const ImageList list = ImageList::cut(sheet, 4, 4, 3, 8);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(samePicture(list[i], Bitmap(4, 4, colourOf(i)))) << i;
  for (int i : {6, 7, 8, -1}) EXPECT_TRUE(samePicture(list[i], Bitmap(4, 4))) << i;

  const PictureSet set = solidPictures(40);  // keys are cut at half size, two to a row
  EXPECT_TRUE(samePicture(set.tiles[217], Bitmap(40, 40, colourOf(217))));  // row 19, cell 8
  EXPECT_TRUE(samePicture(set.keys[keyicon::Empty], Bitmap(20, 20, 0xC3)));
}

class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    use(false);
  }
  void use(bool large) {
    const Layout layout = makeLayout(large);
    t = layout.tileSize;
    view.setLayout(layout, solidPictures(t));
    game.attachView(&view);
  }
  // Every cell of `floor` plain floor, the hero on `cell`; drawn and shown.
  void plainFloor(int floor, int cell, int facing, TileCode around = tile::Floor) {
    game.state[gs::Floor] = floor;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, around);
    game.floors.setCell(floor, cell, tile::Floor);
    game.state[gs::HeroX] = cellColumn(cell);
    game.state[gs::HeroY] = cellRow(cell);
    game.state[gs::Facing] = facing;
    game.drawFloor();
    game.present();
  }
  void tick() {
    const int phase = game.scene.animationFrame;
    game.advance(game.timers.interval(TimerId::Animation));
    ASSERT_NE(game.scene.animationFrame, phase) << "the animation timer did not fire";
  }
  Bitmap shownCell(int cell) const { return cellOf(view.board.shown, cell, t); }
  Bitmap frameCell(int f, int cell) const { return cellOf(view.board.frames[f], cell, t); }

  Game game;
  GameDrawing view{viewedGame(game)};
  int t = 32;
};

TEST_F(BoardTest, FullRedrawPutsEachCodesPicturesIntoBothFrames) {
  // code, image in frame 0, image in frame 1
  const int cases[][3] = {{6, 5, 5},       {8, 7, 7},       {11, 10, 10},   {13, 12, 159},
                          {14, 13, 160},   {16, 15, 17},    {19, 18, 19},   {25, 24, 25},
                          {27, 26, 27},    {61, 60, 61},    {100, 99, 108}, {115, 114, 123},
                          {133, 132, 133}, {157, 156, 157}, {29, 28, 28}};
  const int n = static_cast<int>(std::size(cases));
  for (bool large : {false, true}) {
    use(large);
    game.state[gs::Floor] = 9;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(9, c, cases[c % n][0]);
    game.state.extra[extra::NearStairs] = 2;
    game.drawFloor();
    EXPECT_EQ(game.state.extra[extra::NearStairs], 0);
    for (int c = 0; c < kCells; ++c) {
      SCOPED_TRACE(testing::Message() << "large " << large << ", cell " << c);
      ASSERT_TRUE(samePicture(frameCell(0, c), cellPicture(t, cases[c % n][1])));
      ASSERT_TRUE(samePicture(frameCell(1, c), cellPicture(t, cases[c % n][2])));
    }
  }
  game.state[gs::PrincessStill] = 1;  // after her scene the princess stops moving
  game.drawFloor();
  EXPECT_TRUE(samePicture(frameCell(1, 8), cellPicture(t, 26)));
  EXPECT_TRUE(samePicture(frameCell(1, 9), cellPicture(t, 61)));  // other codes still move
}

TEST_F(BoardTest, TicksShowStepPosesThenTheStandingPoseForEveryFacing) {
  // facing, step pose A, step pose B, standing pose
  const int cases[][4] = {
      {1, 184, 186, 188}, {2, 192, 194, 196}, {3, 200, 202, 204}, {4, 208, 210, 212}};
  for (bool large : {false, true}) {
    for (const auto& [facing, a, b, standing] : cases) {
      SCOPED_TRACE(testing::Message() << "large " << large << ", facing " << facing);
      use(large);
      const int cell = cellIndex(3, 7);
      plainFloor(1, cell, facing, 8);
      game.scene.animationFrame = 1;
      game.drawHeroAfterMove();
      EXPECT_TRUE(samePicture(frameCell(1, cell), cellPicture(t, 5, a)));
      EXPECT_TRUE(samePicture(frameCell(0, cell), cellPicture(t, 5, b)));
      // A tick shows its frame as it was, then leaves the standing pose in it.
      const int expected[] = {a, b, standing, standing};
      for (int pose : expected) {
        tick();
        EXPECT_TRUE(samePicture(shownCell(cell), cellPicture(t, 5, pose))) << "pose " << pose;
        EXPECT_TRUE(samePicture(shownCell(cell + 1), cellPicture(t, 7)));
      }
    }
  }
}

// Both frames keep animating while the board is held, but no hero is pasted; a facing
// outside 1..4 draws no hero at all.
TEST_F(BoardTest, NoHeroWhileTheBoardIsHeldOrTheFacingIsInvalid) {
  const int cell = cellIndex(5, 5);
  for (const auto& [hold, facing] : {std::pair{1, 1}, {0, 0}, {0, 5}, {1, -1}}) {
    SCOPED_TRACE(testing::Message() << "hold " << hold << ", facing " << facing);
    plainFloor(1, cell, facing);
    game.floors.setCell(1, 0, tile::Merchant);
    game.drawFloor();
    if (hold == 0) game.drawHeroAfterMove();
    game.state[gs::BoardHold] = hold;
    game.scene.animationFrame = 1;
    for (int f : {1, 0, 1}) {
      tick();
      EXPECT_TRUE(samePicture(shownCell(0), cellPicture(t, 18 + f)));
      EXPECT_TRUE(samePicture(frameCell(f, cell), cellPicture(t, 5)));
    }
    game.state[gs::BoardHold] = 0;
  }
}

// Once the octopus (floor 15) or the dragon (floor 35) is beaten and the hero stands
// on its body cell, the tick paints the eight cells around and above him as plain
// floor, once into each frame.
TEST_F(BoardTest, LargeMonsterOutlineIsClearedOncePerFrame) {
  struct Case {
    int floor, cell, counter;
    TileCode under;
    bool paints;
  };
  const Case cases[] = {{15, 60, gs::OctopusShown15, tile::Floor, true},
                        {35, 71, gs::OctopusShown35, tile::Floor, true},
                        {15, 60, gs::OctopusShown15, tile::Event, false},
                        {14, 60, gs::OctopusShown15, tile::Floor, false}};
  const std::pair<int, int> painted[] = {{-1, 0}, {1, 0},   {-1, -1}, {0, -1},
                                         {1, -1}, {-1, -2}, {0, -2},  {1, -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "floor " << c.floor << ", cell " << c.cell);
    game.state[gs::OctopusShown15] = game.state[gs::OctopusShown35] = 0;
    plainFloor(c.floor, c.cell, kFaceUp, 100);
    game.floors.setCell(c.floor, c.cell, c.under);
    game.drawFloor();
    game.scene.animationFrame = 1;
    auto paintedIn = [&](int f) {
      int plain = 0;
      for (const auto& [dx, dy] : painted)
        plain += samePicture(frameCell(f, c.cell + dx + 11 * dy), cellPicture(t, 5)) ? 1 : 0;
      EXPECT_TRUE(samePicture(frameCell(f, c.cell - 2), cellPicture(t, f ? 108 : 99)));
      return plain;
    };
    tick();
    EXPECT_EQ(paintedIn(1), c.paints ? 8 : 0);
    EXPECT_EQ(paintedIn(0), 0);
    EXPECT_EQ(game.state[c.counter], c.paints ? 1 : 0);
    tick();
    EXPECT_EQ(paintedIn(0), c.paints ? 8 : 0);
    EXPECT_EQ(game.state[c.counter], c.paints ? 2 : 0);
    game.drawFloor();  // with the counter at 2 nothing is painted any more
    tick();
    tick();
    EXPECT_EQ(paintedIn(0) + paintedIn(1), 0);
    EXPECT_EQ(game.state[c.counter], c.paints ? 2 : 0);
  }
}

// A game played by the rules alone, given a view afterwards, shows what a game drawn
// all along shows: every cell but the hero's (whose pose follows the idle animation),
// the key panel, the item icons and the foe's panel where the fight left it.
TEST(LateView, AttachingAViewDrawsTheGameAsItStands) {
  constexpr int kUpKey = 38, kRightKey = 39, t = 32;
  Game drawn, late;
  GameDrawing drawnView(viewedGame(drawn)), lateView(viewedGame(late));
  drawnView.setLayout(makeLayout(false), solidPictures(t));
  drawn.attachView(&drawnView);
  for (Game* game : {&drawn, &late}) {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game->startUp(options);
    game->state[gs::Floor] = 3;
    for (int c = 0; c < kCells; ++c) game->floors.setCell(3, c, tile::Floor);
    game->floors.setCell(3, cellIndex(6, 5), 29);  // a yellow key
    game->floors.setCell(3, cellIndex(6, 4), 61);  // a Green Slime
    game->state[gs::HeroX] = 5, game->state[gs::HeroY] = 5;
    game->state[gs::Offense] = 100;
    game->drawFloor();
    for (const int key : {kRightKey, kUpKey}) {
      game->keyDown(key);
      while (game->timers.enabled(TimerId::Steps))
        game->advance(game->timers.interval(TimerId::Steps));
    }
  }
  ASSERT_FALSE(late.drawing());
  lateView.setLayout(makeLayout(false), solidPictures(t));
  late.attachView(&lateView);
  ASSERT_EQ(late.state.v, drawn.state.v);
  ASSERT_EQ(late.state[gs::YellowKeys], 1);
  for (int f = 0; f < 2; ++f)
    for (int c = 0; c < kCells; ++c) {
      if (c == late.state.heroCell()) continue;
      ASSERT_TRUE(samePicture(cellOf(lateView.board.frames[f], c, t),
                              cellOf(drawnView.board.frames[f], c, t)))
          << "frame " << f << " cell " << c;
    }
  EXPECT_TRUE(lateView.panels.keyPanel == drawnView.panels.keyPanel);
  EXPECT_TRUE(lateView.panels.itemIcons == drawnView.panels.itemIcons);
  EXPECT_EQ(lateView.panels.monsterName, "Green Slime");
  EXPECT_EQ(lateView.panels.monsterStats, drawnView.panels.monsterStats);
}

// A copy of a drawn game (a search branching from the window's game) plays without the
// window's view: its moves leave the window's board alone, and a view of its own, given
// later, draws it as it stands.
TEST_F(BoardTest, ACopyOfADrawnGameHasNoView) {
  plainFloor(3, cellIndex(5, 5), kFaceDown);
  const std::uint64_t generation = view.board.generation;
  Game copy = game;
  EXPECT_FALSE(copy.drawing());
  copy.keyDown(39);
  while (copy.timers.enabled(TimerId::Steps)) copy.advance(copy.timers.interval(TimerId::Steps));
  ASSERT_EQ(copy.state.heroCell(), cellIndex(6, 5));
  EXPECT_EQ(view.board.generation, generation);
  GameDrawing copyView(viewedGame(copy));
  copyView.setLayout(makeLayout(false), solidPictures(t));
  copy.attachView(&copyView);  // where the hero stood is plain floor again
  EXPECT_TRUE(samePicture(cellOf(copyView.board.frames[0], cellIndex(5, 5), t),
                          frameCell(0, cellIndex(4, 5))));
}

}  // namespace
}  // namespace kelvorn
