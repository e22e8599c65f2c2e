// Where the window puts what the layout leaves to it: the room for text inside each
// plate and box, and the places of the forecast, the flight and hint plates, "Don't
// use" and "Use", and the ranking window. Client coordinates, in both layouts; the
// drawing code and the tests of fitting both read them from here.
#pragma once

#include <array>

#include "view/layout.h"
#include "rules/options.h"

namespace kelvorn::ui {

// The room for text inside a plate, clear of its frame.
Rect textRoom(const Layout& l, const Rect& plate);
Rect messageBarText(const Layout& l);
// The message window's text: above its buttons, or above the altar's choices.
Rect dialogueText(const Layout& l, bool altarChoices);

struct ForecastPlaces {
  Rect panel;    // over the board and its frame
  Rect heading;  // the text of the heading box
  Rect headingBox;
  std::array<Rect, 7> portraits, rows;  // each monster's picture and texts
  Rect ok;
};
ForecastPlaces forecastPlaces(const Layout& l);

struct FlightPlaces {
  Rect plate, heading, up, down, ok;
};
FlightPlaces flightPlaces(const Layout& l);

struct HintGridPlaces {
  Rect plate, heading;
  std::array<Rect, 24> buttons;
  Rect ok;
};
HintGridPlaces hintGridPlaces(const Layout& l);

// "Don't use" and "Use" beside the icon of item slot `slot`, inside the left panel and
// clear of its divider.
std::array<Rect, 2> confirmPlaces(const Layout& l, int slot);

// The sizes of the ranking window's list and title: 10 and 12 points, or the pair of
// the Font item when another one is checked.
struct RankingFonts {
  int list, title;
};
RankingFonts rankingFonts(const OptionBytes& options);

// The ranking window at the sizes of its list and title fonts.
struct RankingPlaces {
  Rect window;  // centred in the client area
  Rect caption, title, shown;
  std::array<Rect, 11> rows;   // the headings, then places 1..10
  std::array<int, 7> columns;  // left edges of the six columns, then the right edge
  std::array<Rect, 5> rankingButtons;
  Rect ok, clear;
};
RankingPlaces rankingPlaces(const Layout& l, int listPoints, int titlePoints);
// The text room of one cell: row 0 holds the headings.
Rect rankingCell(const RankingPlaces& p, int row, int column);

// Pixels of a font size, as the fonts are made (points at 96 dots per inch).
constexpr int pixelsOf(int points) { return (points * 4 + 2) / 3; }

}  // namespace kelvorn::ui
