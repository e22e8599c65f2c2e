// Keys, on-screen arrows and the walk: every move request turns the hero and hands the
// cell he tries to enter to the judge; a free cell is walked into in quarter-tile jumps.
#include <algorithm>

#include "rules/game.h"
#include "rules/walk_path.h"

namespace kelvorn {

namespace {
constexpr int kEnter = 13, kEscape = 27, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
enum Direction { kMoveUp = 1, kMoveLeft = 2, kMoveRight = 3, kMoveDown = 4 };

int wrapSlot(int s) { return ((s % kItemSlots) + kItemSlots) % kItemSlots; }
}  // namespace

void Game::keyDown(int key) {
  const char* name = key == kEnter    ? "enter"
                     : key == kEscape ? "escape"
                     : key == kLeft   ? "left"
                     : key == kUp     ? "up"
                     : key == kRight  ? "right"
                     : key == kDown   ? "down"
                                      : nullptr;
  const auto noted = replay.note(*this, name ? name : "");
  // Enter takes the ending's back-side control, whatever else holds the keys.
  if (key == kEnter && controls.backSideVisible) return goToBackSide();
  if (stack.count() < 0) stack.setCount(0);
  if (!controls.optionsEnabled || stack.count() != 0) return;
  const bool anyItem =
      std::any_of(state.v.begin() + gs::ItemSlot0, state.v.begin() + gs::ItemSlot0 + kItemSlots,
                  [](std::int32_t v) { return v != 0; });
  switch (key) {
    case kEnter:
      if (!cursorShown) {
        showCursor(4);
      } else {
        cursorShown = false;
        controls.sizeEnabled = true;
        clickItem(itemCursor);
      }
      itemSelectMode = !itemSelectMode;
      break;
    case kEscape:
      if (itemSelectMode) {
        cursorShown = false;
        controls.sizeEnabled = true;
        itemSelectMode = false;
      }
      break;
    case kLeft:
    case kUp:
    case kRight:
    case kDown: {
      if (!cursorShown) {
        moveRequest(key == kLeft    ? kMoveLeft
                    : key == kUp    ? kMoveUp
                    : key == kRight ? kMoveRight
                                    : kMoveDown);
      } else if (itemSelectMode && anyItem) {
        // The cursor moves over a grid of three columns; each key has its own search
        // direction when it lands on an empty slot.
        if (key == kLeft)
          moveCursor(-1, 3);
        else if (key == kUp)
          moveCursor(-3, 0);
        else if (key == kRight)
          moveCursor(1, 2);
        else
          moveCursor(3, 1);
      }
      break;
    }
    default: break;
  }
}

void Game::moveCursor(int delta, int direction) {
  itemCursor += delta;
  showCursor(direction);
}

void Game::showCursor(int direction) {
  static constexpr int kSearchStep[] = {-3, 3, 1, -1, 0};
  auto owned = [&](int s) { return state.itemSlot(wrapSlot(s)) != 0; };
  itemCursor = wrapSlot(itemCursor);
  for (int tries = 0; tries < 4 && !owned(itemCursor) && direction != 4; ++tries)
    itemCursor = wrapSlot(itemCursor + kSearchStep[direction]);
  bool any = false;
  for (int s = 0; s < kItemSlots; ++s) any = any || owned(s);
  if (!any) return;
  while (!owned(itemCursor)) itemCursor = wrapSlot(itemCursor + 1);
  cursorShown = true;
  controls.sizeEnabled = false;
}

void Game::arrowClick(int direction) {
  static constexpr const char* kArrow[] = {"", "up", "left", "right", "down"};
  const auto noted =
      replay.note(*this, std::string("click arrow ") + kArrow[std::clamp(direction, 0, 4)]);
  if (stack.count() > 0) return;
  stack.clear();
  moveRequest(direction);
}

void Game::flightButtonDown(bool up) {
  const auto noted = replay.note(*this, up ? "hold fly-up" : "hold fly-down");
  applyCheckedSpeed();
  timers.enable(TimerId::Repeat, true);
  moveDirection = up ? 5 : 6;
  holdRepeat = true;
  state[gs::FlyDirection] = up ? 1 : 2;
}

void Game::flightButtonUp() {
  const auto noted = replay.note(*this, "release");
  holdRepeat = false;
  timers.enable(TimerId::Repeat, false);
  applyCheckedSpeed();
}

std::vector<int> Game::floorWalk(int cell) const {
  const int floor = state[gs::Floor];
  return shortestWalk(state.heroCell(), cell,
                      [&](int c) { return floors.cell(floor, c) == tile::Floor; });
}

void Game::moveRequest(int direction, bool turn) {
  static constexpr int kFacing[] = {0, kFaceUp, kFaceLeft, kFaceRight, kFaceDown};
  static constexpr int kDx[] = {0, 0, -1, 1, 0}, kDy[] = {0, -1, 0, 0, 1};
  moveDirection = direction;
  if (turn) state[gs::Facing] = kFacing[direction];
  sourceCell = state.heroCell();
  const int x = state[gs::HeroX] + kDx[direction], y = state[gs::HeroY] + kDy[direction];
  if (!onBoard(x, y)) return;  // at the edge the hero only turns
  targetCell = cellIndex(x, y);
  judge();
}

void Game::walk() {
  sourceCell = state.heroCell();
  if (GameView* v = view()) v->walkFrames();
  // Both frames get the two cells back as a full redraw draws them, then the hero's step
  // poses on his new cell: nothing of the walk stays behind for the idle animation.
  drawCell(sourceCell);
  drawCell(targetCell);
  state[gs::HeroX] = cellColumn(targetCell);
  state[gs::HeroY] = cellRow(targetCell);
  drawHeroAfterMove();
  present();
  afterMoveChecks();
}

// What the bar says about the hero's neighbours: the last one that has a message wins.
// Returns the side of the stairs beside him on the highest floor (1 up, 2 down, 0 none),
// which the walk keeps as NearStairs.
int Game::scanNeighbours(bool markNearStairs) {
  const int floor = state[gs::Floor];
  const int x = state[gs::HeroX], y = state[gs::HeroY];
  messageCode = msg::None;
  int side = 0;
  const std::pair<int, int> around[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
  for (const auto& [dx, dy] : around) {
    if (!onBoard(x + dx, y + dy)) continue;
    const TileCode t = floors.cell(floor, cellIndex(x + dx, y + dy));
    if (const int code = lookMessage(t); code >= 0) messageCode = code;
    if ((t == tile::StairsUp || t == tile::StairsDown) && floor == state[gs::HighestFloor])
      side = t == tile::StairsUp ? 1 : 2;
  }
  if (markNearStairs && side != 0) state.extra[extra::NearStairs] = side;
  return side;
}

}  // namespace kelvorn
