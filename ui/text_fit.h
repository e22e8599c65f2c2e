// Fitting a text to its place: the preferred size on one line, then wrapped where the
// place is tall enough, then the same at each smaller size in turn. Every text the
// window writes into a fixed place goes through here, so none spills or is cut.
#pragma once

#include <imgui.h>

#include <string>
#include <string_view>
#include <vector>

#include "ui/fonts.h"

namespace kelvorn::ui {

struct FittedText {
  ImFont* font = nullptr;
  int points = 0;
  std::vector<std::string> lines;
  float width = 0;   // of the widest line
  float height = 0;  // of all lines
  bool fits = false;
};

// The lines of `text` at `font` no wider than `width` where words allow; a line feed
// always starts a new line.
std::vector<std::string> wrapLines(ImFont* font, std::string_view text, float width);

// The largest size from `points` down that fits `text` into `size`, on one line or,
// when `wrap`, on as many lines as the height holds. When nothing fits, the smallest
// size with `fits` false.
FittedText fitText(const FontSet& fonts, std::string_view text, ImVec2 size, int points, bool bold,
                   bool wrap);

enum class Align { Left, Centre, Right };

// Draws fitted text in the box at `min`, aligned across and centred down, clipped to
// the box.
void drawText(ImDrawList* list, const FittedText& text, ImVec2 min, ImVec2 size, Align align,
              ImU32 colour);

// The forecast's rows: a name, a line of values and the expected damage, all at one
// size. A row takes two lines (name and damage side by side, then the values) or,
// where that is too wide, three.
struct ForecastTexts {
  std::string name, stats, damage;
};
struct ForecastFit {
  int points = 0;
  bool threeLines = false;
  bool fits = false;
};
ForecastFit fitForecast(const FontSet& fonts, const std::vector<ForecastTexts>& rows,
                        ImVec2 rowSize, int points);
inline constexpr float kForecastGap = 8;  // between a name and its damage

}  // namespace kelvorn::ui
