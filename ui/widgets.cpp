#include "ui/widgets.h"

#include <imgui_impl_sdl.h>

#include <algorithm>

#include "ui/theme.h"

namespace kelvorn::ui {

void textIn(const Canvas& canvas, const Rect& place, std::string_view text, int points, bool bold,
            Align align, ImU32 colour, bool wrap) {
  const FittedText fit = fitText(canvas.fonts, text, sizeOf(place), points, bold, wrap);
  drawText(ImGui::GetWindowDrawList(), fit, screenMin(place, canvas.top), sizeOf(place), align,
           colour);
}

bool button(const Canvas& canvas, const char* label, const Rect& r, bool focused, bool enabled,
            int points) {
  ImGui::SetCursorScreenPos(screenMin(r, canvas.top));
  const std::string_view shown =
      std::string_view(label).substr(0, std::string_view(label).find("##"));
  return gameButton(canvas.fonts, label, shown, sizeOf(r), {focused, enabled, points});
}

bool beginBox(const Canvas& canvas, const char* id, std::string_view text, std::string_view title) {
  // As wide as the text on one line, within a width that still holds two buttons and
  // leaves the window around the box.
  const float padding = ImGui::GetStyle().WindowPadding.x;
  float natural = 0;
  for (const auto& [part, bold] : {std::pair{text, false}, std::pair{title, true}}) {
    if (part.empty()) continue;
    ImFont* f = canvas.fonts.get(10, bold);
    natural = std::max(
        natural, f->CalcTextSizeA(f->FontSize, 1e9f, 0, part.data(), part.data() + part.size()).x);
  }
  const float width = std::clamp(natural + 2 * padding, 280.0f,
                                 std::min(440.0f, canvas.layout.clientWidth - 80.0f));
  const float wrap = width - 2 * padding;
  const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
  ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(width, 0));
  if (!ImGui::BeginPopupModal(id, nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoTitleBar))
    return false;
  if (!title.empty()) {
    const FittedText heading = fitText(canvas.fonts, title, ImVec2(wrap, 1e6f), 10, true, true);
    drawText(ImGui::GetWindowDrawList(), heading, ImGui::GetCursorScreenPos(),
             ImVec2(wrap, heading.height), Align::Left, colour::GoldLight);
    ImGui::Dummy(ImVec2(wrap, heading.height + 2));
  }
  const FittedText fit = fitText(canvas.fonts, text, ImVec2(wrap, 1e6f), 10, false, true);
  ImGui::Dummy(ImVec2(wrap, 2));
  const ImVec2 at = ImGui::GetCursorScreenPos();
  drawText(ImGui::GetWindowDrawList(), fit, at, ImVec2(wrap, fit.height), Align::Left,
           colour::Text);
  ImGui::Dummy(ImVec2(wrap, fit.height + 10));
  return true;
}

void boxButtons(int count, float width) {
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  const float all = count * width + (count - 1) * spacing;
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - all) / 2);
}

bool okBox(const Canvas& canvas, const char* id, const std::string& text) {
  if (!ImGui::IsPopupOpen(id)) ImGui::OpenPopup(id);
  if (!beginBox(canvas, id, text)) return false;
  const ImVec2 size(88, 26);
  boxButtons(1, size.x);
  const bool closed = gameButton(canvas.fonts, "OK", "OK", size, {true, true}) || enterPressed();
  if (closed) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
  return closed;
}

bool beginCentredWindow(const char* title, bool wanted) {
  const bool open = ImGui::IsPopupOpen(title);
  if (!wanted && !open) return false;
  if (wanted && !open) ImGui::OpenPopup(title);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  return ImGui::BeginPopupModal(title, nullptr,
                                ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove |
                                    ImGuiWindowFlags_NoSavedSettings);
}

bool enterPressed() {
  return !ImGui::IsWindowAppearing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
}

bool escapePressed() {
  return !ImGui::IsWindowAppearing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
}

int ButtonFocus::at(const std::string& group, int count, int initial) {
  if (group != group_) {
    group_ = group;
    focus_ = initial;
  }
  focus_ = ((focus_ % count) + count) % count;
  return focus_;
}

bool buttonsShowing(const Game& game) {
  const Controls& c = game.controls;
  return c.windowVisible || c.yesNoVisible || c.altarChoicesVisible || c.confirmSlot >= 0 ||
         c.flightVisible || c.hintGridVisible || c.forecastVisible || c.sceneVisible ||
         c.backSideVisible || game.dialogs.cursorShown || game.introRunning();
}

void noteWindowInput(Game& game, const std::string& command) {
  const auto noted = game.records.replay.note(game, command);
}

void imguiKey(SDL_Keycode key, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  ImGui_ImplSDL2_ProcessEvent(&e);
}

}  // namespace kelvorn::ui
