// Saving and loading, the options file and the windows of the rankings and the save
// holder, as the menus ask for them. The files themselves are the host's work.
#include "rules/game.h"

namespace kelvorn {

void Game::menuSave(int slot) {
  const auto noted = replay.note(*this, "menu save " + std::to_string(slot));
  if (slot < 1 || slot > 8) return;
  lockInput();
  controls.saveChecked = slot;
  state.extra[extra::Sum] = plainSum(state);
  state.extra[extra::AlternatingSum] = alternatingSum(state);
  if (host().slotExists(slot)) {
    ask(Question{QuestionKind::Overwrite, "Overwrite. Is it true?", slot});
    return;
  }
  if (const std::string error = host().writeSlot(slot, SavedGame{floors, state}); !error.empty()) {
    notice = "The game was not saved: " + error;
  } else {
    messageCode = msg::Saved;
    ++undoBarriers;
  }
  unlockInput();
}

void Game::menuLoad(int slot) {
  const auto noted = replay.note(*this, "menu load " + std::to_string(slot));
  if (slot < 1 || slot > 8) return;
  if (introRunning()) timers.enable(TimerId::Intro, false);
  lockInput();
  // The game as it is now stays as the undo copy; a failure to keep it stops nothing.
  if (const std::string error = host().handOver(SavedGame{floors, state}); !error.empty())
    notice = "The undo copy of the game could not be written: " + error;
  controls.loadChecked = slot;
  const SlotRead read = host().readSlot(slot);
  loadGame(read.game, read.valid);
}

void Game::menuOptionSave() {
  const auto noted = replay.note(*this, "menu option-save");
  ask(Question{QuestionKind::SaveOptions, "Save options. Is it true?"});
}

void Game::menuOptionInit() {
  const auto noted = replay.note(*this, "menu option-init");
  ask(Question{QuestionKind::InitOptions, "Initialize options. Is it true?"});
}

void Game::menuRanking() {
  const auto noted = replay.note(*this, "menu ranking");
  state[gs::RankWon] = 0;
  state[gs::Checkpoint] = 0;
  ++undoBarriers;
  if (const std::string error = host().handOver(SavedGame{floors, state}); !error.empty())
    showNotice("The game could not be handed to the rankings: " + error);
  host().openRanking();
}

void Game::menuHolder() { host().openHolderChooser(); }

void Game::rankingClosed() {
  const auto noted = replay.note(*this, "click rank-ok");
  // A fairy's judgement waits on the rankings with the rest of its script; with nothing
  // pending, a restarted step timer would only unlock input under whatever else holds
  // it (the orb of wisdom's grid).
  if (stack.count() > 0) timers.enable(TimerId::Steps, true);
}

void Game::afterSizeChange() {
  applyOptions();
  redrawAll();
  unlockInput();
}

}  // namespace kelvorn
