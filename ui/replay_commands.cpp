// A replay played in the window: begun from its own start in a save holder of its own,
// its commands carried out by the command library as the driver carries them out, the
// input that is not the game's going where the window sends a player's (the undo
// history, the ranking window, the Size menu).
#include <cstdlib>
#include <iostream>

#include "commands/carry_out.h"
#include "commands/script_lines.h"
#include "storage/replay_files.h"
#include "storage/start_save.h"
#include "ui/app.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

bool App::startReplay(std::string& error) {
  replay_ = ReplayPlayer::open(options_.replay, error);
  if (!replay_) return false;
  std::string reason;
  const std::optional<SavedGame> start =
      storage::readStartSave(storage::replayStartFile(options_.replay), reason);
  if (!start) {
    replay_.reset();
    error = "the game the replay begins from cannot be used: " + reason;
    return false;
  }
  // A replay saves, registers names and writes options as it was played: into a holder
  // of its own, never the player's.
  std::string folder = (fs::temp_directory_path() / "kelvorn-replay-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    replay_.reset();
    error = "cannot make a save holder for the replay";
    return false;
  }
  replayHolder_ = folder;
  setHolder(replayHolder_);
  continueOffer_.reset();
  game_.loadGame(start, true);
  return true;
}

void App::playReplay(int elapsed) {
  const bool more = replay_->play(
      elapsed * std::max(options_.replaySpeed, 1), [&](int ms) { game_.advance(ms); },
      [&](const std::string& command) {
        if (replayCommand(command)) return true;
        std::cerr << "kelvorn: the replay stops at line " << replay_->lineNumber() << ": '"
                  << commands::printable(command) << "' cannot be carried out now\n";
        return false;
      });
  if (!more) endReplay();
}

void App::endReplay() {
  replay_.reset();
  // The player takes over: what he saves goes to his own holder, which the replay never
  // touched, and the autosaves keep his game from the next floor change on. The replay's
  // own holder held only what the replay saved.
  setHolder(ini_.holder);
  std::error_code ec;
  fs::remove_all(replayHolder_, ec);
  replayHolder_.clear();
  game_.showOnMessageBar("The replay has ended; you play on, saving in your own save holder.");
  requestFrame();
  std::cerr << "kelvorn: the replay has ended; the game goes on from here\n";
}

// The window as the front end of a replay: the ranking window, the undo history and the
// Size menu the player's own input reaches. A replay never changes the save holder, so
// it has no chooser to give input to.
class App::ReplayFront final : public commands::Front {
 public:
  explicit ReplayFront(App& app) : app_(app) {}
  storage::RankingBoard* rankingBoard() override {
    return app_.ranking_ ? &*app_.ranking_ : nullptr;
  }
  void closeRanking() override { app_.ranking_.reset(); }
  bool canUndo() const override { return app_.canUndo(); }
  bool canRedo() const override { return app_.canRedo(); }
  void undo() override { app_.undo(); }
  void redo() override { app_.redo(); }
  void setSize(bool large) override { app_.changeSize(large); }
  bool chooserInput(const commands::Command&) override { return false; }

 private:
  App& app_;
};

bool App::replayCommand(const std::string& line) {
  try {
    const commands::Command command = commands::parse(line);
    if (!commands::form(command.verb).replayed) return false;
    ReplayFront front(*this);
    commands::carryOut(command, game_, front);
    return true;
  } catch (const commands::CommandError&) {
    return false;
  }
}

}  // namespace kelvorn::ui
