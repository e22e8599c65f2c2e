// Carrying out a command on a game: the one place that knows what each command does.
// Most go to the game; what goes elsewhere (the ranking window, the save-holder
// chooser, the undo history, the window's size) goes to the front end the game is
// played in, through `Front`: the headless driver keeps those in memory, the window
// shows them.
#pragma once

#include "commands/command.h"
#include "rules/game.h"
#include "storage/ranking_board.h"

namespace kelvorn::commands {

class Front {
 public:
  virtual ~Front() = default;

  // The ranking window while it is open, or null; closing it (the game is told after).
  virtual storage::RankingBoard* rankingBoard() = 0;
  virtual void closeRanking() = 0;

  // The undo history: whether a step back (or forward) is there now, and taking it.
  virtual bool canUndo() const = 0;
  virtual bool canRedo() const = 0;
  virtual void undo() = 0;
  virtual void redo() = 0;

  // The Size menu, once it is open: the game drawn small or large.
  virtual void setSize(bool large) = 0;

  // The save-holder chooser's input: `select`, `click holder-*`, and `input` or
  // `input-cancel` while its name box for a new folder waits. False when no chooser is
  // open to take it; throws CommandError when it refuses it.
  virtual bool chooserInput(const Command& command) = 0;
};

// Carries out `command` on `game` as the player's input would be, through `front` where
// the input is not the game's. Throws CommandError when it has no target now (the game
// is then unchanged), or when `wait` runs out of time. `include` and `dump`, which read
// and print scripts, are the driver's own and not carried out here.
void carryOut(const Command& command, Game& game, Front& front);

}  // namespace kelvorn::commands
