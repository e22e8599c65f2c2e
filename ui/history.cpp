// The window's forgiveness: undo and redo, the rolling autosaves with the offer to
// continue, and saving the replay of the game.
#include <imgui.h>

#include <array>
#include <ctime>
#include <iostream>

#include "storage/replay_files.h"
#include "ui/app.h"
#include "ui/paths.h"
#include "ui/slot_label.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

void App::undo() {
  if (!canUndo()) return;
  history_.undo(game_);
  clickWalk_.reset();
  heldKey_.reset();
  requestFrame();
}

void App::redo() {
  if (!canRedo()) return;
  history_.redo(game_);
  clickWalk_.reset();
  heldKey_.reset();
  requestFrame();
}

void App::autosaveIfDue(bool now) {
  if (!replayHolder_.empty()) return;  // a replay's game is not the player's
  // A new game or a load is where the count of floors starts again: it is not a floor
  // change of the game before.
  if (game_.records.gamesBegun != autosavedGame_) {
    autosavedGame_ = game_.records.gamesBegun;
    autosavedFloor_ = game_.state[gs::Floor];
  }
  // A saved game holds no pending step: one kept in the middle of a scene could shut
  // the hero in. The autosave waits until the game rests.
  if ((!now && game_.state[gs::Floor] == autosavedFloor_) || !atRest(game_)) return;
  autosavedFloor_ = game_.state[gs::Floor];
  if (const std::string error = autosaves_.write(SavedGame{game_.floors, game_.state});
      !error.empty())
    std::cerr << "kelvorn: the autosave was not kept: " << error << "\n";
}

void App::loadAutosave(const fs::path& file) {
  const SlotRead read = storage::readSavedGame(file);
  game_.loadGame(read.game, read.valid);
  requestFrame();
}

std::string App::saveReplay(const fs::path& script) {
  std::error_code ec;
  if (script.has_parent_path()) fs::create_directories(script.parent_path(), ec);
  return storage::writeReplay(script, game_.records.replay);
}

void App::drawSaveReplay() {
  if (!saveReplayOpen_) return;
  if (!ImGui::IsPopupOpen("##replay")) {
    ImGui::OpenPopup("##replay");
    std::array<char, 32> stamp{};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string path =
        (dataFolder() / "replays" / ("replay-" + std::string(stamp.data()) + ".txt")).string();
    replayPath_.fill(0);
    path.copy(replayPath_.data(), replayPath_.size() - 1);
    replayNote_ = "The game it begins from is saved beside it (.dat).";
  }
  if (!beginBox("##replay", replayNote_, "Save Replay")) return;
  ImGui::SetNextItemWidth(-1);
  const bool entered = ImGui::InputText("##path", replayPath_.data(), replayPath_.size(),
                                        ImGuiInputTextFlags_EnterReturnsTrue);
  ImGui::Dummy(ImVec2(0, 4));
  const ImVec2 size(88, 26);
  boxButtons(2, size.x);
  if (gameButton(fonts_, "Save", "Save", size, {true, true}) || entered) {
    const std::string error = saveReplay(replayPath_.data());
    if (error.empty()) saveReplayOpen_ = false;
    replayNote_ = error.empty() ? std::string() : "The replay was not saved: " + error;
  }
  ImGui::SameLine();
  if (gameButton(fonts_, "Cancel", "Cancel", size, {false, true}) ||
      ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
    saveReplayOpen_ = false;
  if (!saveReplayOpen_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

bool App::answerContinueOffer(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT:
    case SDLK_RIGHT:
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_TAB:
      yesFocused_ = !yesFocused_;
      return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_y:
    case SDLK_n:
    case SDLK_ESCAPE: {
      const bool yes = key == SDLK_y || (key != SDLK_n && key != SDLK_ESCAPE && yesFocused_);
      if (yes) loadAutosave(continueOffer_->file);
      continueOffer_.reset();
      return true;
    }
    default:
      continueOffer_.reset();
      return false;
  }
}

void App::drawContinueOffer() {
  if (!continueOfferShowing()) return;
  if (!ImGui::IsPopupOpen("##continue")) {
    ImGui::OpenPopup("##continue");
    yesFocused_ = true;
  }
  const std::string text =
      "Continue the last game? (autosave: " + slotDetails(continueOffer_->summary) + ")";
  if (!beginBox("##continue", text)) return;
  const ImVec2 size(88, 26);
  boxButtons(2, size.x);
  if (gameButton(fonts_, "Yes", "Yes", size, {yesFocused_, true})) {
    loadAutosave(continueOffer_->file);
    continueOffer_.reset();
  }
  ImGui::SameLine();
  if (gameButton(fonts_, "No", "No", size, {!yesFocused_, true})) continueOffer_.reset();
  if (!continueOffer_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
