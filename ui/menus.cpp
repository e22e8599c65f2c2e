// The menu bar and the About box. Commands follow the input lock and the options block;
// the window's own settings (full screen, keys, volumes, the comforts) sit beside them.
// A gamepad's Start opens the bar, and the pad moves through it as the keyboard would.
#include <imgui.h>
#include <imgui_internal.h>

#include "ui/app.h"
#include "ui/recovery.h"
#include "ui/slot_label.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
// The comforts a purist switches off to play exactly the game as it was made, by their
// names in settings.ini; each is on until switched off.
struct ComfortItem {
  const char* name;
  const char* label;
  bool byDefault = true;
};
constexpr ComfortItem kComforts[] = {
    {setting::ShowDamage, "Show Damage"},
    {setting::SkipFights, "Skip battle animations", false},
    {setting::KeepKeys, "Keep Keys During Short Scenes"},
    {setting::ClickToWalk, "Click a Floor Cell to Walk There"},
    {setting::MonsterHints, "Monster Name and Cost Under the Pointer"},
    {setting::SlotDetails, "Floor, Life and Date in Save and Load"},
};
}  // namespace

void App::padToMenus() {
  if (!padMenuOpen_ && !padMenuWanted_) return;
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
  for (const auto& [input, button] : kButtons) io.NavInputs[input] = pads_.down(button) ? 1.0f : 0;
  static constexpr std::pair<ImGuiNavInput_, PadPress> kStick[] = {
      {ImGuiNavInput_DpadUp, PadPress::Up},
      {ImGuiNavInput_DpadDown, PadPress::Down},
      {ImGuiNavInput_DpadLeft, PadPress::Left},
      {ImGuiNavInput_DpadRight, PadPress::Right}};
  for (const auto& [input, direction] : kStick)
    if (pads_.stickDirection() == direction) io.NavInputs[input] = 1;
}

