// GameView: what the rules tell whatever draws them. The rules call it at each place
// where something shown changes, right after (or, for a motion, right before) they change
// it; the view reads the rest through ViewedGame. A game with no view attached plays
// by the same rules and calls nothing here; attaching one later redraws the board, the
// hero and the panels from the state.
#pragma once

#include "rules/messages.h"
#include "rules/play_state.h"
#include "rules/scene_state.h"

namespace kelvorn {

// What a view reads of the game it draws, and nothing more: the state the rules decide
// (the hero, the floors, the monster rows), what the scene shows (the motion under way,
// the foe on the panel, the intro's frame) and the message table. The game it was taken
// from must outlive it; a copy of a game gives a ViewedGame of its own.
struct ViewedGame {
  const PlayState& play;
  const SceneState& scene;
  const MessageTable& messages;
};

// The full-window pictures a scene covers the window with.
enum class ScenePicture { Blank, Opening, Morning, Prison, Last, Ending };

class GameView {
 public:
  virtual ~GameView() = default;

  // ---- The board's two animation frames and what the window shows of them ----------
  // A cell of the current floor into both frames (no hero).
  virtual void drawCell(int cell) = 0;
  // The hero on his cell after a move: step pose A into frame 1, step pose B into frame 0.
  virtual void drawHero() = 0;
  // The hero standing on his cell in both frames, shown at once.
  virtual void drawStandingHero() = 0;
  // Frame 0 becomes what the window shows.
  virtual void present() = 0;
  // Both frames black, before a floor appears cell by cell.
  virtual void clearBoard() = 0;
  // One tick of the idle animation: frame `frame` is shown, then the large monster's
  // outline (when `outline`) and the standing hero (when `hero`) are drawn into it.
  virtual void animate(int frame, bool outline, bool hero) = 0;
  // Cell `cell` of the dissolve: `mode` 0 blacks it out on the shown board, 1 shows it.
  virtual void reveal(int mode, int cell) = 0;

  // ---- Motions and compositions a script step draws --------------------------------
  // The hero's step from the scene's sourceCell to its targetCell, before he moves.
  virtual void walkFrames() = 0;
  // A figure slides from one cell into the next, before the floor records it.
  virtual void slideFrames(int from, int to) = 0;
  // Pictures `background` and `sprite` (numbered from 1) through mask `mask` on a cell.
  virtual void overlayCell(int cell, int background, int sprite, int mask) = 0;
  // Frame `frame` (1..16) of a door of tile `kind` opening (or closing) on `cell`.
  virtual void doorFrame(int cell, int kind, int frame) = 0;
  // The Vampire's growth with the bats `size` pixels (of the small layout) in.
  virtual void vampireGrowth(int size) = 0;

  // ---- Side panels -----------------------------------------------------------------
  virtual void drawKeyPanel() = 0;
  virtual void drawItemPanel() = 0;
  // The panel of the monster of the scene's monsterKind, or its empty labels.
  virtual void drawMonsterPanel() = 0;
  // The foe's life on his panel counts down to the scene's monsterLife.
  virtual void foeLifeChanged() = 0;

  // ---- The scene layer over the whole picture area ---------------------------------
  // The intro's frame of the scene's introFrame.
  virtual void introFrame() = 0;
  // `picture` stretched over the window, dimmed to `brightness` / 256; `ending` counts
  // the ending's pictures from 1.
  virtual void coverWindow(ScenePicture picture, int brightness, int ending) = 0;
  // The ending's tall picture scrolled down by `offset` of its own pixels.
  virtual void scrollFrame(int offset) = 0;
  // The title in the centre panel, between the side panels.
  virtual void showTitle() = 0;
  // The window as it stands (the side panels and the board) onto the scene layer.
  virtual void showBackBuffer() = 0;
};

}  // namespace kelvorn
