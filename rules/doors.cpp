// Doors, gates and walls that open or close in sixteen frames, the key doors of the
// judge, and the two door puzzles.
#include "rules/doors.h"

#include <algorithm>

#include "rules/clock.h"
#include "rules/scene_script.h"

namespace kelvorn {

namespace {
// Door kinds: 1..3 key doors, 4 gate opens, 5 gate closes, 6 barred gate opens,
// 7 wall falls, 8 wall rises, 9..12 lava leaves the cell (left, right, down, up).
int finalCodeOf(int kind) {
  if (kind == 5) return tile::Gate;
  if (kind == 8) return tile::Wall;
  return kind >= 1 && kind <= 12 ? tile::Floor : -1;
}
}  // namespace

// Pushes the sixteen frames of a door, each door step with its frame number in the
// pause below it; frame 1 runs first.
void pushDoor(Game& game, int cell, int kind) {
  SceneScript().door(cell, kind, true).pushOnto(game.stack);
}

void doorStep(Game& game, const WorkStep& s) {
  // Doors animate at a much shorter step interval; the last frame restores the pace.
  static constexpr int kDoorInterval[] = {8, 10, 12};
  if (const auto speed = checkedSpeed(game.options))
    game.timers.setInterval(TimerId::Steps, kDoorInterval[static_cast<int>(*speed) - 1]);
  const int frame = game.stack.below().arg2;
  if (frame == 16) applyCheckedSpeed(game);
  if (s.arg1 < 0 || s.arg1 >= kCells) return;
  if (GameView* v = game.links.view()) v->doorFrame(s.arg1, s.arg2, frame);
  if (const int code = finalCodeOf(s.arg2); code >= 0)
    game.floors.setCell(game.state[gs::Floor], s.arg1, static_cast<TileCode>(code));
}

// Walking into a door: a key of its colour opens it, otherwise only a message.
void keyDoor(Game& game, TileCode door) {
  static constexpr int kKeyField[] = {0, gs::YellowKeys, gs::BlueKeys, gs::RedKeys};
  static constexpr int kOpened[] = {0, 4, 5, 6}, kMissing[] = {0, 16, 17, 18};
  int& keys = game.state[kKeyField[door]];
  game.bar.code = kMissing[door];
  const bool opens = keys > 0;
  if (opens) {
    --keys;
    game.bar.code = kOpened[door];
  }
  doorPuzzles(game);
  game.stack.push(wsMessage, static_cast<std::int16_t>(game.bar.code));
  if (opens) {
    game.stack.push(wsShowPanels);
    pushDoor(game, game.scene.targetCell, door);
    game.stack.push(wsPause);
    game.stack.push(wsSound, 1);
  }
  game.timer2on();
}

// Two floors reward opening their doors in a particular order; checked on every
// attempt at a key door, with or without a key.
void doorPuzzles(Game& game) {
  const int floor = game.state[gs::Floor];
  auto at = [&](int cell) { return game.floors.cell(floor, cell); };
  if (floor == 39) {
    const int doors = at(12) + at(16) + at(34) + at(36) + at(56) + at(58) + at(60);
    if (doors == 7 && ((game.scene.targetCell == 38 && at(14) == tile::Floor) ||
                       (game.scene.targetCell == 14 && at(38) == tile::Floor))) {
      game.stack.push(wsPause);
      game.stack.push(wsSetCell, 36, 43);
      game.stack.push(wsPause);
      game.stack.push(wsSound, 2);
      game.stack.push(wsPause);
      game.stack.push(wsPause);
    }
  } else if (floor == 43 && game.scene.targetCell == 7 && at(8) == tile::Sergeant) {
    game.stack.push(wsPutCell, 7, tile::Event);
  }
}

}  // namespace kelvorn
