// The two window layouts: the small set (640 x 400 picture, 32-pixel tiles) and the
// large set (800 x 500, 40-pixel tiles). Every fixed number of the large set is the
// small one times 5/4, rounded half up; positions derived from other controls follow
// the same rules in both.
#pragma once

#include <array>
#include <string_view>

namespace kelvorn {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  int right() const { return x + w; }
  int bottom() const { return y + h; }
  bool operator==(const Rect&) const = default;
};

struct Layout {
  bool large = false;
  int tileSize = 32;
  int clientWidth = 640;
  int clientHeight = 424;  // picture area and message bar
  std::string_view assetFolder = "data";
  Rect board;              // the 11 x 11 board; its corner is the board origin
  Rect centrePanel, leftPanel, rightPanel;
  Rect messageBar;
  Rect messageWindow, okButton, secondOkButton;
  Rect floorLabel;
  std::array<Rect, 4> stats;  // life, offense, defense, gold
  Rect swordName, shieldName, swordIcon, shieldIcon;
  Rect keyPanel;
  Rect monsterPicture, monsterName;
  std::array<Rect, 3> monsterStats;  // life, offense, defense
  std::array<Rect, 15> itemIcons;    // by item slot: row slot / 3, column slot % 3
  std::array<Rect, 4> altarButtons;
  Rect backSidePanel;
  std::array<Rect, 4> arrows;  // up, left, right, down
  std::array<Rect, 2> yesNo;   // Yes and No beside the OK button's place
};

// Rounds n x 5/4 to the nearest integer, halves up.
constexpr int scaleUp(int n) { return (n * 5 + 2) / 4; }

Layout makeLayout(bool large);

}  // namespace kelvorn
