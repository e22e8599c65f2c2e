// Keys, on-screen arrows and the walk: every move request turns the hero and hands the
// cell he tries to enter to the judge; a free cell is walked into in quarter-tile jumps.
#include "rules/input.h"

#include <algorithm>

#include "rules/board.h"
#include "rules/cell_entry.h"
#include "rules/clock.h"
#include "rules/judge.h"
#include "rules/reactions.h"
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
  const auto noted = records.replay.note(*this, name ? name : "");
  // Enter takes the ending's back-side control, whatever else holds the keys.
  if (key == kEnter && controls.backSideVisible) return goToBackSide();
  if (stack.count() < 0) stack.setCount(0);
  if (!controls.optionsEnabled || stack.count() != 0) return;
  const bool anyItem =
      std::any_of(state.v.begin() + gs::ItemSlot0, state.v.begin() + gs::ItemSlot0 + kItemSlots,
                  [](std::int32_t v) { return v != 0; });
  switch (key) {
    case kEnter:
      if (!dialogs.cursorShown) {
        showCursor(*this, 4);
      } else {
        dialogs.cursorShown = false;
        controls.sizeEnabled = true;
        clickItem(dialogs.itemCursor);
      }
      dialogs.itemSelectMode = !dialogs.itemSelectMode;
      break;
    case kEscape:
      if (dialogs.itemSelectMode) {
        dialogs.cursorShown = false;
        controls.sizeEnabled = true;
        dialogs.itemSelectMode = false;
      }
      break;
    case kLeft:
    case kUp:
    case kRight:
    case kDown: {
      if (!dialogs.cursorShown) {
        moveRequest(*this, key == kLeft    ? kMoveLeft
                           : key == kUp    ? kMoveUp
                           : key == kRight ? kMoveRight
                                           : kMoveDown);
      } else if (dialogs.itemSelectMode && anyItem) {
        // The cursor moves over a grid of three columns; each key has its own search
        // direction when it lands on an empty slot.
        if (key == kLeft)
          moveCursor(*this, -1, 3);
        else if (key == kUp)
          moveCursor(*this, -3, 0);
        else if (key == kRight)
          moveCursor(*this, 1, 2);
        else
          moveCursor(*this, 3, 1);
      }
      break;
    }
    default: break;
  }
}

void moveCursor(Game& game, int delta, int direction) {
  game.dialogs.itemCursor += delta;
  showCursor(game, direction);
}

void showCursor(Game& game, int direction) {
  static constexpr int kSearchStep[] = {-3, 3, 1, -1, 0};
  auto owned = [&](int s) { return game.state.itemSlot(wrapSlot(s)) != 0; };
  game.dialogs.itemCursor = wrapSlot(game.dialogs.itemCursor);
  for (int tries = 0; tries < 4 && !owned(game.dialogs.itemCursor) && direction != 4; ++tries)
    game.dialogs.itemCursor = wrapSlot(game.dialogs.itemCursor + kSearchStep[direction]);
  bool any = false;
  for (int s = 0; s < kItemSlots; ++s) any = any || owned(s);
  if (!any) return;
  while (!owned(game.dialogs.itemCursor))
    game.dialogs.itemCursor = wrapSlot(game.dialogs.itemCursor + 1);
  game.dialogs.cursorShown = true;
  game.controls.sizeEnabled = false;
}

void Game::arrowClick(int direction) {
  static constexpr const char* kArrow[] = {"", "up", "left", "right", "down"};
  const auto noted =
      records.replay.note(*this, std::string("click arrow ") + kArrow[std::clamp(direction, 0, 4)]);
  if (stack.count() > 0) return;
  stack.clear();
  moveRequest(*this, direction);
}

void Game::flightButtonDown(bool up) {
  const auto noted = records.replay.note(*this, up ? "hold fly-up" : "hold fly-down");
  applyCheckedSpeed(*this);
  timers.enable(TimerId::Repeat, true);
  scene.moveDirection = up ? 5 : 6;
  dialogs.holdRepeat = true;
  state[gs::FlyDirection] = up ? 1 : 2;
}

void Game::flightButtonUp() {
  const auto noted = records.replay.note(*this, "release");
  dialogs.holdRepeat = false;
  timers.enable(TimerId::Repeat, false);
  applyCheckedSpeed(*this);
}

std::vector<int> Game::floorWalk(int cell) const {
  const int floor = state[gs::Floor];
  return shortestWalk(state.heroCell(), cell,
                      [&](int c) { return cellEntry(floor, floors.cell(floor, c)) == CellEntry::Walk; });
}

void moveRequest(Game& game, int direction, bool turn) {
  static constexpr int kFacing[] = {0, kFaceUp, kFaceLeft, kFaceRight, kFaceDown};
  static constexpr int kDx[] = {0, 0, -1, 1, 0}, kDy[] = {0, -1, 0, 0, 1};
  game.scene.moveDirection = direction;
  if (turn) game.state[gs::Facing] = kFacing[direction];
  game.scene.sourceCell = game.state.heroCell();
  const int x = game.state[gs::HeroX] + kDx[direction], y = game.state[gs::HeroY] + kDy[direction];
  if (!onBoard(x, y)) return;  // at the edge the hero only turns
  game.scene.targetCell = cellIndex(x, y);
  judge(game);
}

void walk(Game& game) {
  game.scene.sourceCell = game.state.heroCell();
  if (GameView* v = game.links.view()) v->walkFrames();
  // Both frames get the two cells back as a full redraw draws them, then the hero's step
  // poses on his new cell: nothing of the walk stays behind for the idle animation.
  drawCell(game, game.scene.sourceCell);
  drawCell(game, game.scene.targetCell);
  game.state[gs::HeroX] = cellColumn(game.scene.targetCell);
  game.state[gs::HeroY] = cellRow(game.scene.targetCell);
  game.drawHeroAfterMove();
  game.present();
  afterMoveChecks(game);
}

// What the bar says about the hero's neighbours: the last one that has a message wins.
// Returns the side of the stairs beside him on the highest floor (1 up, 2 down, 0 none),
// which the walk keeps as NearStairs.
int scanNeighbours(Game& game, bool markNearStairs) {
  const int floor = game.state[gs::Floor];
  const int x = game.state[gs::HeroX], y = game.state[gs::HeroY];
  game.bar.code = msg::None;
  const std::pair<int, int> around[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
  for (const auto& [dx, dy] : around) {
    if (!onBoard(x + dx, y + dy)) continue;
    const TileCode t = game.floors.cell(floor, cellIndex(x + dx, y + dy));
    if (const int code = lookMessage(t); code >= 0) game.bar.code = code;
  }
  const int side = stairsBeside(game.state, game.floors, game.state.heroCell());
  if (markNearStairs && side != 0) game.state.extra[extra::NearStairs] = side;
  return side;
}

}  // namespace kelvorn
