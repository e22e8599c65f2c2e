// Every text the window writes into a fixed place fits it, in both layouts at every
// Font item, with the largest values the game can produce; and the controls drawn over
// the pictures stay inside their panels. Measured with the window's own fonts and
// places, without opening a window.
#include <gtest/gtest.h>
#include <imgui.h>

#include <climits>
#include <string>
#include <vector>

#include "rules/game.h"
#include "ui/places.h"
#include "ui/text_fit.h"
#include "ui/theme.h"

namespace kelvorn::ui {
namespace {

class TextFitTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ImGui::CreateContext();
    fonts_ = new FontSet;
    ASSERT_TRUE(fonts_->load()) << "the game's typeface is installed by tools/setup.sh";
    ImGui::GetIO().Fonts->Build();
  }
  static void TearDownTestSuite() {
    delete fonts_;
    ImGui::DestroyContext();
  }
  std::string text(int entry) const { return game_.messages.entry(entry); }

  // Fails with the place and the text when the text does not fit.
  void expectFits(const std::string& place, const Rect& r, const std::string& s, int points,
                  bool bold, bool wrap = false) {
    const FittedText fit = fitText(*fonts_, s, ImVec2(float(r.w), float(r.h)), points, bold, wrap);
    EXPECT_TRUE(fit.fits) << place << " (" << r.w << " x " << r.h << ") at " << points
                          << " points: \"" << s << "\"";
  }

  static FontSet* fonts_;
  Game game_;
};
FontSet* TextFitTest::fonts_ = nullptr;

const std::string kBig = std::to_string(INT32_MAX), kLow = std::to_string(INT32_MIN);

// The label room of a button at a place.
Rect label(const Rect& button) {
  const ImVec2 room = labelRoom(ImVec2(float(button.w), float(button.h)));
  return {0, 0, int(room.x), int(room.y)};
}

TEST_F(TextFitTest, PreferredSizeThenWrappedThenEachSmallerSize) {
  const std::string words = "The offensive power is raised 440 points.";
  struct Case {
    ImVec2 room;
    int points;
    std::size_t lines;
    bool fits;
  } cases[] = {
      {{400, 20}, 12, 1, true},  // room enough on one line
      {{200, 40}, 12, 2, true},  // too wide for one line, tall enough for two
      {{200, 16}, 8, 1, true},   // neither: smaller until one line fits
      {{40, 8}, 7, 0, false},    // nothing fits: the smallest size, marked so
  };
  for (const Case& c : cases) {
    const FittedText fit = fitText(*fonts_, words, c.room, 12, false, true);
    EXPECT_EQ(fit.fits, c.fits) << c.room.x << " x " << c.room.y;
    EXPECT_EQ(fit.points, c.points) << c.room.x << " x " << c.room.y;
    if (c.fits) {
      EXPECT_EQ(fit.lines.size(), c.lines) << c.room.x << " x " << c.room.y;
    }
  }
}

