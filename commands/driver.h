// The headless driver: runs the engine without a window and plays a script of
// commands, one per line (key presses, clicks, menu commands, answers, time, dumps).
// Scripts are plain text so routes and replays can be shared; the format is stable.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "commands/carry_out.h"
#include "commands/exit_status.h"
#include "commands/script_reader.h"
#include "rules/game.h"
#include "rules/undo_history.h"
#include "storage/holder_chooser.h"
#include "storage/holder_host.h"
#include "storage/ranking_board.h"

namespace kelvorn::commands {

class DriverDrawing;

struct DriverOptions {
  std::filesystem::path holder;               // the save-holder folder
  std::optional<std::filesystem::path> load;  // a save file to load after start-up
  std::optional<bool> prologue;               // overrides the Prologue option
  // Draws the board, the panels and the scenes as the window does, or nothing (null):
  // slower, and the game must come out the same as without it.
  DriverDrawing* drawing = nullptr;
  bool record = false;  // the game keeps a replay of its input
  // Keeps the undo history that `undo` and `redo` step through, looking at the game
  // after every command; a route search, which never undoes, saves that work.
  bool undo = true;
  // The script lines one run may read, its included scripts' lines counted in.
  long lineLimit = kRunLineLimit;
};

class Driver;

// What draws the game a driver plays, for a run that draws as the window does. The
// driver hands it the game at start-up and at each window size the game is set to, and
// after every command (no window plays a motion's pictures).
class DriverDrawing {
 public:
  virtual ~DriverDrawing() = default;
  virtual void setSize(Game& game, bool large) = 0;
  virtual void commandDone() = 0;
};

// The driver's side of the engine's requests: the save holder's files, no sound, and
// the ranking and holder windows kept by the driver itself.
class DriverHost : public storage::HolderHost {
 public:
  DriverHost(const std::filesystem::path& holder, Driver& driver)
      : HolderHost(holder), driver_(driver) {}
  void openRanking() override;
  void openHolderChooser() override;

 private:
  Driver& driver_;
};

// The driver is its own front end: the ranking window, the save-holder chooser, the undo
// history and the window size a command reaches are kept here, in memory.
class Driver : private Front {
 public:
  Driver(DriverOptions options, std::ostream& out, std::ostream& err);

  // Starts the game as the window would (options from the holder), then loads the
  // requested save file. Returns why that file cannot be used (the game is then left a
  // new game), or empty.
  std::string startUp();
  // Plays the script; returns the exit status. `folder` is where the script lives: an
  // `include FILE` line plays FILE, named relative to the including script's folder.
  int run(std::istream& script, const std::filesystem::path& folder = {});
  // Plays one line as a script of that line alone would (no stream to set up: a search
  // plays many thousands of lines a second).
  int runLine(const std::string& line);

  Game& game() { return game_; }
  const Game& game() const { return game_; }
  // The driver's own windows while they are open, and whether the chooser's name box
  // for a new folder is waiting.
  const storage::RankingBoard* ranking() const { return ranking_ ? &*ranking_ : nullptr; }
  const storage::HolderChooser* chooser() const { return chooser_ ? &*chooser_ : nullptr; }
  bool holderNameAsked() const { return makeHolderAsked_; }
  const UndoHistory& history() const { return history_; }

 private:
  friend class DriverHost;
  // Plays a script (`name` labels its errors, empty for the top one) or an included one.
  int play(std::istream& script, const std::filesystem::path& folder, const std::string& name,
           int depth);
  // Line `lineNo` of a script (`name` labels its errors): kExitOk, or the status that
  // ends the script.
  int playLine(const std::string& line, const std::filesystem::path& folder,
               const std::string& name, int lineNo, int depth);
  int include(const std::string& file, const std::filesystem::path& folder, int depth);
  std::string loadFile(const std::filesystem::path& path);

  // Front
  storage::RankingBoard* rankingBoard() override { return ranking_ ? &*ranking_ : nullptr; }
  void closeRanking() override { ranking_.reset(); }
  bool canUndo() const override { return history_.canUndo(game_); }
  bool canRedo() const override { return history_.canRedo(game_); }
  void undo() override { history_.undo(game_); }
  void redo() override { history_.redo(game_); }
  void setSize(bool large) override;
  bool chooserInput(const Command& command) override;

  DriverOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  DriverHost host_;
  Game game_;
  bool large_ = false;  // the window size the game was set to
  std::optional<storage::RankingBoard> ranking_;
  std::optional<storage::HolderChooser> chooser_;
  bool makeHolderAsked_ = false;
  // The window's undo, followed after every command as the window follows it after
  // every turn of its loop, so a replay's `undo` finds the same positions.
  UndoHistory history_;
  LineBudget budget_;  // the lines the current run may still read
};

// Names of the clickable controls that are visible and enabled now, as `click` takes
// them ("ok", "hint 3", "arrow up", "item 0", ...).
std::vector<std::string> activeControls(const Game& game);

// One JSON object on one line describing the game as the player sees it, with the
// ranking window and the holder chooser when they are open.
std::string dumpJson(const Game& game, const storage::RankingBoard* ranking = nullptr,
                     const storage::HolderChooser* chooser = nullptr);

}  // namespace kelvorn::commands
