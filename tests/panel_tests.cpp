// The side panels and texts around the board: floor label, message bar, key panel,
// sword and shield, item icons, the monster panel, and where both layouts put things.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "rules/game.h"
#include "view/game_drawing.h"
#include "tests/rules_fixture.h"

namespace kelvorn {
namespace {

Pixel colourOf(int image) { return 0x800000 | (image * 0x101 + 1); }
Pixel keyColour(int icon) { return 0x00C000 + icon; }

// Solid tile images; every mask black (opaque) on its left half, white on the right.
PictureSet panelPictures(int t) {
  Bitmap tiles(11 * t, 20 * t), masks(11 * t, 15 * t, kWhite), keys(t, t);
  for (int i = 0; i < kTileImages; ++i) fillRect(tiles, i % 11 * t, i / 11 * t, t, t, colourOf(i));
  for (int i = 0; i < kMaskImages; ++i) fillRect(masks, i % 11 * t, i / 11 * t, t / 2, t, kBlack);
  for (int i = 0; i < 4; ++i)
    fillRect(keys, i % 2 * t / 2, i / 2 * t / 2, t / 2, t / 2, keyColour(i));
  return cutSheets(tiles, masks, keys, t);
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override { use(false); }
  void use(bool large) {
    t = makeLayout(large).tileSize;
    view.setLayout(makeLayout(large), panelPictures(t));
    game.attachView(&view);
  }
  // The empty slot with `picture` merged over it through its mask (-1: the empty slot).
  Bitmap icon(int picture) const {
    Bitmap b(t, t, colourOf(image::EmptySlot));
    if (picture >= 0) fillRect(b, 0, 0, t / 2, t, colourOf(picture));
    return b;
  }
  Game game;
  GameDrawing view{viewedGame(game)};
  int t = 32;
};

// Floors below 10 get two blanks so that one- and two-digit numbers end together; the
// bar shows entry code + 127, or the composed text for code 1.
TEST_F(PanelTest, FloorLabelAndMessageBar) {
  const std::pair<int, std::string> labels[] = {
      {0, "Tower  0 F"}, {9, "Tower  9 F"}, {10, "Tower 10 F"}, {50, "Tower 50 F"}};
  for (const auto& [floor, label] : labels) {
    game.state[gs::Floor] = floor;
    EXPECT_EQ(game.floorLabel(), label);
  }
  const std::tuple<int, std::string, std::string> bars[] = {
      {0, "Got 3 gold", ""},
      {1, "Got 3 gold", "Got 3 gold"},
      {1, "", ""},
      {19, "", "You see stairs."},
      {140, "", "Your vital power decreased 4400 points by Magician B's magic attack!"}};
  for (const auto& [code, composed, text] : bars) {
    game.bar.code = code;
    game.bar.composed = composed;
    EXPECT_EQ(game.messageBar(), text) << code;
  }
}

TEST_F(PanelTest, KeyPanelFillsRedThenBlueThenYellowThenEmpty) {
  const std::array<int, 3> cases[] = {{2, 3, 1}, {0, 0, 5}, {25, 4, 4}, {0, 30, 0}, {1, 0, 0}};
  for (bool large : {false, true}) {
    use(large);
    for (const auto& [red, blue, yellow] : cases) {
      game.state[gs::RedKeys] = red;
      game.state[gs::BlueKeys] = blue;
      game.state[gs::YellowKeys] = yellow;
      game.drawKeyPanel();
      ASSERT_TRUE(view.panels.keyPanelVisible);
      ASSERT_EQ(view.panels.keyPanel.width, 3 * t);
      ASSERT_EQ(view.panels.keyPanel.height, 2 * t);
      const int half = t / 2;
      for (int i = 0; i < 24; ++i) {  // six to a row
        const int icon = i < red                   ? keyicon::Red
                         : i < red + blue          ? keyicon::Blue
                         : i < red + blue + yellow ? keyicon::Yellow
                                                   : keyicon::Empty;
        const int x = i % 6 * half, y = i / 6 * half;
        EXPECT_EQ(view.panels.keyPanel.at(x, y), keyColour(icon)) << red << ", slot " << i;
        EXPECT_EQ(view.panels.keyPanel.at(x + half - 1, y + half - 1), keyColour(icon));
      }
      EXPECT_EQ(game.state[gs::RedKeys], red);  // drawing never changes the counts
    }
  }
  game.state[gs::RedKeys] = game.state[gs::BlueKeys] = game.state[gs::YellowKeys] = 0;
  game.drawKeyPanel();
  EXPECT_FALSE(view.panels.keyPanelVisible);
}

TEST_F(PanelTest, SwordAndShieldNamesHintsAndPicturesByLevel) {
  const std::array<std::string, 3> names[] = {{"      ", "", ""},
                                              {"Iron", "Iron Sword", "Iron Shield"},
                                              {"Silver", "Silver Sword", "Silver Shield"},
                                              {"Knight", "Knight Sword", "Knight Shield"},
                                              {"Holy", "Holy Sword", "Holy Shield"},
                                              {"Sacred", "Sacred Sword", "Sacred Shield"}};
  for (bool large : {false, true}) {
    use(large);
    for (int sword = 0; sword <= 5; ++sword) {
      const int shield = 5 - sword;
      game.state[gs::SwordLevel] = sword;
      game.state[gs::ShieldLevel] = shield;
      game.drawItemPanel();
      EXPECT_EQ(view.panels.swordName, names[sword][0]);
      EXPECT_EQ(view.panels.swordHint, names[sword][1]);
      EXPECT_EQ(view.panels.shieldName, names[shield][0]);
      EXPECT_EQ(view.panels.shieldHint, names[shield][2]);
      EXPECT_TRUE(view.panels.swordIcon == icon(sword ? 49 + sword : -1)) << sword;
      EXPECT_TRUE(view.panels.shieldIcon == icon(shield ? 54 + shield : -1)) << shield;
    }
  }
}

TEST_F(PanelTest, ItemIconsShowOwnedSlotsOverTheEmptySlot) {
  const int values[kItemSlots] = {1, 0, 2, 0, 1, 0, 0, 3, 0, 0, 1, 0, 0, 0, 1};
  for (int s = 0; s < kItemSlots; ++s) game.state.itemSlot(s) = values[s];
  game.drawItemPanel();
  for (int s = 0; s < kItemSlots; ++s)
    EXPECT_TRUE(view.panels.itemIcons[s] == icon(values[s] ? 35 + s : -1)) << s;
}

TEST_F(PanelTest, MonsterPanelShowsLabelsOrTheMonsterAtTheGamesLevel) {
  using Stats = std::array<std::string, 3>;
  const auto expectLabels = [&] {
    EXPECT_EQ(view.panels.monsterName, "The Name");
    EXPECT_EQ(view.panels.monsterStats, (Stats{"Life", "Offense", "Defense"}));
    EXPECT_FALSE(view.panels.monsterStatsRightAligned);
    EXPECT_FALSE(view.panels.monsterPictureVisible);
  };
  game.drawMonsterPanel();
  expectLabels();
  // A Green Slime (35, 18, 1) in a first game and in the game after a win (x 44).
  const std::pair<int, Stats> cases[] = {{0, {"35", "18", "1"}}, {43, {"1540", "792", "44"}}};
  for (const auto& [boost, stats] : cases) {
    game.state[gs::LevelBoost] = boost;
    game.scene.monsterKind = 0;
    game.drawMonsterPanel();
    EXPECT_EQ(view.panels.monsterName, "Green Slime");
    EXPECT_EQ(view.panels.monsterStats, stats);
    EXPECT_TRUE(view.panels.monsterStatsRightAligned);
    EXPECT_TRUE(view.panels.monsterPictureVisible);
    EXPECT_TRUE(view.panels.monsterPicture == icon(60));  // its portrait
  }
  game.scene.monsterKind = -1;
  game.drawMonsterPanel();
  expectLabels();
}

// ---- Layouts ----------------------------------------------------------------------

// The fixed numbers of both sets; every large one is the small one times 5/4, halves
// rounded up (78 -> 98, 230 -> 288), except the altar buttons' left edge.
TEST(Layouts, FixedNumbersOfBothSets) {
  const Layout small = makeLayout(false), large = makeLayout(true);
  const std::tuple<const char*, Rect Layout::*, Rect, Rect> rects[] = {
      {"board", &Layout::board, {144, 24, 352, 352}, {180, 30, 440, 440}},
      {"centre panel", &Layout::centrePanel, {125, 0, 390, 400}, {156, 0, 488, 500}},
      {"message window", &Layout::messageWindow, {129, 45, 382, 200}, {161, 56, 478, 250}},
      {"OK", &Layout::okButton, {420, 204, 75, 25}, {525, 255, 94, 31}},
      {"second OK", &Layout::secondOkButton, {400, 362, 64, 20}, {500, 453, 80, 25}}};
  for (const auto& [name, member, inSmall, inLarge] : rects) {
    EXPECT_EQ(small.*member, inSmall) << name;
    EXPECT_EQ(large.*member, inLarge) << name;
  }
  struct Number {
    const char* name;
    int small;
    int (*get)(const Layout&);
  };
  const Number numbers[] = {
      {"tile", 32, [](const Layout& l) { return l.tileSize; }},
      {"client width", 640, [](const Layout& l) { return l.clientWidth; }},
      {"client height", 424, [](const Layout& l) { return l.clientHeight; }},
      {"stat top", 78, [](const Layout& l) { return l.stats[0].y; }},
      {"stat width", 76, [](const Layout& l) { return l.stats[0].w; }},
      {"stat height", 20, [](const Layout& l) { return l.stats[0].h; }},
      {"item grid top", 192, [](const Layout& l) { return l.itemIcons[0].y; }},
      {"floor label width", 103, [](const Layout& l) { return l.floorLabel.w; }},
      {"sword icon left", 80, [](const Layout& l) { return l.swordIcon.x - l.rightPanel.x; }},
      {"sword icon top", 48, [](const Layout& l) { return l.swordIcon.y; }},
      {"sword name left", 9, [](const Layout& l) { return l.swordName.x - l.rightPanel.x; }},
      {"shield name top", 112, [](const Layout& l) { return l.shieldName.y; }},
      {"key panel top", 144, [](const Layout& l) { return l.keyPanel.y; }},
      {"monster picture top", 230, [](const Layout& l) { return l.monsterPicture.y; }},
      {"monster name top", 268, [](const Layout& l) { return l.monsterName.y; }},
      {"altar button", 224, [](const Layout& l) { return l.altarButtons[0].w; }},
      {"back panel width", 184, [](const Layout& l) { return l.backSidePanel.w; }}};
  for (const Number& n : numbers) {
    EXPECT_EQ(n.get(small), n.small) << n.name;
    EXPECT_EQ(n.get(large), static_cast<int>(std::floor(n.small * 1.25 + 0.5))) << n.name;
  }
  EXPECT_EQ(small.altarButtons[0].x, 208);
  EXPECT_EQ(large.altarButtons[0].x, 255);
}

TEST(Layouts, DerivedPlacesFollowTheSameRulesInBothSets) {
  for (bool large : {false, true}) {
    SCOPED_TRACE(large ? "large set" : "small set");
    const Layout l = makeLayout(large);
    const int t = l.tileSize, right = l.rightPanel.x;
    auto centredIn = [](int left, int width, const Rect& r) {  // to within half a pixel
      return std::abs(2 * (r.x - left) + r.w - width) <= 1;
    };
    EXPECT_EQ(l.messageBar, (Rect{0, l.centrePanel.h, l.clientWidth, large ? 30 : 24}));
    EXPECT_EQ(l.floorLabel.h, l.messageBar.h);
    EXPECT_TRUE(centredIn(0, l.centrePanel.x, l.floorLabel));
    for (int i = 0; i < 4; ++i)  // right-aligned under the floor label, one row apart
      EXPECT_EQ(l.stats[i], (Rect{l.floorLabel.right() - l.stats[0].w,
                                  l.stats[0].y + i * l.floorLabel.h, l.stats[0].w, l.stats[0].h}));
    for (int s = 0; s < kItemSlots; ++s)  // three columns, five rows, no gaps
      EXPECT_EQ(l.itemIcons[s],
                (Rect{l.itemIcons[0].x + s % 3 * t, l.itemIcons[0].y + s / 3 * t, t, t}))
          << s;
    EXPECT_TRUE(centredIn(0, l.centrePanel.x, Rect{l.itemIcons[0].x, 0, 3 * t, t}));
    EXPECT_TRUE(centredIn(right, l.rightPanel.w, l.keyPanel));
    EXPECT_EQ(l.keyPanel.w, 3 * t);
    for (int i = 0; i < 3; ++i) {  // each under the one above, up to the name's right edge
      EXPECT_EQ(l.monsterStats[i].y, (i ? l.monsterStats[i - 1] : l.monsterName).bottom()) << i;
      EXPECT_EQ(l.monsterStats[i].x - right, large ? 53 : 42) << i;
      EXPECT_EQ(l.monsterStats[i].right(), l.monsterName.right()) << i;
    }
  }
}

using fixture::kRight;
using fixture::RulesTest;

// The foe panel starts at the table's life times the level factor and loses one hero
// blow with each of his strikes, down to 0 at the killing blow (never below); a lost
// battle leaves it where the last blow put it.
TEST_F(RulesTest, FoePanelLifeFallsWithEachBlow) {
  struct Case {
    int code, boost, life, offense, defense, cross;
    std::vector<std::string> shown;  // before the first blow, then after each
  };
  const Case cases[] = {
      {79, 0, 1000, 30, 10, 0, {"55", "37", "19", "1", "0"}},     // Skeleton B, h 18
      {85, 0, 1000, 50, 100, 1, {"260", "165", "70", "0"}},       // Zombie, cross: h 95
      {61, 43, 100000, 800, 100, 0, {"1540", "784", "28", "0"}},  // Green Slime x 44
      {104, 0, 1000, 620, 200, 0, {"1200", "600", "0", "0"}},     // octopus: a flash too
      {79, 0, 100, 20, 0, 0, {"55", "47", "39"}},                 // lost: two rounds
  };
  GameDrawing view(viewedGame(game));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "code " << c.code << ", life " << c.life);
    restart();
    view.setLayout(makeLayout(false), PictureSet{});
    game.attachView(&view);  // the panel is drawn by the view
    game.state[gs::LevelBoost] = c.boost;
    game.state.itemSlot(3) = c.cross;
    hero(c.life, c.offense, c.defense);
    put(6, 5, c.code);
    game.keyDown(kRight);
    std::vector<std::string> shown = {view.panels.monsterStats[0]};
    while (game.stack.count() > 0 && game.stack.top().op != wsDeath) {
      const int op = game.stack.top().op;
      game.runStep();
      if (op == wsHeroStrike || op == wsHeroStrikeFlash)
        shown.push_back(view.panels.monsterStats[0]);
    }
    EXPECT_EQ(shown, c.shown);
  }
}

}  // namespace
}  // namespace kelvorn
