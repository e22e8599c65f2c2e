// Stairs: the floor changes at once, then a dissolve covers the old floor cell by cell
// in the spiral and uncovers the new one.
#include "rules/stairs.h"

#include "rules/characters.h"
#include "rules/events.h"

namespace kelvorn {

void stairs(Game& game, bool up) {
  // Stairs that would lead out of the building (a saved floor may hold them) are a wall.
  if (up ? game.state[gs::Floor] >= kFloors - 1 : game.state[gs::Floor] <= 0) return;
  game.stack.push(wsPause);
  game.stack.push(wsPause);
  if (game.state[gs::MusicTrack] != 0) {
    game.timers.enable(TimerId::Animation, false);
    game.closeMusic();
  }
  game.scene.monsterKind = -1;
  game.drawMonsterPanel();
  game.showOnMessageBar(game.messages.entry(243));

  int& floor = game.state[gs::Floor];
  auto clearFairy = [&](int f, int cell) {
    if (game.floors.cell(f, cell) == tile::Fairy) game.floors.setCell(f, cell, tile::Floor);
  };
  if (up) {
    if (floor == 20) clearFairy(20, 49);
    if (floor == 25) clearFairy(25, 71);
    if (floor == 40) clearFairy(40, 60);
    floor = floor == 43 ? 45 : floor + 1;
    if (floor > game.state[gs::HighestFloor]) {
      game.state[gs::HighestFloor] = floor;
      // At every new highest floor: once the thief has left floor 35's cell 91 for his
      // tunnel, his figure in the floor-2 prison (cell 120) is gone too.
      if (game.floors.cell(35, 91) + game.floors.cell(2, 120) == 27)
        game.floors.setCell(2, 120, tile::Floor);
    }
    if (floor == 30) jailTunnelThief(game);
    const int arrival = game.floors.upArrivalCell(floor);
    game.state[gs::HeroX] = cellColumn(arrival);
    game.state[gs::HeroY] = cellRow(arrival);
    faceAwayFrom(game, tile::StairsDown);
    if (floor == 32 && game.state[gs::Floor32Event] == 0) {
      mapEvent(game);
      game.state[gs::Floor32Event] = 1;
    }
    if (floor == 42 && game.state[gs::Floor42Event] == 0) {
      mapEvent(game);
      game.state[gs::Floor42Event] = 1;
    }
    game.stack.push(wsPause);
    game.stack.push(wsMessage, 7);
  } else {
    if (floor == 25) clearFairy(25, 71);
    if (floor == 49) clearFairy(49, 16);
    floor = floor == 45 ? 43 : floor - 1;
    if (game.state[gs::HighestFloor] == 29 && floor == 28) moveThiefOn29(game);
    const int arrival = game.floors.downArrivalCell(floor);
    game.state[gs::HeroX] = cellColumn(arrival);
    game.state[gs::HeroY] = cellRow(arrival);
    faceAwayFrom(game, tile::StairsUp);
    game.stack.push(wsPause);
    game.stack.push(wsMessage, 8);
  }
  floorChangeDissolve(game);
  game.scene.monsterKind = -1;
  game.drawMonsterPanel();
  game.unlockInput();
  game.timer2on();
}

// The hero arrives facing away from the stairs he came by.
void faceAwayFrom(Game& game, TileCode stairs) {
  const int x = game.state[gs::HeroX], y = game.state[gs::HeroY], floor = game.state[gs::Floor];
  struct Look {
    int dx, dy, facing;
  };
  static constexpr Look kLooks[] = {
      {0, -1, kFaceDown}, {-1, 0, kFaceRight}, {1, 0, kFaceLeft}, {0, 1, kFaceUp}};
  for (const Look& l : kLooks)
    if (onBoard(x + l.dx, y + l.dy) &&
        game.floors.cell(floor, cellIndex(x + l.dx, y + l.dy)) == stairs)
      game.state[gs::Facing] = l.facing;
}

void floorChangeDissolve(Game& game) {
  if (GameView* v = game.links.view()) v->clearBoard();
  game.timers.enable(TimerId::Animation, false);
  for (int k = kCells; k >= 1; --k) {
    game.stack.push(wsReveal, 1, i16(k));
    if (k == 103 && game.state[gs::MusicTrack] != 0) game.stack.push(wsRestartMusic);
  }
  for (int k = kCells; k >= 1; --k) game.stack.push(wsReveal, 0, i16(k));
  game.stack.push(wsPause);
  game.stack.push(wsSound, 9);
  static constexpr int kDissolveInterval[] = {2, 6, 10};
  if (const auto speed = checkedSpeed(game.options))
    game.timers.setInterval(TimerId::Steps, kDissolveInterval[static_cast<int>(*speed) - 1]);
  game.timer2on();
}

}  // namespace kelvorn
