#include "ui/autosave_keeper.h"

#include <imgui.h>

#include <iostream>

#include "rules/position.h"
#include "storage/save_holder.h"
#include "ui/recovery.h"
#include "ui/slot_label.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

void AutosaveKeeper::start(const fs::path& folder) {
  std::error_code ec;
  recoveryOffered_ = fs::exists(recoveryFile(), ec);
  autosaves_ = storage::Autosaves(folder);
  offer_ = autosaves_.newest();
}

void AutosaveKeeper::keepIfDue(bool now) {
  // A new game or a load is where the count of floors starts again: it is not a floor
  // change of the game before.
  if (game_.records.gamesBegun != gameBegun_) {
    gameBegun_ = game_.records.gamesBegun;
    floor_ = game_.state[gs::Floor];
  }
  // A saved game holds no pending step: one kept in the middle of a scene could shut
  // the hero in. The autosave waits until the game rests.
  if ((!now && game_.state[gs::Floor] == floor_) || !atRest(game_)) return;
  floor_ = game_.state[gs::Floor];
  if (const std::string error = autosaves_.write(SavedGame{game_.floors, game_.state});
      !error.empty())
    std::cerr << "kelvorn: the autosave was not kept: " << error << "\n";
}

void AutosaveKeeper::load(const fs::path& file) {
  const SlotRead read = storage::readSavedGame(file);
  game_.loadGame(read.game, read.valid);
  loaded_();
}

bool AutosaveKeeper::answerOffer(SDL_Keycode key) {
  switch (key) {
    case SDLK_LEFT:
    case SDLK_RIGHT:
    case SDLK_UP:
    case SDLK_DOWN:
    case SDLK_TAB: yesFocused_ = !yesFocused_; return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_y:
    case SDLK_n:
    case SDLK_ESCAPE: {
      const bool yes = key == SDLK_y || (key != SDLK_n && key != SDLK_ESCAPE && yesFocused_);
      if (yes) load(offer_->file);
      offer_.reset();
      return true;
    }
    default: offer_.reset(); return false;
  }
}

void AutosaveKeeper::drawOffer(const Canvas& canvas, bool windowOpen) {
  if (!offerShowing(windowOpen)) return;
  if (!ImGui::IsPopupOpen("##continue")) {
    ImGui::OpenPopup("##continue");
    yesFocused_ = true;
  }
  const std::string text =
      "Continue the last game? (autosave: " + slotDetails(offer_->summary) + ")";
  if (!beginBox(canvas, "##continue", text)) return;
  const ImVec2 size(88, 26);
  boxButtons(2, size.x);
  if (gameButton(canvas.fonts, "Yes", "Yes", size, {yesFocused_, true})) {
    load(offer_->file);
    offer_.reset();
  }
  ImGui::SameLine();
  if (gameButton(canvas.fonts, "No", "No", size, {!yesFocused_, true})) offer_.reset();
  if (!offer_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

void AutosaveKeeper::drawLoadItems() {
  if (ImGui::IsWindowAppearing()) continuable_ = autosaves_.newest();
  if (continuable_) {
    ImGui::Separator();
    const std::string text = slotDetails(continuable_->summary);
    if (ImGui::MenuItem("Continue (autosave)", text.c_str())) load(continuable_->file);
  }
  if (recoveryOffered_) {
    ImGui::Separator();
    if (ImGui::MenuItem("Recovered Game"))
      recoveryOffered_ = loadRecovered(game_) != Game::LoadResult::Loaded;
  }
}

}  // namespace kelvorn::ui
