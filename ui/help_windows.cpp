// The key and button help (F1) and the Keys window, where each action of play gets the
// keys the player chooses.
#include <imgui.h>

#include "ui/app.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
constexpr ImGuiWindowFlags kFlags =
    ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings;
const ImVec2 kButton(88, 26);

// Opens the popup while `wanted`, closes it once not; true while it is to be drawn.
bool beginWindow(const char* title, bool wanted) {
  const bool open = ImGui::IsPopupOpen(title);
  if (!wanted && !open) return false;
  if (wanted && !open) ImGui::OpenPopup(title);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  return ImGui::BeginPopupModal(title, nullptr, kFlags);
}
}  // namespace

void App::drawHelp() {
  if (!beginWindow("Keys and Buttons", helpOpen_)) return;
  struct Row {
    std::string what, keys;
    const char* pad;
  };
  std::vector<Row> rows;
  static constexpr const char* kPadWalk[] = {
      "D-pad, stick", "D-pad, stick", "D-pad, stick", "D-pad, stick", "A", "B"};
  for (int a = 0; a < kActions; ++a)
    rows.push_back({actionInfo(Action(a)).label, keys_.names(Action(a)), kPadWalk[a]});
  rows.push_back({"Menu bar", "Mouse", "Start"});
  rows.push_back({"Fast play", "Hold Space", "Hold L or R"});
  rows.push_back({"New game", "F2", ""});
  rows.push_back({"End the program", "F9", ""});
  rows.push_back({"Full screen", "F11", ""});
  rows.push_back({"This help", "F1", ""});
  rows.push_back({"Use an item", "Click its icon", ""});
  if (comfort(setting::ClickToWalk)) rows.push_back({"Walk to a floor cell", "Click it", ""});
  if (comfort(setting::MonsterHints))
    rows.push_back({"A monster's name and cost", "Point at it", ""});

  if (ImGui::BeginTable("##help", 3, ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerH)) {
    ImGui::TableSetupColumn("What", ImGuiTableColumnFlags_WidthFixed, 160);
    ImGui::TableSetupColumn("Keys and mouse", ImGuiTableColumnFlags_WidthFixed, 190);
    ImGui::TableSetupColumn("Gamepad", ImGuiTableColumnFlags_WidthFixed, 90);
    ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(colour::GoldLight));
    ImGui::TableHeadersRow();
    ImGui::PopStyleColor();
    for (const Row& row : rows) {
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(row.what.c_str());
      ImGui::TableNextColumn();
      ImGui::TextWrapped("%s", row.keys.c_str());
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(row.pad);
    }
    ImGui::EndTable();
  }
  ImGui::Dummy(ImVec2(0, 2));
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - kButton.x) / 2);
  if (gameButton(fonts_, "OK##help", "OK", kButton, {true, true})) helpOpen_ = false;
  if (!helpOpen_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

void App::drawKeysWindow() {
  if (!beginWindow("Keys", keysOpen_)) return;
  const ImVec2 slot(100, 24);
  for (int a = 0; a < kActions; ++a) {
    const Action action = Action(a);
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(actionInfo(action).label);
    for (int s = 0; s < kKeysPerAction; ++s) {
      ImGui::SameLine(180 + s * (slot.x + 6));
      const bool waiting = capturing_ && *capturing_ == std::pair(action, s);
      const SDL_Keycode key = keys_.key(action, s);
      const std::string label = waiting               ? "Press a key"
                                : key == SDLK_UNKNOWN ? "-"
                                                      : SDL_GetKeyName(key);
      ImGui::PushID(a * kKeysPerAction + s);
      if (gameButton(fonts_, "##slot", label, slot, {waiting, true, 9, false})) {
        capturing_ = std::pair(action, s);
        keysNote_.clear();
      }
      ImGui::PopID();
    }
  }
  ImGui::Dummy(ImVec2(0, 2));
  ImGui::TextDisabled("%s", capturing_ ? "The next key pressed takes the slot."
                                       : "Click a slot, then press its new key.");
  if (!keysNote_.empty()) ImGui::TextUnformatted(keysNote_.c_str());
  ImGui::Dummy(ImVec2(0, 2));
  if (capturing_) {
    if (gameButton(fonts_, "Clear##keys", "Clear", kButton)) {
      if (keys_.clear(capturing_->first, capturing_->second)) {
        keys_.store(settings_);
        saveSettings();
      } else {
        keysNote_ = "Each action keeps at least one key.";
      }
      capturing_.reset();
    }
    ImGui::SameLine();
    if (gameButton(fonts_, "Cancel##keys", "Cancel", kButton)) capturing_.reset();
  } else {
    if (gameButton(fonts_, "Defaults##keys", "Defaults", kButton)) {
      keys_.resetToDefaults();
      keys_.store(settings_);
      saveSettings();
      keysNote_.clear();
    }
    ImGui::SameLine(ImGui::GetWindowWidth() - ImGui::GetStyle().WindowPadding.x - kButton.x);
    if (gameButton(fonts_, "Close##keys", "Close", kButton, {true, true})) keysOpen_ = false;
  }
  if (!keysOpen_) {
    capturing_.reset();
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
