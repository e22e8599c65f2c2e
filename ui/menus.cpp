// The menu bar and the About box. Commands whose behaviour has not been built yet are
// shown disabled; the rest follow the input lock and the options block.
#include <imgui.h>

#include "ui/app.h"
#include "ui/recovery.h"
#include "ui/theme.h"

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
  static constexpr const char* kText =
      "Climb the fifty floors of the tower.\n"
      "Every battle is decided before it starts: check a monster's\n"
      "life, offense and defense, and spend keys and gold with care.\n\n"
      "Arrow keys walk. Enter opens the item cursor; Escape closes it.\n"
      "F2 starts a new game, F9 ends the program.";
  // A fixed width from the text itself, so the separator and the text agree from the
  // first frame on.
  ImFont* body = fonts_.get(10, false);
  const float textWidth = body->CalcTextSizeA(body->FontSize, 1e9f, 0, kText).x;
  const float padding = ImGui::GetStyle().WindowPadding.x;
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(textWidth + 2 * padding, 0), ImGuiCond_Always);
  if (!ImGui::BeginPopupModal("About Kelvorn", nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::PushFont(fonts_.get(14, true));
  ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(colour::Gold));
  ImGui::TextUnformatted("Kelvorn Ver1.2");
  ImGui::PopStyleColor();
  ImGui::PopFont();
  // The separator spans the box from frame to frame.
  ImDrawList* list = ImGui::GetWindowDrawList();
  const ImVec2 at = ImGui::GetCursorScreenPos();
  const float left = ImGui::GetWindowPos().x + 1, right = left + ImGui::GetWindowWidth() - 2;
  list->AddLine(ImVec2(left, at.y + 3.5f), ImVec2(right, at.y + 3.5f), colour::GoldDark);
  ImGui::Dummy(ImVec2(textWidth, 8));
  ImGui::TextUnformatted(kText);
  ImGui::Dummy(ImVec2(0, 4));
  const ImVec2 size(88, 26);
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - size.x) / 2);
  const bool enter =
      !ImGui::IsWindowAppearing() && (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
                                      ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)));
  if (gameButton(fonts_, "OK", "OK", size, {true, true}) || enter) {
    aboutOpen_ = false;
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
