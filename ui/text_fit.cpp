#include "ui/text_fit.h"

#include <algorithm>
#include <cmath>

namespace kelvorn::ui {

namespace {
float widthOf(ImFont* font, std::string_view s) {
  if (s.empty()) return 0;  // an empty view may have no characters to point at
  return font->CalcTextSizeA(font->FontSize, 1e9f, 0, s.data(), s.data() + s.size()).x;
}

// A little room for the rounding of glyph advances.
bool within(float used, float room) { return used <= room + 0.01f; }
}  // namespace

std::vector<std::string> wrapLines(ImFont* font, std::string_view text, float width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const char* p = text.data() + start;
    const char* stop = text.data() + end;
    if (p == stop) lines.emplace_back();
    while (p < stop) {
      const char* cut = font->CalcWordWrapPositionA(1.0f, p, stop, width);
      if (cut == p) ++cut;  // a line always takes at least one character
      std::string_view line(p, static_cast<std::size_t>(cut - p));
      while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
      lines.emplace_back(line);
      p = cut;
      while (p < stop && *p == ' ') ++p;
    }
    if (end >= text.size()) break;
    start = end + 1;
  }
  return lines;
}

FittedText fitText(const FontSet& fonts, std::string_view text, ImVec2 size, int points, bool bold,
                   bool wrap) {
  FittedText fit;
  for (int p = points; p > 0; p = FontSet::smaller(p)) {
    fit = FittedText{};
    fit.font = fonts.get(p, bold);
    fit.points = p;
    const float lineHeight = fit.font->FontSize;
    const bool oneLine = text.find('\n') == std::string_view::npos;
    for (const bool wrapped : {false, true}) {
      if (wrapped && !wrap) break;
      if (!wrapped && !oneLine) continue;
      fit.lines = wrapped ? wrapLines(fit.font, text, size.x) : std::vector{std::string(text)};
      fit.width = 0;
      for (const std::string& line : fit.lines)
        fit.width = std::max(fit.width, widthOf(fit.font, line));
      fit.height = lineHeight * static_cast<float>(fit.lines.size());
      fit.fits = within(fit.width, size.x) && within(fit.height, size.y);
      if (fit.fits) return fit;
    }
  }
  return fit;
}

void drawText(ImDrawList* list, const FittedText& text, ImVec2 min, ImVec2 size, Align align,
              ImU32 colour) {
  if (!text.font) return;
  list->PushClipRect(min, ImVec2(min.x + size.x, min.y + size.y), true);
  const float lineHeight = text.font->FontSize;
  float y = min.y + std::floor((size.y - text.height) / 2);
  for (const std::string& line : text.lines) {
    const float w = widthOf(text.font, line);
    float x = min.x;
    if (align == Align::Centre) x += std::floor((size.x - w) / 2);
    if (align == Align::Right) x += size.x - w;
    list->AddText(text.font, lineHeight, ImVec2(x, y), colour, line.c_str());
    y += lineHeight;
  }
  list->PopClipRect();
}

ForecastFit fitForecast(const FontSet& fonts, const std::vector<ForecastTexts>& rows,
                        ImVec2 rowSize, int points) {
  ForecastFit fit;
  for (int p = points; p > 0; p = FontSet::smaller(p)) {
    ImFont* regular = fonts.get(p, false);
    ImFont* bold = fonts.get(p, true);
    const float line = regular->FontSize;
    for (const bool three : {false, true}) {
      bool fits = within((three ? 3 : 2) * line, rowSize.y);
      for (const ForecastTexts& r : rows) {
        const float name = widthOf(bold, r.name), stats = widthOf(regular, r.stats),
                    damage = widthOf(regular, r.damage);
        const float first = three ? std::max(name, damage) : name + kForecastGap + damage;
        fits = fits && within(first, rowSize.x) && within(stats, rowSize.x);
      }
      fit = {p, three, fits};
      if (fits) return fit;
    }
  }
  return fit;
}

}  // namespace kelvorn::ui
