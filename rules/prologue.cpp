// The story's opening in play: the Magic Sergeant Zeno waits on floor 3, his sergeants
// close in, the hero is struck down and carried off, and he wakes in the prison on
// floor 2 with nothing but his bare hands.
#include "rules/prologue.h"

#include <algorithm>

#include "rules/bosses.h"
#include "rules/input.h"

namespace kelvorn {

namespace {
// Floor 3's map holds its one event cell at 92; Zeno appears two cells above it and his
// four sergeants on the hero's four neighbours.
constexpr int kCaptureCell = 92;
constexpr int kZenoCell = 70;
constexpr int kPrisonFloor = 2, kPrisonX = 2, kPrisonY = 7;
constexpr int kWhat = 218;  // "What?", the OK button's caption from the capture on
}  // namespace

// Stepping onto floor 3's event cell: the hero walks onto it, Zeno fades in above him
// and speaks his welcome; its OK (DialogKind 20) runs the capture.
void captureEvent(Game& game) {
  game.lockInput();
  game.floors.setCell(game.state[gs::Floor], game.scene.targetCell, tile::Floor);
  walk(game);
  game.controls.okCaption = game.messages.entry(kWhat);
  game.timer2on();
  game.stack.push(wsAsk, 10);
  for (int i = 0; i < 4; ++i) game.stack.push(wsPause);
  zenoAppearance(kZenoCell).pushOnto(game.stack);
  if (game.state[gs::MusicTrack] != 0) game.stack.push(wsSound, 6);
}

// The capture: the sergeants close in around the hero, he cries out, is struck and
// taken; the title, the tower at dawn and the prison fade by, and the prison start
// follows.
void pushCaptureScene(Game& game) {
  game.state[gs::BoardHold] = 1;  // the idle animation leaves the hero's cell to the scene
  game.timer2on();
  game.stack.push(wsScript, script::PrisonScene);
  // The prison fades in: mode 1 frames, from dark (0) to whole (500).
  for (const int p : {500, 428, 357, 285, 214, 142, 71, 0}) {
    game.stack.push(wsPause, 1, 0);
    game.stack.push(wsScript, script::PictureFrame, i16(p));
  }
  for (int i = 0; i < 3; ++i) game.stack.push(wsPause);
  // The tower at dawn fades in over the whole window, a thunder clap with each frame.
  for (int p = 247; p >= 232; --p) {
    game.stack.push(wsPause, 0, 0);
    game.stack.push(wsScript, script::PictureFrame, i16(p));
    game.stack.push(wsSound, 4);
  }
  game.stack.push(wsScript, script::HidePanels);
  for (int i = 0; i < 25; ++i) game.stack.push(wsPause);
  game.stack.push(wsScript, script::EndingTitle);
  game.stack.push(wsShowPanels);
  game.stack.push(wsPause);
  game.stack.push(wsSetCell, kCaptureCell, tile::Floor);  // the hero is carried off
  for (int i = 0; i < 4; ++i) game.stack.push(wsPause);
  const int pose = fightingPose(kFaceUp);
  game.stack.push(wsPause, tile::Floor, i16(pose));
  game.stack.push(wsOverlay, kCaptureCell, i16(pose + 1));
  game.stack.push(wsPause);
  game.stack.push(wsSound, 4);
  for (int i = 0; i < 5; ++i) game.stack.push(wsPause);
  game.stack.push(wsAsk, 11);  // "What? Oh!"
  game.stack.push(wsPause);
  static constexpr int kSergeantCells[] = {kCaptureCell - 11, kCaptureCell - 1, kCaptureCell + 1,
                                           kCaptureCell + 11};
  sergeantsAppearance(kSergeantCells).pushOnto(game.stack);
}

// The prison start: the hero lies on floor 2 without his sword and shield (in a first
// game also at the strength of a beginner; in a later one without his items), and the
// wake-up calls open one after another. The OK of the last one (DialogKind 13) empties
// the stack and play begins, so the steps queued below it never run.
void pushPrisonStart(Game& game) {
  if (game.state[gs::MusicTrack] != 0) game.closeMusic();
  const bool firstGame = game.state[gs::LevelBoost] == 0;
  game.state[gs::Floor] = kPrisonFloor;
  game.state[gs::HighestFloor] =
      firstGame ? kPrisonFloor : std::max(game.state[gs::HighestFloor], kPrisonFloor);
  game.state[gs::HeroX] = kPrisonX;
  game.state[gs::HeroY] = kPrisonY;
  game.state[gs::BoardHold] = 1;
  game.state[gs::SwordLevel] = 0;
  game.state[gs::ShieldLevel] = 0;
  if (firstGame) {
    game.state[gs::Life] = 400;
    game.state[gs::Offense] = 10;
    game.state[gs::Defense] = 10;
    game.state[gs::SwordOwned0 + 4] = 0;
    game.state[gs::ShieldOwned0 + 4] = 0;
  } else {
    for (int s = 0; s < kItemSlots; ++s) game.state.itemSlot(s) = 0;
  }
  // The board and the side panels come back with the prison floor; the hero is drawn
  // when he wakes.
  game.controls.sceneVisible = false;
  game.controls.sceneText.clear();
  game.drawFloor();
  game.present();
  game.stack.push(wsPause);
  game.stack.push(wsScript, script::HeroComposite);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 3);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 2);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 1);
  game.stack.push(wsPause);
  game.stack.push(wsAsk, 1);
  game.stack.push(wsShowPanels);
  game.stack.push(wsMessage, 0);
}

}  // namespace kelvorn
