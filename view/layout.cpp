#include "view/layout.h"

namespace kelvorn {

Layout makeLayout(bool large) {
  auto s = [large](int n) { return large ? scaleUp(n) : n; };
  Layout l;
  l.large = large;
  l.tileSize = s(32);
  const int t = l.tileSize;
  l.clientWidth = s(640);
  l.clientHeight = s(424);
  l.assetFolder = large ? "data3" : "data";
  l.centrePanel = {s(125), 0, s(390), s(400)};
  l.board = {s(144), s(24), 11 * t, 11 * t};
  l.leftPanel = {0, l.centrePanel.y, l.centrePanel.x, l.centrePanel.h};
  l.rightPanel = {l.centrePanel.right(), l.centrePanel.y, l.leftPanel.w, l.leftPanel.h};
  l.messageBar = {0, l.centrePanel.bottom(), l.clientWidth, l.clientHeight - l.centrePanel.h};
  l.messageWindow = {s(129), s(45), s(382), s(200)};
  // The OK button sits inside the message window's bottom-right corner.
  l.okButton = {l.messageWindow.right() - s(16) - s(75), l.messageWindow.bottom() - s(16) - s(25),
                s(75), s(25)};
  l.secondOkButton = {s(400), s(362), s(64), s(20)};

  const int rowHeight = l.messageBar.h;
  l.floorLabel = {(l.leftPanel.w - s(103)) / 2, s(45), s(103), rowHeight};
  for (int i = 0; i < 4; ++i)
    l.stats[i] = {l.floorLabel.right() - s(76), s(78) + i * rowHeight, s(76), s(20)};

  const int right = l.rightPanel.x;
  l.swordName = {right + s(9), s(64), s(68), s(20)};
  l.shieldName = {right + s(9), s(112), s(68), s(20)};
  l.swordIcon = {right + s(80), s(48), t, t};
  l.shieldIcon = {right + s(80), s(96), t, t};
  l.keyPanel = {right + (l.rightPanel.w - 3 * t) / 2, s(144), 3 * t, 2 * t};
  l.monsterPicture = {right + l.rightPanel.w / 2 - 16, s(230), t, t};  // 16 in both sets
  l.monsterName = {right + s(9), s(268), s(103), s(20)};
  for (int i = 0; i < 3; ++i) {
    const int left = right + s(42);
    l.monsterStats[i] = {left, l.monsterName.bottom() + i * s(20), l.monsterName.right() - left,
                         s(20)};
  }

  const int gridLeft = l.leftPanel.w / 2 - 3 * t / 2;
  for (int slot = 0; slot < 15; ++slot)
    l.itemIcons[slot] = {gridLeft + (slot % 3) * t, s(192) + (slot / 3) * t, t, t};

  const int altarLeft = large ? 255 : 208;
  for (int i = 0; i < 4; ++i) l.altarButtons[i] = {altarLeft, s(80) + i * s(32), s(224), s(32)};
  l.backSidePanel = {(l.clientWidth - s(184)) / 2, l.centrePanel.bottom() - s(48), s(184), s(40)};

  // The on-screen arrows sit in a row under the right panel's monster fields, clear of
  // the panel's divider: left, up, down, right.
  const int a = s(24), h = s(20), gap = s(2), top = l.monsterStats[2].bottom() + s(2);
  const int first = right + (l.rightPanel.w - 4 * a - 3 * gap) / 2;
  auto arrow = [&](int k) { return Rect{first + k * (a + gap), top, a, h}; };
  l.arrows = {arrow(1), arrow(0), arrow(3), arrow(2)};
  l.yesNo = {Rect{l.okButton.x - s(83), l.okButton.y, s(75), s(25)}, l.okButton};
  return l;
}

}  // namespace kelvorn
