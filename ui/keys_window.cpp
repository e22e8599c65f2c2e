#include "ui/keys_window.h"

#include <imgui.h>

#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
const ImVec2 kButton(88, 26);
}  // namespace

bool KeysWindow::takeKey(SDL_Keycode key) {
  if (capturing_) {
    const auto [action, slot] = *capturing_;
    if (reservedKey(key)) {
      note_ = std::string(SDL_GetKeyName(key)) + " is kept by the window.";
      return true;
    }
    KeyBindings& keys = settings_.keys();
    if (const auto before = keys.actionOf(key); before && *before != action)
      note_ =
          std::string(SDL_GetKeyName(key)) + " no longer means " + actionInfo(*before).label + ".";
    else
      note_.clear();
    keys.bind(action, slot, key);
    settings_.keepKeys();
    capturing_.reset();
    return true;
  }
  if (open_ && key == SDLK_ESCAPE) {
    open_ = false;
    return true;
  }
  return false;
}

bool KeysWindow::takePadEscape() {
  if (!open_ || capturing_) return false;
  open_ = false;
  return true;
}

void KeysWindow::draw(const Canvas& canvas) {
  if (!beginCentredWindow("Keys", open_)) return;
  KeyBindings& keys = settings_.keys();
  const ImVec2 slot(100, 24);
  for (int a = 0; a < kActions; ++a) {
    const Action action = Action(a);
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(actionInfo(action).label);
    for (int s = 0; s < kKeysPerAction; ++s) {
      ImGui::SameLine(180 + s * (slot.x + 6));
      const bool waiting = capturing_ && *capturing_ == std::pair(action, s);
      const SDL_Keycode key = keys.key(action, s);
      const std::string label = waiting               ? "Press a key"
                                : key == SDLK_UNKNOWN ? "-"
                                                      : SDL_GetKeyName(key);
      ImGui::PushID(a * kKeysPerAction + s);
      if (gameButton(canvas.fonts, "##slot", label, slot, {waiting, true, 9, false})) {
        capturing_ = std::pair(action, s);
        note_.clear();
      }
      ImGui::PopID();
    }
  }
  ImGui::Dummy(ImVec2(0, 2));
  ImGui::TextDisabled("%s", capturing_ ? "The next key pressed takes the slot."
                                       : "Click a slot, then press its new key.");
  if (!note_.empty()) ImGui::TextUnformatted(note_.c_str());
  ImGui::Dummy(ImVec2(0, 2));
  if (capturing_) {
    if (gameButton(canvas.fonts, "Clear##keys", "Clear", kButton)) {
      if (keys.clear(capturing_->first, capturing_->second))
        settings_.keepKeys();
      else
        note_ = "Each action keeps at least one key.";
      capturing_.reset();
    }
    ImGui::SameLine();
    if (gameButton(canvas.fonts, "Cancel##keys", "Cancel", kButton)) capturing_.reset();
  } else {
    if (gameButton(canvas.fonts, "Defaults##keys", "Defaults", kButton)) {
      keys.resetToDefaults();
      settings_.keepKeys();
      note_.clear();
    }
    ImGui::SameLine(ImGui::GetWindowWidth() - ImGui::GetStyle().WindowPadding.x - kButton.x);
    if (gameButton(canvas.fonts, "Close##keys", "Close", kButton, {true, true})) open_ = false;
  }
  if (!open_) {
    capturing_.reset();
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
