// Saving and loading, the options file and the windows of the rankings and the save
// holder, as the menus ask for them. The files themselves are the host's work.
#include "rules/menus.h"
#include "rules/message_window.h"

namespace kelvorn {

void Game::menuSave(int slot) {
  const auto noted = records.replay.note(*this, "menu save " + std::to_string(slot));
  if (slot < 1 || slot > 8) return;
  lockInput();
  controls.saveChecked = slot;
  state.extra[extra::Sum] = plainSum(state);
  state.extra[extra::AlternatingSum] = alternatingSum(state);
  if (links.host().slotExists(slot)) {
    ask(*this, Question{QuestionKind::Overwrite, "Overwrite. Is it true?", slot});
    return;
  }
  writeSave(*this, slot);
}

void writeSave(Game& game, int slot) {
  if (const std::string error =
          game.links.host().writeSlot(slot, SavedGame{game.floors, game.state});
      !error.empty()) {
    game.dialogs.notice = "The game was not saved: " + error;
  } else {
    game.bar.code = msg::Saved;
    ++game.records.undoBarriers;
  }
  game.unlockInput();
}

void Game::menuLoad(int slot) {
  const auto noted = records.replay.note(*this, "menu load " + std::to_string(slot));
  if (slot < 1 || slot > 8) return;
  if (introRunning()) timers.enable(TimerId::Intro, false);
  lockInput();
  // The game as it is now stays as the undo copy; a failure to keep it stops nothing.
  if (const std::string error = links.host().handOver(SavedGame{floors, state}); !error.empty())
    dialogs.notice = "The undo copy of the game could not be written: " + error;
  controls.loadChecked = slot;
  const SlotRead read = links.host().readSlot(slot);
  loadGame(read.game, read.valid);
}

void Game::menuOptionSave() {
  const auto noted = records.replay.note(*this, "menu option-save");
  ask(*this, Question{QuestionKind::SaveOptions, "Save options. Is it true?"});
}

void Game::menuOptionInit() {
  const auto noted = records.replay.note(*this, "menu option-init");
  ask(*this, Question{QuestionKind::InitOptions, "Initialize options. Is it true?"});
}

void Game::menuRanking() {
  const auto noted = records.replay.note(*this, "menu ranking");
  state[gs::RankWon] = 0;
  state[gs::Checkpoint] = 0;
  ++records.undoBarriers;
  if (const std::string error = links.host().handOver(SavedGame{floors, state}); !error.empty())
    showNotice(*this, "The game could not be handed to the rankings: " + error);
  links.host().openRanking();
}

void Game::menuHolder() { links.host().openHolderChooser(); }

void Game::rankingClosed() {
  const auto noted = records.replay.note(*this, "click rank-ok");
  // A fairy's judgement waits on the rankings with the rest of its script; with nothing
  // pending, a restarted step timer would only unlock input under whatever else holds
  // it (the orb of wisdom's grid).
  if (stack.count() > 0) timers.enable(TimerId::Steps, true);
}

void Game::afterSizeChange() {
  applyOptions(*this);
  redrawAll();
  unlockInput();
}

}  // namespace kelvorn
