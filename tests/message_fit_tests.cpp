// Every speech fits the message window without scrolling: at the Big font, in both
// window sizes, measured with the glyphs and the wrapping the window draws with.
#include <gtest/gtest.h>
#include <imgui.h>

#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/game.h"
#include "engine/layout.h"
#include "engine/options.h"

namespace kelvorn {
namespace {

// How the window draws its text: DejaVu Sans at the font's points on a 96-dot inch,
// 8 pixels in from each side and 6 from the top, one line per font size.
constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float kSidePad = 8, kTopPad = 6;

struct Window {
  std::string name, text;
};

// Every window of story text, composed by the engine itself: dialogue n (entry n - 1,
// and the windows that join a second entry), the hint windows 62..91, and entry 92.
std::vector<Window> storyWindows() {
  Game game;
  std::vector<Window> windows;
  for (int n = 1; n <= 62; ++n) {
    game.controls.windowText.clear();
    game.dialogKind = 10 + n;
    game.openMessageWindow();
    windows.push_back({"dialogue " + std::to_string(n), game.controls.windowText});
  }
  for (int k = 0; k <= 29; ++k) {
    game.dialogKind = 0;
    game.hintNumber = k;
    game.openMessageWindow();
    windows.push_back({"entry " + std::to_string(62 + k), game.controls.windowText});
  }
  windows.push_back({"entry 92", std::string(game.messageText(92))});
  return windows;
}

TEST(MessageFit, EveryStoryWindowFitsAboveTheOkButtonAtTheBigFont) {
  ImFontAtlas atlas;
  const float pixels = static_cast<float>(fontPair(FontChoice::Big).large) * 96.0f / 72.0f;
  ImFont* font = atlas.AddFontFromFileTTF(kFontFile, pixels);
  ASSERT_NE(font, nullptr) << kFontFile;
  ASSERT_TRUE(atlas.Build());

  const std::vector<Window> windows = storyWindows();
  const Game game;
  for (int entry = 0; entry <= 92; ++entry) {
    const bool fairy = entry == 15 || entry == 21 || entry == 23 || entry == 39 || entry == 46;
    EXPECT_EQ(game.messageText(entry).empty(), fairy) << "entry " << entry;
  }
  for (const bool large : {false, true}) {
    const Layout layout = makeLayout(large);
    const Rect& box = layout.messageWindow;
    const float wrap = static_cast<float>(box.w) - 2 * kSidePad;
    const float room = static_cast<float>(layout.okButton.y - box.y) - kTopPad;
    for (const Window& w : windows) {
      const std::string where = w.name + (large ? " (large)" : " (small)");
      const ImVec2 size = font->CalcTextSizeA(font->FontSize, FLT_MAX, wrap, w.text.c_str());
      EXPECT_LE(size.y, room) << where << ": " << std::lround(size.y / font->FontSize) << " lines";
      // A word wider than the window would be cut in the middle.
      std::istringstream words(w.text);
      for (std::string word; words >> word;)
        EXPECT_LE(font->CalcTextSizeA(font->FontSize, FLT_MAX, 0, word.c_str()).x, wrap)
            << where << ": " << word;
    }
  }
}

}  // namespace
}  // namespace kelvorn
