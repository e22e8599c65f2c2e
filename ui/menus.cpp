// The menu bar and the About box. Commands whose behaviour has not been built yet are
// shown disabled; the rest follow the input lock and the options block.
#include <imgui.h>

#include "ui/app.h"
#include "ui/recovery.h"

namespace kelvorn::ui {

void App::drawMenuBar() {
  if (!ImGui::BeginMainMenuBar()) return;
  const Controls& c = game_.controls;
  const OptionBytes& o = game_.options;
  if (ImGui::BeginMenu("Game")) {
    if (ImGui::MenuItem("Game Start", "F2")) game_.menuGameStart();
    if (ImGui::MenuItem("Game Quit", "F9")) game_.menuGameQuit();
    if (ImGui::MenuItem("Game Exit")) game_.menuGameExit();
    ImGui::EndMenu();
  }
  for (const bool load : {true, false}) {
    if (ImGui::BeginMenu(load ? "Load" : "Save", load ? c.loadEnabled : c.saveEnabled)) {
      for (int slot = 1; slot <= 8; ++slot) {
        const bool checked = (load ? c.loadChecked : c.saveChecked) == slot;
        if (ImGui::MenuItem(("Data " + std::to_string(slot)).c_str(), nullptr, checked))
          load ? game_.menuLoad(slot) : game_.menuSave(slot);
      }
      if (load && recoveryOffered_) {
        ImGui::Separator();
        if (ImGui::MenuItem("Recovered Game"))
          recoveryOffered_ = loadRecovered(game_) != Game::LoadResult::Loaded;
      }
      ImGui::EndMenu();
    }
  }
  if (ImGui::BeginMenu("Options", c.optionsEnabled)) {
    if (ImGui::BeginMenu("Speed")) {
      const auto speed = checkedSpeed(o);
      if (ImGui::MenuItem("High", nullptr, speed == Speed::High)) game_.menuSpeed(Speed::High);
      if (ImGui::MenuItem("Middle", nullptr, speed == Speed::Middle))
        game_.menuSpeed(Speed::Middle);
      if (ImGui::MenuItem("Low", nullptr, speed == Speed::Low)) game_.menuSpeed(Speed::Low);
      ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Font")) {
      const auto checked = checkedFont(o);
      static constexpr std::pair<const char*, FontChoice> kFonts[] = {
          {"Tiny", FontChoice::Tiny},
          {"Small", FontChoice::Small},
          {"Normal", FontChoice::Normal},
          {"Big", FontChoice::Big}};
      for (const auto& [name, choice] : kFonts)
        if (ImGui::MenuItem(name, nullptr, checked == choice)) game_.menuFont(choice);
      ImGui::EndMenu();
    }
    ImGui::Separator();
    if (ImGui::MenuItem("Keyboard Control", nullptr, c.keyboardControl))
      game_.menuControl(Control::Keyboard);
    if (ImGui::MenuItem("Mouse Control", nullptr, !c.keyboardControl))
      game_.menuControl(Control::Mouse);
    ImGui::Separator();
    if (ImGui::MenuItem("Prologue", nullptr, c.prologueChecked)) game_.menuPrologue();
    if (ImGui::MenuItem("Background Music On", nullptr, c.musicChecked)) game_.menuMusic();
    if (ImGui::MenuItem("Wav Sound On", nullptr, game_.state[gs::SoundOff] == 0)) game_.menuSound();
    ImGui::Separator();
    if (ImGui::MenuItem("Save Option")) game_.menuOptionSave();
    if (ImGui::MenuItem("Initialize Option")) game_.menuOptionInit();
    if (ImGui::MenuItem("Change Save Holder")) game_.menuHolder();
    ImGui::EndMenu();
  }
  // The size cannot change while a script plays: it would cut the script short.
  if (ImGui::BeginMenu("Size", c.sizeEnabled && c.optionsEnabled && largeAllowed())) {
    if (ImGui::MenuItem("640x400 (S)", nullptr, !game_.layout.large)) changeSize(false);
    if (ImGui::MenuItem("800x500 (B)", nullptr, game_.layout.large)) changeSize(true);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Ranking", c.rankingEnabled)) {
    if (ImGui::MenuItem("Show Ranking")) game_.menuRanking();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Help")) {
    if (ImGui::MenuItem("About Kelvorn")) aboutOpen_ = true;
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
}

void App::drawAbout() {
  if (!aboutOpen_) return;
  if (!ImGui::IsPopupOpen("About Kelvorn")) ImGui::OpenPopup("About Kelvorn");
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal("About Kelvorn", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted("Kelvorn Ver1.2");
  ImGui::Separator();
  ImGui::TextUnformatted(
      "Climb the fifty floors of the tower.\n"
      "Every battle is decided before it starts: check a monster's\n"
      "life, offense and defense, and spend keys and gold with care.\n\n"
      "Arrow keys walk. Enter opens the item cursor; Escape closes it.\n"
      "F2 starts a new game, F9 ends the program.");
  if (ImGui::Button("OK", ImVec2(80, 0))) {
    aboutOpen_ = false;
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
