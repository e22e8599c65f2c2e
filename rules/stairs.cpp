// Stairs: the floor changes at once, then a dissolve covers the old floor cell by cell
// in the spiral and uncovers the new one.
#include "rules/game.h"

namespace kelvorn {

void Game::stairs(bool up) {
  // Stairs that would lead out of the building (a saved floor may hold them) are a wall.
  if (up ? state[gs::Floor] >= kFloors - 1 : state[gs::Floor] <= 0) return;
  stack.push(wsPause);
  stack.push(wsPause);
  if (state[gs::MusicTrack] != 0) {
    timers.enable(TimerId::Animation, false);
    closeMusic();
  }
  monsterKind = -1;
  drawMonsterPanel();
  showOnMessageBar(messages.entry(243));

  int& floor = state[gs::Floor];
  auto clearFairy = [&](int f, int cell) {
    if (floors.cell(f, cell) == tile::Fairy) floors.setCell(f, cell, tile::Floor);
  };
  if (up) {
    if (floor == 20) clearFairy(20, 49);
    if (floor == 25) clearFairy(25, 71);
    if (floor == 40) clearFairy(40, 60);
    floor = floor == 43 ? 45 : floor + 1;
    if (floor > state[gs::HighestFloor]) {
      state[gs::HighestFloor] = floor;
      // At every new highest floor: once the thief has left floor 35's cell 91 for his
      // tunnel, his figure in the floor-2 prison (cell 120) is gone too.
      if (floors.cell(35, 91) + floors.cell(2, 120) == 27) floors.setCell(2, 120, tile::Floor);
    }
    if (floor == 30) jailTunnelThief();
    const int arrival = floors.upArrivalCell(floor);
    state[gs::HeroX] = cellColumn(arrival);
    state[gs::HeroY] = cellRow(arrival);
    faceAwayFrom(tile::StairsDown);
    if (floor == 32 && state[gs::Floor32Event] == 0) {
      mapEvent();
      state[gs::Floor32Event] = 1;
    }
    if (floor == 42 && state[gs::Floor42Event] == 0) {
      mapEvent();
      state[gs::Floor42Event] = 1;
    }
    stack.push(wsPause);
    stack.push(wsMessage, 7);
  } else {
    if (floor == 25) clearFairy(25, 71);
    if (floor == 49) clearFairy(49, 16);
    floor = floor == 45 ? 43 : floor - 1;
    if (state[gs::HighestFloor] == 29 && floor == 28) moveThiefOn29();
    const int arrival = floors.downArrivalCell(floor);
    state[gs::HeroX] = cellColumn(arrival);
    state[gs::HeroY] = cellRow(arrival);
    faceAwayFrom(tile::StairsUp);
    stack.push(wsPause);
    stack.push(wsMessage, 8);
  }
  floorChangeDissolve();
  monsterKind = -1;
  drawMonsterPanel();
  unlockInput();
  timer2on();
}

// The hero arrives facing away from the stairs he came by.
void Game::faceAwayFrom(TileCode stairs) {
  const int x = state[gs::HeroX], y = state[gs::HeroY], floor = state[gs::Floor];
  struct Look {
    int dx, dy, facing;
  };
  static constexpr Look kLooks[] = {
      {0, -1, kFaceDown}, {-1, 0, kFaceRight}, {1, 0, kFaceLeft}, {0, 1, kFaceUp}};
  for (const Look& l : kLooks)
    if (onBoard(x + l.dx, y + l.dy) && floors.cell(floor, cellIndex(x + l.dx, y + l.dy)) == stairs)
      state[gs::Facing] = l.facing;
}

void Game::floorChangeDissolve() {
  if (GameView* v = view()) v->clearBoard();
  timers.enable(TimerId::Animation, false);
  for (int k = kCells; k >= 1; --k) {
    stack.push(wsReveal, 1, i16(k));
    if (k == 103 && state[gs::MusicTrack] != 0) stack.push(wsRestartMusic);
  }
  for (int k = kCells; k >= 1; --k) stack.push(wsReveal, 0, i16(k));
  stack.push(wsPause);
  stack.push(wsSound, 9);
  static constexpr int kDissolveInterval[] = {2, 6, 10};
  if (const auto speed = checkedSpeed(options))
    timers.setInterval(TimerId::Steps, kDissolveInterval[static_cast<int>(*speed) - 1]);
  timer2on();
}

}  // namespace kelvorn