void App::drawMenuBar() {
  if (!ImGui::BeginMainMenuBar()) return;
  const bool padOpens = padMenuWanted_;
  if (padOpens) {
    ImGui::OpenPopup("Game");
    padMenuWanted_ = false;
    padMenuOpen_ = true;
  }
  bool anyOpen = false;
  const Controls& c = game_.controls;
  if (ImGui::BeginMenu("Game")) {
    anyOpen = true;
    if (ImGui::MenuItem("Game Start", "F2")) game_.menuGameStart();
    if (padOpens) {  // the pad starts on the first item, shown as chosen
      ImGui::SetFocusID(ImGui::GetItemID(), ImGui::GetCurrentWindow());
      GImGui->NavDisableHighlight = false;
      GImGui->NavDisableMouseHover = true;
    }
    if (ImGui::MenuItem("Game Quit", "F9")) game_.menuGameQuit();
    if (ImGui::MenuItem("Can I still win?", nullptr, false, c.optionsEnabled)) openRouteCheck();
    if (ImGui::MenuItem("Game Exit")) game_.menuGameExit();
    ImGui::Separator();
    if (ImGui::MenuItem("Undo", "Ctrl+Z", false, canUndo())) undo();
    if (ImGui::MenuItem("Redo", "Ctrl+Y", false, canRedo())) redo();
    if (ImGui::MenuItem("Save Replay...", nullptr, false, game_.records.replay.recording()))
      saveReplayOpen_ = true;
    ImGui::EndMenu();
  }
  for (const bool load : {true, false})
    if (ImGui::BeginMenu(load ? "Load" : "Save", load ? c.loadEnabled : c.saveEnabled)) {
      anyOpen = true;
      drawSlotMenu(load);
      ImGui::EndMenu();
    }
  if (ImGui::BeginMenu("Options", c.optionsEnabled)) {
    anyOpen = true;
    drawOptionsMenu();
    ImGui::EndMenu();
  }
  // The size cannot change while a script plays: it would cut the script short. Full
  // screen only scales the picture, so F11 works at any time.
  if (ImGui::BeginMenu("Size", c.sizeEnabled && c.optionsEnabled)) {
    anyOpen = true;
    if (ImGui::MenuItem("640x400 (S)", nullptr, !drawing_.layout.large)) changeSize(false);
    if (ImGui::MenuItem("800x500 (B)", nullptr, drawing_.layout.large, largeAllowed()))
      changeSize(true);
    ImGui::Separator();
    if (ImGui::MenuItem("Full Screen", "F11", fullScreen())) toggleFullScreen();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Ranking", c.rankingEnabled)) {
    anyOpen = true;
    if (ImGui::MenuItem("Show Ranking")) game_.menuRanking();
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Help")) {
    anyOpen = true;
    if (ImGui::MenuItem("Keys and Buttons", "F1")) helpOpen_ = true;
    if (ImGui::MenuItem("About Kelvorn")) aboutOpen_ = true;
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
  if (!anyOpen) padMenuOpen_ = false;
}

void App::drawSlotMenu(bool load) {
  const Controls& c = game_.controls;
  const bool details = comfort(setting::SlotDetails);
  if (details && ImGui::IsWindowAppearing())
    for (int slot = 1; slot <= 8; ++slot) slots_[slot] = holder().summary(slot);
  for (int slot = 1; slot <= 8; ++slot) {
    const bool checked = (load ? c.loadChecked : c.saveChecked) == slot;
    const std::string text = details ? slotDetails(slots_[slot]) : std::string();
    if (ImGui::MenuItem(("Data " + std::to_string(slot)).c_str(), details ? text.c_str() : nullptr,
                        checked))
      load ? game_.menuLoad(slot) : game_.menuSave(slot);
  }
  if (load) {
    if (ImGui::IsWindowAppearing()) continuable_ = autosaves_.newest();
    if (continuable_) {
      ImGui::Separator();
      const std::string text = slotDetails(continuable_->summary);
      if (ImGui::MenuItem("Continue (autosave)", text.c_str())) loadAutosave(continuable_->file);
    }
  }
  if (load && recoveryOffered_) {
    ImGui::Separator();
    if (ImGui::MenuItem("Recovered Game"))
      recoveryOffered_ = loadRecovered(game_) != Game::LoadResult::Loaded;
  }
}

void App::drawOptionsMenu() {
  const Controls& c = game_.controls;
  const OptionBytes& o = game_.options;
  if (ImGui::BeginMenu("Speed")) {
    const auto speed = checkedSpeed(o);
    if (ImGui::MenuItem("High", nullptr, speed == Speed::High)) game_.menuSpeed(Speed::High);
    if (ImGui::MenuItem("Middle", nullptr, speed == Speed::Middle)) game_.menuSpeed(Speed::Middle);
    if (ImGui::MenuItem("Low", nullptr, speed == Speed::Low)) game_.menuSpeed(Speed::Low);
    ImGui::EndMenu();
  }
  if (ImGui::BeginMenu("Font")) {
    const auto checked = checkedFont(o);
    static constexpr std::pair<const char*, FontChoice> kFonts[] = {{"Tiny", FontChoice::Tiny},
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
  if (ImGui::MenuItem("Keys...")) keysOpen_ = true;
  ImGui::Separator();
  if (ImGui::MenuItem("Prologue", nullptr, c.prologueChecked)) game_.menuPrologue();
  if (ImGui::MenuItem("Background Music On", nullptr, c.musicChecked)) game_.menuMusic();
  if (ImGui::MenuItem("Wav Sound On", nullptr, game_.state[gs::SoundOff] == 0)) game_.menuSound();
  // The volumes change as the slider moves and are kept once it is let go.
  for (const auto& [name, label] : {std::pair{setting::MusicVolume, "Music Volume"},
                                    std::pair{setting::EffectsVolume, "Effects Volume"}}) {
    int volume = settings_.number(name, 0, 100, 100);
    ImGui::SetNextItemWidth(110);
    if (ImGui::SliderInt(label, &volume, 0, 100, "%d%%", ImGuiSliderFlags_AlwaysClamp)) {
      settings_.setNumber(name, volume);
      applyVolumes();
    }
    if (ImGui::IsItemDeactivatedAfterEdit()) saveSettings();
  }
  ImGui::Separator();
  if (ImGui::BeginMenu("Comforts")) {
    for (const ComfortItem& item : kComforts)
      if (ImGui::MenuItem(item.label, nullptr, comfort(item.name, item.byDefault)))
        setComfort(item.name, !comfort(item.name, item.byDefault));
    ImGui::EndMenu();
  }
  ImGui::Separator();
  if (ImGui::MenuItem("Save Option")) game_.menuOptionSave();
  if (ImGui::MenuItem("Initialize Option")) game_.menuOptionInit();
  if (ImGui::MenuItem("Change Save Holder")) game_.menuHolder();
}

void App::drawAbout() {
  if (!aboutOpen_) return;
  if (!ImGui::IsPopupOpen("About Kelvorn")) ImGui::OpenPopup("About Kelvorn");
  static constexpr const char* kText =
      "Climb the fifty floors of the tower.\n"
      "Every battle is decided before it starts: check a monster's\n"
      "life, offense and defense, and spend keys and gold with care.\n\n"
      "Arrow keys walk. Enter opens the item cursor; Escape closes it.\n"
      "F2 starts a new game, F9 ends the program; F1 lists every key.";
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
