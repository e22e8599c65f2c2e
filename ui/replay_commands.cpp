// A replay's commands carried out in the window by the command library, as the driver
// carries them out; the input that is not the game's goes where the window sends a
// player's (the undo history, the ranking window, the Size menu).
#include "commands/carry_out.h"
#include "ui/app.h"

namespace kelvorn::ui {

// The window as the front end of a replay: the ranking window, the undo history and the
// Size menu the player's own input reaches. A replay never changes the save holder, so
// it has no chooser to give input to.
class App::ReplayFront final : public commands::Front {
 public:
  explicit ReplayFront(App& app) : app_(app) {}
  storage::RankingBoard* rankingBoard() override {
    auto& board = app_.rankingWindow_.board();
    return board ? &*board : nullptr;
  }
  void closeRanking() override { app_.rankingWindow_.board().reset(); }
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
