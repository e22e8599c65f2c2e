#include "ui/message_boxes.h"

#include <imgui.h>

#include "ui/theme.h"

namespace kelvorn::ui {

bool MessageBoxes::takeKey(SDL_Keycode key) {
  if (game_.question) {
    if (key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_TAB)
      yesFocused_ = !yesFocused_;
    else if (key == SDLK_RETURN)
      game_.answer(yesFocused_);
    else if (key == SDLK_ESCAPE || key == SDLK_n)
      game_.answer(false);
    else if (key == SDLK_y)
      game_.answer(true);
    return true;
  }
  if (game_.dialogs.notice) {
    if (key == SDLK_RETURN || key == SDLK_ESCAPE) game_.acknowledge();
    return true;
  }
  return false;
}

void MessageBoxes::draw(const Canvas& canvas) {
  const char* popup = game_.question ? "##question" : game_.dialogs.notice ? "##notice" : nullptr;
  if (!popup) return;
  const std::string& text = game_.question ? game_.question->text : *game_.dialogs.notice;
  if (!ImGui::IsPopupOpen(popup)) {
    ImGui::OpenPopup(popup);
    yesFocused_ = true;
  }
  if (!beginBox(canvas, popup, text)) return;
  const ImVec2 button(88, 26);
  if (game_.question) {
    boxButtons(2, button.x);
    if (gameButton(canvas.fonts, "Yes", "Yes", button, {yesFocused_, true})) game_.answer(true);
    ImGui::SameLine();
    if (gameButton(canvas.fonts, "No", "No", button, {!yesFocused_, true})) game_.answer(false);
  } else {
    boxButtons(1, button.x);
    if (gameButton(canvas.fonts, "OK", "OK", button, {true, true})) game_.acknowledge();
  }
  if (!game_.question && !game_.dialogs.notice) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
