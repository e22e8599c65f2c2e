#include "ui/menu_bar.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <string>
#include <utility>

#include "ui/slot_label.h"

namespace kelvorn::ui {

void MenuBar::padToMenus(Gamepads& pads) {
  if (!padOpen_ && !padWanted_) return;
  // Dear ImGui's navigation reads the pad only with this flag; it is set here, after the
  // SDL backend's frame (which would open a pad of its own with it), and taken away
  // again once Dear ImGui's frame has begun.
  ImGuiIO& io = ImGui::GetIO();
  io.ConfigFlags |= ImGuiConfigFlags_NavEnableGamepad;
  io.BackendFlags |= ImGuiBackendFlags_HasGamepad;
  static constexpr std::pair<ImGuiNavInput_, SDL_GameControllerButton> kButtons[] = {
      {ImGuiNavInput_Activate, SDL_CONTROLLER_BUTTON_A},
      {ImGuiNavInput_Cancel, SDL_CONTROLLER_BUTTON_B},
      {ImGuiNavInput_DpadUp, SDL_CONTROLLER_BUTTON_DPAD_UP},
      {ImGuiNavInput_DpadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN},
      {ImGuiNavInput_DpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
      {ImGuiNavInput_DpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT}};
  for (const auto& [input, button] : kButtons) io.NavInputs[input] = pads.down(button) ? 1.0f : 0;
  static constexpr std::pair<ImGuiNavInput_, PadPress> kStick[] = {
      {ImGuiNavInput_DpadUp, PadPress::Up},
      {ImGuiNavInput_DpadDown, PadPress::Down},
      {ImGuiNavInput_DpadLeft, PadPress::Left},
      {ImGuiNavInput_DpadRight, PadPress::Right}};
  for (const auto& [input, direction] : kStick)
    if (pads.stickDirection() == direction) io.NavInputs[input] = 1;
}

void MenuBar::draw(const MenuContext& c) {
  if (!ImGui::BeginMainMenuBar()) return;
  Game& game = c.game;
  const bool padOpens = padWanted_;
  if (padOpens) {
    ImGui::OpenPopup("Game");
    padWanted_ = false;
    padOpen_ = true;
  }
  bool anyOpen = false;
  const Controls& controls = game.controls;
  if (ImGui::BeginMenu("Game")) {
    anyOpen = true;
    if (ImGui::MenuItem("Game Start", "F2")) game.menuGameStart();
    if (padOpens) {  // the pad starts on the first item, shown as chosen
      ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
      GImGui->NavDisableHighlight = false;
      GImGui->NavDisableMouseHover = true;
    }
    if (ImGui::MenuItem("Game Quit", "F9")) game.menuGameQuit();
    if (ImGui::MenuItem("Can I still win?", nullptr, false, controls.optionsEnabled))
      c.carryOut(WindowCommand::RouteCheck);
    if (ImGui::MenuItem("Game Exit")) game.menuGameExit();
    ImGui::Separator();
    if (ImGui::MenuItem("Undo", "Ctrl+Z", false, c.state(WindowCommand::Undo)))
      c.carryOut(WindowCommand::Undo);
    if (ImGui::MenuItem("Redo", "Ctrl+Y", false, c.state(WindowCommand::Redo)))
      c.carryOut(WindowCommand::Redo);
    if (ImGui::MenuItem("Save Replay...", nullptr, false, game.records.replay.recording()))
      c.carryOut(WindowCommand::SaveReplay);
    ImGui::EndMenu();
  }
  for (const bool load : {true, false})
    if (ImGui::BeginMenu(load ? "Load" : "Save",
                         load ? controls.loadEnabled : controls.saveEnabled)) {
      anyOpen = true;
      drawSlotMenu(c, load);
      ImGui::EndMenu();
    }
  if (ImGui::BeginMenu("Options", controls.optionsEnabled)) {
    anyOpen = true;
    drawOptionsMenu(c);
    ImGui::EndMenu();
  }
  // The size cannot change while a script plays: it would cut the script short. Full
  // screen only scales the picture, so F11 works at any time.
  if (ImGui::BeginMenu("Size", controls.sizeEnabled && controls.optionsEnabled)) {
    anyOpen = true;
    if (ImGui::MenuItem("640x400 (S)", nullptr, !c.layout.large))
      c.carryOut(WindowCommand::SmallSize);
    if (ImGui::MenuItem("800x500 (B)", nullptr, c.layout.large, c.state(WindowCommand::LargeSize)))
      c.carryOut(WindowCommand::LargeSize);
    ImGui::Separator();
    if (ImGui::MenuItem("Full Screen", "F11", c.state(WindowCommand::FullScreen)))
      c.carryOut(WindowCommand::FullScreen);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Ranking", controls.rankingEnabled)) {
    anyOpen = true;
    if (ImGui::MenuItem("Show Ranking")) game.menuRanking();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Help")) {
    anyOpen = true;
    if (ImGui::MenuItem("Keys and Buttons", "F1")) c.carryOut(WindowCommand::Help);
    if (ImGui::MenuItem("About Kelvorn")) c.carryOut(WindowCommand::About);
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
  if (!anyOpen) padOpen_ = false;
}

void MenuBar::drawSlotMenu(const MenuContext& c, bool load) {
  const Controls& controls = c.game.controls;
  if (c.slotDetails && ImGui::IsWindowAppearing())
    for (int slot = 1; slot <= 8; ++slot) slots_[slot] = c.holder.summary(slot);
  for (int slot = 1; slot <= 8; ++slot) {
    const bool checked = (load ? controls.loadChecked : controls.saveChecked) == slot;
    const std::string text = c.slotDetails ? slotDetails(slots_[slot]) : std::string();
    if (ImGui::MenuItem(("Data " + std::to_string(slot)).c_str(),
                        c.slotDetails ? text.c_str() : nullptr, checked))
      load ? c.game.menuLoad(slot) : c.game.menuSave(slot);
  }
  if (load) c.loadItems();
}

void MenuBar::drawOptionsMenu(const MenuContext& c) {
  Game& game = c.game;
  const Controls& controls = game.controls;
  const OptionBytes& o = game.options;
  if (ImGui::BeginMenu("Speed")) {
    const auto speed = checkedSpeed(o);
    if (ImGui::MenuItem("High", nullptr, speed == Speed::High)) game.menuSpeed(Speed::High);
    if (ImGui::MenuItem("Middle", nullptr, speed == Speed::Middle)) game.menuSpeed(Speed::Middle);
    if (ImGui::MenuItem("Low", nullptr, speed == Speed::Low)) game.menuSpeed(Speed::Low);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Font")) {
    const auto checked = checkedFont(o);
    static constexpr std::pair<const char*, FontChoice> kFonts[] = {{"Tiny", FontChoice::Tiny},
                                                                    {"Small", FontChoice::Small},
                                                                    {"Normal", FontChoice::Normal},
                                                                    {"Big", FontChoice::Big}};
    for (const auto& [name, choice] : kFonts)
      if (ImGui::MenuItem(name, nullptr, checked == choice)) game.menuFont(choice);
    ImGui::EndMenu();
  }
  ImGui::Separator();
  if (ImGui::MenuItem("Keyboard Control", nullptr, controls.keyboardControl))
    game.menuControl(Control::Keyboard);
  if (ImGui::MenuItem("Mouse Control", nullptr, !controls.keyboardControl))
    game.menuControl(Control::Mouse);
  if (ImGui::MenuItem("Keys...")) c.carryOut(WindowCommand::Keys);
  ImGui::Separator();
  if (ImGui::MenuItem("Prologue", nullptr, controls.prologueChecked)) game.menuPrologue();
  if (ImGui::MenuItem("Background Music On", nullptr, controls.musicChecked)) game.menuMusic();
  if (ImGui::MenuItem("Wav Sound On", nullptr, game.state[gs::SoundOff] == 0)) game.menuSound();
  c.settingsItems();
  ImGui::Separator();
  if (ImGui::MenuItem("Save Option")) game.menuOptionSave();
  if (ImGui::MenuItem("Initialize Option")) game.menuOptionInit();
  if (ImGui::MenuItem("Change Save Holder")) game.menuHolder();
}

}  // namespace kelvorn::ui