TEST_F(TextFitTest, EveryPlaceHoldsTheLargestValuesAtEveryFont) {
  // The message bar: every entry it can show, and the composed messages with the
  // largest numbers and the longest monster name.
  std::vector<std::string> bar;
  for (int e = 128; e <= 267; ++e) bar.push_back(text(e));
  for (int e = 152; e <= 165; ++e) bar.push_back(text(e) + " " + kBig + text(166));
  for (int e = 181; e <= 183; ++e) bar.push_back(text(e) + " " + kBig + text(166));
  bar.push_back(text(186) + " " + kBig + text(166));
  bar.push_back(text(188) + text(200) + " " + kBig + text(201));
  for (int m = 94; m <= 126; ++m)
    for (const int beat : {199, 240})
      bar.push_back(text(beat) + " " + text(m) + ". " + text(200) + " " + kBig + text(201));

  // The dialogue box: the fairy's longest judgement, every speech and offer, the altar.
  std::vector<std::string> dialogue;
  dialogue.push_back(text(244) + " 10 " + text(245) + text(220) + " " + kBig + " " + text(221) +
                     text(227) + text(228) + text(232) + text(234) + text(235));
  for (int e = 0; e <= 92; ++e) dialogue.push_back(text(e));
  for (int e = 246; e <= 264; ++e) dialogue.push_back(text(e));
  dialogue.push_back(text(202) + " " + kBig + " " + text(203));

  const std::vector<std::string> altar = {text(205) + " 99999999 " + text(206),
                                          text(207) + " 9999 " + text(208),
                                          text(209) + " 9999 " + text(208), text(210)};
  const std::vector<ForecastTexts> forecast = {
      {text(94 + 15), text(214) + " 352000 " + text(215) + " 220000 " + text(216) + " 44000",
       text(184) + " 99999999999"},
      {text(94 + 26), text(214) + " 198000 " + text(215) + " 24640 " + text(216) + " 13640",
       text(185)}};

  for (const bool large : {false, true}) {
    const Layout l = makeLayout(large);
    for (const FontChoice choice :
         {FontChoice::Tiny, FontChoice::Small, FontChoice::Normal, FontChoice::Big}) {
      const auto [small, big] = fontPair(choice);
      SCOPED_TRACE(std::string(large ? "large" : "small") + " layout, font " +
                   std::to_string(small) + "/" + std::to_string(big));
      for (const std::string& s : bar)
        expectFits("message bar", messageBarText(l), s, big, false, true);
      expectFits("floor label", textRoom(l, l.floorLabel),
                 text(msg::Tower) + " 50" + text(msg::FloorSuffix), big, true);
      for (const std::string& s : {kBig, kLow})
        expectFits("status field", textRoom(l, l.stats[0]), s, small, true);
      for (const char* name : {"Silver", "Knight", "Sacred"})
        expectFits("sword name", textRoom(l, l.swordName), name, small, false);
      for (int m = 93; m <= 126; ++m)
        expectFits("foe's name", textRoom(l, l.monsterName), text(m), small, false, true);
      for (const std::string& s : {kBig, text(216)})
        expectFits("foe's value", textRoom(l, l.monsterStats[0]), s, small, false);
      for (const std::string& s : dialogue)
        expectFits("dialogue box", dialogueText(l, false), s, big, false, true);
      expectFits("altar question", dialogueText(l, true), text(204), big, false, true);
      for (const std::string& s : altar)
        expectFits("altar choice", label(l.altarButtons[0]), s, big, false, true);
      const ForecastPlaces f = forecastPlaces(l);
      expectFits("forecast heading", f.heading, text(180), big, false, true);
      const Rect& row = f.rows[0];
      EXPECT_TRUE(fitForecast(*fonts_, forecast, ImVec2(float(row.w), float(row.h)), small).fits)
          << "forecast row " << row.w << " x " << row.h;

      const RankingFonts sizes = rankingFonts(OptionBytes{small, big});
      const RankingPlaces r = rankingPlaces(l, sizes.list, sizes.title);
      expectFits("ranking title", r.title, "RANKING of Top 10", sizes.title, true);
      static constexpr const char* kHeadings[] = {"Rank", "Points",  "Name",
                                                  "Life", "Offense", "Defense"};
      for (int c = 0; c < 6; ++c) {
        expectFits("ranking heading", rankingCell(r, 0, c), kHeadings[c], sizes.list, true);
        const std::string value = c == 2 ? std::string(18, 'W') : c == 0 ? "10" : kLow;
        expectFits("ranking cell", rankingCell(r, 10, c), value, sizes.list, false);
      }
      EXPECT_GE(r.window.y, 0);
      EXPECT_LE(r.window.bottom(), l.clientHeight) << "the ranking window fits the window";
    }
    // Button labels keep the theme's size whatever the Font item.
    expectFits("Don't use", label(confirmPlaces(l, 4)[0]), "Don't use", 10, true);
    expectFits("DOWN", label(flightPlaces(l).down), "DOWN", 10, true);
    expectFits("hint 24", label(hintGridPlaces(l).buttons[23]), "24", 9, true);
  }
}

bool inside(const Rect& inner, const Rect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
         inner.bottom() <= outer.bottom();
}

