#include "ui/places.h"

#include <algorithm>

namespace kelvorn::ui {

namespace {
int s(const Layout& l, int n) { return l.large ? scaleUp(n) : n; }

Rect shrink(const Rect& r, int dx, int dy) {
  return {r.x + dx, r.y + dy, r.w - 2 * dx, r.h - 2 * dy};
}

// The y of the gold divider near the bottom of the side panels.
int panelDivider(const Layout& l) { return s(l, 372); }
}  // namespace

Rect textRoom(const Layout& l, const Rect& plate) { return shrink(plate, s(l, 4), 0); }

Rect messageBarText(const Layout& l) { return shrink(l.messageBar, s(l, 6), 0); }

Rect dialogueText(const Layout& l, bool altarChoices) {
  const Rect& w = l.messageWindow;
  const int left = w.x + s(l, 10), top = w.y + s(l, 6);
  const int bottom = altarChoices ? l.altarButtons[0].y - s(l, 2) : l.okButton.y - s(l, 4);
  return {left, top, w.right() - s(l, 10) - left, bottom - top};
}

ForecastPlaces forecastPlaces(const Layout& l) {
  ForecastPlaces p;
  const Rect& b = l.board;
  p.panel = {b.x - s(l, 10), b.y - s(l, 10), b.w + s(l, 20), b.h + s(l, 20)};
  p.headingBox = {b.x + s(l, 4), b.y + s(l, 4), b.w - s(l, 8), s(l, 44)};
  p.heading = shrink(p.headingBox, s(l, 8), s(l, 2));
  const int t = l.tileSize;
  const int top = p.headingBox.bottom() + s(l, 6);
  const int okTop = b.bottom() - s(l, 4) - s(l, 22);
  const int rowHeight = (okTop - s(l, 4) - top) / 7;
  for (int i = 0; i < 7; ++i) {
    const int y = top + i * rowHeight;
    p.portraits[i] = {b.x + s(l, 8), y + (rowHeight - t) / 2, t, t};
    const int left = p.portraits[i].right() + s(l, 8);
    p.rows[i] = {left, y, b.right() - s(l, 8) - left, rowHeight};
  }
  p.ok = {b.x + (b.w - s(l, 80)) / 2, okTop, s(l, 80), s(l, 22)};
  return p;
}

FlightPlaces flightPlaces(const Layout& l) {
  const int w = s(l, 64), h = l.tileSize * 3 / 4, gap = s(l, 8), pad = s(l, 8);
  const int heading = s(l, 18);
  const int plateW = 3 * w + 2 * gap + 2 * pad, plateH = pad + heading + h + pad;
  FlightPlaces p;
  p.plate = {l.board.x + (l.board.w - plateW) / 2, l.board.bottom() - s(l, 8) - plateH, plateW,
             plateH};
  p.heading = {p.plate.x + pad, p.plate.y + pad / 2, plateW - 2 * pad, heading};
  const int y = p.heading.bottom() + pad / 2;
  p.up = {p.plate.x + pad, y, w, h};
  p.down = {p.up.right() + gap, y, w, h};
  p.ok = {p.down.right() + gap, y, w, h};
  return p;
}

HintGridPlaces hintGridPlaces(const Layout& l) {
  const int step = s(l, 20), side = step - 2, pad = s(l, 8), heading = s(l, 18);
  const int okW = s(l, 64), okH = s(l, 25);
  const int plateW = pad + 6 * step - 2 + pad + okW + pad;
  const int plateH = pad / 2 + heading + 4 * step - 2 + pad;
  HintGridPlaces p;
  p.plate = {l.board.x + (l.board.w - plateW) / 2, l.messageWindow.bottom() + s(l, 6), plateW,
             plateH};
  p.heading = {p.plate.x + pad, p.plate.y + pad / 2, plateW - 2 * pad, heading};
  const int x0 = p.plate.x + pad, y0 = p.heading.bottom();
  for (int i = 0; i < 24; ++i)
    p.buttons[i] = {x0 + (i % 6) * step, y0 + (i / 6) * step, side, side};
  p.ok = {p.buttons[5].right() + pad, p.buttons[23].bottom() - okH, okW, okH};
  return p;
}

std::array<Rect, 2> confirmPlaces(const Layout& l, int slot) {
  const Rect& icon = l.itemIcons[std::clamp(slot, 0, 14)];
  const int t = l.tileSize, w = 2 * t, h = t / 2 + 4;
  const int x =
      std::clamp(icon.x - t / 2, l.leftPanel.x + s(l, 7), l.leftPanel.right() - s(l, 7) - w);
  const bool below = icon.bottom() + 2 * h <= panelDivider(l) - s(l, 3);
  const int y = below ? icon.bottom() : icon.y - 2 * h;
  return {Rect{x, y, w, h}, Rect{x, y + h, w, h}};
}

RankingFonts rankingFonts(const OptionBytes& options) {
  const FontPair pair = fontPair(checkedFont(options).value_or(FontChoice::Normal));
  return {pair.small, pair.large};
}

RankingPlaces rankingPlaces(const Layout& l, int listPoints, int titlePoints) {
  const int pad = s(l, 12), gap = s(l, 8);
  const int captionH = pixelsOf(10) + 8;
  const int titleH = pixelsOf(titlePoints) + 8;
  const int rowH = pixelsOf(listPoints) + 6;
  const int buttonH = std::max(s(l, 24), pixelsOf(listPoints) + 10);
  const int width = l.clientWidth - 2 * s(l, 16);
  const int height = captionH + pad + titleH + 11 * rowH + gap + buttonH + gap + buttonH + pad;
  RankingPlaces p;
  p.window = {(l.clientWidth - width) / 2, (l.clientHeight - height) / 2, width, height};
  const int x = p.window.x + pad, inner = width - 2 * pad;
  p.caption = {p.window.x, p.window.y, width, captionH};
  p.title = {x, p.caption.bottom() + pad, inner * 3 / 4, titleH};
  p.shown = {p.title.right(), p.title.y, inner - p.title.w, titleH};
  for (int r = 0; r < 11; ++r) p.rows[r] = {x, p.title.bottom() + r * rowH, inner, rowH};
  // Rank, Points, Name, Life, Offense, Defense.
  static constexpr int kShares[] = {8, 15, 35, 14, 14, 14};
  p.columns[0] = x;
  for (int c = 0; c < 6; ++c) p.columns[c + 1] = p.columns[c] + inner * kShares[c] / 100;
  p.columns[6] = x + inner;
  const int buttonsTop = p.rows[10].bottom() + gap;
  const int buttonW = s(l, 64), step = buttonW + s(l, 8);
  for (int n = 0; n < 5; ++n) p.rankingButtons[n] = {x + n * step, buttonsTop, buttonW, buttonH};
  p.ok = {x, buttonsTop + buttonH + gap, s(l, 88), buttonH};
  p.clear = {p.ok.right() + s(l, 8), p.ok.y, s(l, 88), buttonH};
  return p;
}

Rect rankingCell(const RankingPlaces& p, int row, int column) {
  const Rect& r = p.rows[std::clamp(row, 0, 10)];
  const int c = std::clamp(column, 0, 5);
  return {p.columns[c] + 4, r.y + 1, p.columns[c + 1] - p.columns[c] - 8, r.h - 2};
}

}  // namespace kelvorn::ui
