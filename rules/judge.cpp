// The cell judge: what it means for the hero to step into a neighbouring cell.
#include "rules/judge.h"

#include <vector>

#include "rules/battle.h"
#include "rules/bosses.h"
#include "rules/cell_entry.h"
#include "rules/characters.h"
#include "rules/doors.h"
#include "rules/events.h"
#include "rules/game_upkeep.h"
#include "rules/input.h"
#include "rules/pickups.h"
#include "rules/stairs.h"

namespace kelvorn {

void judge(Game& game) {
  const int floor = game.state[gs::Floor];
  const TileCode t = game.floors.cell(floor, game.scene.targetCell);
  switch (cellEntry(floor, t)) {
    case CellEntry::Nothing: return;
    case CellEntry::Walk: return walk(game);
    case CellEntry::KeyDoor: return keyDoor(game, t);
    case CellEntry::Event: return mapEvent(game);
    case CellEntry::FalseWall: return falseWall(game);
    case CellEntry::Trigger: return hiddenTrigger(game);
    case CellEntry::Stairs: return stairs(game, t == tile::StairsUp);
    case CellEntry::Princess: return princessScene(game);
    case CellEntry::Pickup: return pickup(game, t);
    case CellEntry::Battle: return battle(game);
    case CellEntry::FinalFloor: return finalFloor(game);
    case CellEntry::Altar: return altarOffer(game);
    case CellEntry::Merchant: return merchant(game);
    case CellEntry::Thief: return thief(game);
    case CellEntry::Fairy: return fairy(game);
    case CellEntry::OldMan: return oldMan(game);
  }
}

void falseWall(Game& game) {
  game.bar.composed = game.messages.entry(137);
  game.bar.code = msg::Composed;
  game.stack.push(wsPause);
  game.stack.push(wsMessage, msg::Composed);
  game.stack.push(wsPause);
  pushDoor(game, game.scene.targetCell, 7);
  game.stack.push(wsPause);
  game.stack.push(wsSound, 1);
  game.timer2on();
}

// Four hidden places turn into something when the hero tries to step there; anywhere
// else a hidden trigger is a wall.
void hiddenTrigger(Game& game) {
  const int floor = game.state[gs::Floor];
  int cell = -1, code = 0;
  if (floor == 12 && game.scene.targetCell == 10) cell = 10, code = tile::Merchant;
  if (floor == 16 && game.scene.targetCell == 120) cell = 120, code = tile::OldMan;
  if (floor == 19 && game.scene.targetCell == 27) cell = 27, code = 39;
  if (floor == 41 && game.floors.cell(41, 12) == tile::Floor) cell = 20, code = 151;
  if (cell < 0) return;
  game.stack.push(wsPause);
  game.stack.push(wsSetCell, i16(cell), i16(code));
  game.stack.push(wsPause);
  game.stack.push(wsSound, 2);
  game.stack.push(wsPause);
  game.stack.push(wsPause);
  game.timer2on();
}

void princessScene(Game& game) {
  const int music = game.state[gs::MusicTrack];
  if (music != 0 && music != 13) {
    game.closeMusic();
    game.state[gs::MusicTrack] = 13;
    playTrack(game);
  }
  if (game.floors.cell(25, 60) == tile::Floor) {
    for (const int c : {4, 6}) game.floors.setCell(24, c, tile::Wall);
    for (const int c : {16, 27, 38}) game.floors.setCell(24, c, tile::Floor);
    game.floors.setCell(24, 5, tile::Event);
  }
  game.floors.setCell(50, 49, tile::Thief);
  game.timer2on();
  game.stack.push(wsPause);
  game.stack.push(wsSetCell, 60, tile::Princess);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 26);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 25);
  game.stack.push(wsPause);
  game.stack.push(wsPause);
}

// Walking into the Magic Sergeant on floor 50: the ending in a first game, a battle
// against his strengthened form in a later one.
void finalFloor(Game& game) {
  if (game.state[gs::LevelBoost] != 0) {
    weakenZenoForLaterGame(game.state, kind::Zeno, game.monsters);
    return battle(game);
  }
  game.timers.enable(TimerId::Animation, false);
  if (game.state[gs::MusicTrack] != 0) game.closeMusic();
  game.timer2on();
  game.controls.okCaption = "OK";
  pushEnding(game);
}

// The first game's ending: the panels vanish, the title frames, seventeen ending
// pictures with a sound each, the long scroll, the last picture, the thanks, and the
// back-side prompt that holds until the player goes on into the next game.
void pushEnding(Game& game) {
  std::vector<WorkStep> run;  // in the order the steps show
  auto step = [&](int op, int a = 0, int b = 0) { run.push_back({i16(op), i16(a), i16(b)}); };
  auto frame = [&](int mode, int p) {
    step(wsScript, script::PictureFrame, p);
    step(wsPause, mode, 0);  // the frame reads its mode from this carrier below it
  };
  step(wsScript, script::HidePanels), step(wsPause), step(wsScript, script::PresentBackBuffer),
      step(wsPause);
  for (int n = 232; n <= 247; ++n) step(wsSound, 1), step(wsPause), frame(2, n);
  step(wsSound, 1), step(wsPause);
  for (int n = 1; n <= 17; ++n) {
    frame(6, n);
    if (n <= 16) step(wsSound, 10), step(wsPause);
  }
  step(wsPause), step(wsPause);
  for (int p = 1; p <= 101; p += 10) frame(4, p);
  for (int p = 109; p <= 205; p += 8) frame(4, p);
  for (int p = 210; p <= 300; p += 5) frame(4, p);
  for (int p = 303; p <= 399; p += 3) frame(4, p);
  frame(4, 400), frame(4, 401);
  frame(5, 0), frame(7, 0), frame(8, 0);
  step(wsScript, script::NextGame), step(wsPause);
  for (auto it = run.rbegin(); it != run.rend(); ++it) game.stack.push(*it);
}

}  // namespace kelvorn