// The controls drawn over the pictures stay within their panels, inside the frames,
// and above the side panels' gold divider.
TEST(ControlPlaces, StayInsideTheirPanels) {
  for (const bool large : {false, true}) {
    SCOPED_TRACE(large ? "large" : "small");
    const Layout l = makeLayout(large);
    auto s = [&](int n) { return large ? scaleUp(n) : n; };
    const int divider = s(372), frame = s(6);
    const Rect rightInner{l.rightPanel.x + frame, 0, l.rightPanel.w - 2 * frame, divider};
    for (const Rect& a : l.arrows) {
      EXPECT_TRUE(inside(a, rightInner)) << a.x << "," << a.y;
      EXPECT_GE(a.y, l.monsterStats[2].bottom());
    }
    const Rect leftInner{l.leftPanel.x + frame, 0, l.leftPanel.w - 2 * frame, divider};
    for (int slot = 0; slot < 15; ++slot)
      for (const Rect& b : confirmPlaces(l, slot))
        EXPECT_TRUE(inside(b, leftInner)) << "slot " << slot;
    const HintGridPlaces hints = hintGridPlaces(l);
    EXPECT_TRUE(inside(hints.plate, l.board));
    for (const Rect& b : hints.buttons) EXPECT_TRUE(inside(b, hints.plate));
    EXPECT_TRUE(inside(hints.ok, hints.plate));
    EXPECT_LE(hints.heading.bottom(), hints.buttons[0].y) << "the grid has a heading above it";
    const FlightPlaces flight = flightPlaces(l);
    EXPECT_TRUE(inside(flight.plate, l.board));
    for (const Rect& b : {flight.up, flight.down, flight.ok}) EXPECT_TRUE(inside(b, flight.plate));
    const ForecastPlaces forecast = forecastPlaces(l);
    EXPECT_TRUE(inside(forecast.panel, l.centrePanel));
    EXPECT_TRUE(inside(forecast.ok, l.board));
  }
}

// The ranking window takes the Font item's pair; with none checked, 10 and 12 points.
TEST(RankingFontsTest, FollowTheFontItem) {
  const std::pair<OptionBytes, RankingFonts> cases[] = {{{8, 10}, {8, 10}},
                                                        {{9, 11}, {9, 11}},
                                                        {{10, 12}, {10, 12}},
                                                        {{12, 14}, {12, 14}},
                                                        {{10, 14}, {10, 12}}};
  for (const auto& [bytes, expected] : cases) {
    const RankingFonts got = rankingFonts(bytes);
    EXPECT_EQ(got.list, expected.list) << int(bytes[0]) << "/" << int(bytes[1]);
    EXPECT_EQ(got.title, expected.title) << int(bytes[0]) << "/" << int(bytes[1]);
  }
}

// Every story window the engine composes (dialogue n shows entry n - 1, some join a
// second entry; the hint windows; entry 92) fits the message window at the Big font in
// both layouts without being made smaller; and only the fairy's composed windows are
// left without words in the table.
TEST_F(TextFitTest, EveryStoryWindowFitsAtTheBigFontUnshrunk) {
  std::vector<std::pair<std::string, std::string>> windows;
  Game game;
  for (int n = 1; n <= 62; ++n) {
    game.controls.windowText.clear();
    game.dialogs.dialogKind = 10 + n;
    game.openMessageWindow();
    windows.emplace_back("dialogue " + std::to_string(n), game.controls.windowText);
  }
  for (int k = 0; k <= 29; ++k) {
    game.dialogs.dialogKind = 0;
    game.dialogs.hintNumber = k;
    game.openMessageWindow();
    windows.emplace_back("entry " + std::to_string(62 + k), game.controls.windowText);
  }
  windows.emplace_back("entry 92", text(92));
  for (int entry = 0; entry <= 92; ++entry) {
    const bool fairy = entry == 15 || entry == 21 || entry == 23 || entry == 39 || entry == 46;
    EXPECT_EQ(text(entry).empty(), fairy) << "entry " << entry;
  }
  const int big = fontPair(FontChoice::Big).large;
  for (const bool large : {false, true}) {
    const Rect room = dialogueText(makeLayout(large), false);
    for (const auto& [name, words] : windows) {
      const FittedText fit =
          fitText(*fonts_, words, ImVec2(float(room.w), float(room.h)), big, false, true);
      EXPECT_TRUE(fit.fits && fit.points == big)
          << name << (large ? " (large)" : " (small)") << ": " << fit.lines.size() << " lines at "
          << fit.points << " points";
    }
  }
}

}  // namespace
}  // namespace kelvorn::ui
