// The buttons of conversations and items: item icons, Yes and No, the altar's choices,
// "Don't use" and "Use", the flight buttons, the hint grid and the forecast panel, with
// the keyboard moving between them.
#include <imgui.h>

#include "ui/app.h"

namespace kelvorn::ui {

namespace {
ImVec2 pos(const Rect& r, int top) { return ImVec2(float(r.x), float(r.y + top)); }
ImVec2 size(const Rect& r) { return ImVec2(float(r.w), float(r.h)); }

// A button that shows it has the keyboard focus.
bool button(const char* label, const Rect& r, int top, bool focused, bool enabled = true) {
  ImGui::SetCursorScreenPos(pos(r, top));
  ImGui::BeginDisabled(!enabled);
  if (focused) ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonHovered));
  const bool pressed = ImGui::Button(label, size(r));
  if (focused) ImGui::PopStyleColor();
  ImGui::EndDisabled();
  return pressed;
}
}  // namespace

int App::focusedButton(const std::string& group, int count, int initial) {
  if (group != focusGroup_) {
    focusGroup_ = group;
    focus_ = initial;
  }
  focus_ = ((focus_ % count) + count) % count;
  return focus_;
}

void App::drawItemIcons() {
  const Layout& l = game_.layout;
  const int top = menuHeight();
  for (int s = 0; s < kItemSlots; ++s) {
    if (!game_.controls.iconVisible[s] || !game_.controls.iconEnabled[s]) continue;
    ImGui::SetCursorScreenPos(pos(l.itemIcons[s], top));
    ImGui::PushID(s);
    if (ImGui::InvisibleButton("##item", size(l.itemIcons[s]))) game_.clickItem(s);
    ImGui::PopID();
  }
  // "Don't use" and "Use" under the icon of the item that asks.
  const int slot = game_.controls.confirmSlot;
  if (slot < 0) return;
  const Rect& icon = l.itemIcons[slot];
  const int t = l.tileSize;
  const Rect dontUse{icon.x - t / 2, icon.bottom(), 2 * t, t / 2 + 4};
  const Rect use{dontUse.x, dontUse.bottom(), 2 * t, t / 2 + 4};
  const int f = focusedButton("confirm", 2, 0);
  if (button("Don't use", dontUse, top, f == 0)) game_.pressDontUse();
  else if (button("Use", use, top, f == 1)) game_.pressUse();
}

void App::drawAnswerButtons() {
  const Controls& c = game_.controls;
  const Layout& l = game_.layout;
  const int top = menuHeight();
  if (c.yesNoVisible) {
    const int f = focusedButton("yesno", 2, 0);
    if (button("Yes", l.yesNo[0], top, f == 0)) game_.pressYes();
    else if (button("No", l.yesNo[1], top, f == 1, c.noEnabled)) game_.pressNo();
  }
  if (c.altarChoicesVisible) {
    const int f = focusedButton("altar", 4, 3);
    for (int i = 0; i < 4; ++i) {
      ImGui::PushID(i);
      const bool pressed = button(c.altarChoices[i].c_str(), l.altarButtons[i], top, f == i);
      ImGui::PopID();
      if (pressed) {
        game_.pressAltarChoice(i + 1);
        break;
      }
    }
  }
}

void App::drawFlightButtons() {
  const Controls& c = game_.controls;
  if (!c.flightVisible) return;
  const Layout& l = game_.layout;
  const int top = menuHeight();
  const int w = scaleUp(64), h = l.tileSize * 3 / 4, gap = 8;
  const int x0 = l.board.x + (l.board.w - 3 * w - 2 * gap) / 2, y = l.board.bottom() - h - 8;
  const Rect up{x0, y, w, h}, down{x0 + w + gap, y, w, h}, ok{x0 + 2 * (w + gap), y, w, h};
  // Holding UP or DOWN repeats it; a click is one floor.
  auto held = [&](const char* label, const Rect& r, bool enabled, bool isUp) {
    const bool pressed = button(label, r, top, false, enabled);
    if (ImGui::IsItemActivated()) game_.flightButtonDown(isUp);
    if (ImGui::IsItemDeactivated()) game_.flightButtonUp();
    return pressed;
  };
  if (held("UP", up, c.flightUpEnabled, true)) game_.pressFlyUp();
  if (held("DOWN", down, c.flightDownEnabled, false)) game_.pressFlyDown();
  if (button("OK", ok, top, true)) game_.pressFlyOk();
}

void App::drawHintGrid() {
  const Controls& c = game_.controls;
  if (!c.hintGridVisible) return;
  const Layout& l = game_.layout;
  const int top = menuHeight();
  const int b = l.large ? 25 : 20;
  const int x0 = l.messageWindow.x, y0 = l.messageWindow.bottom() + 8;
  ImDrawList* list = ImGui::GetWindowDrawList();
  const ImVec2 p0(float(x0 - 6), float(y0 - 6 + top));
  list->AddRectFilled(p0, ImVec2(float(x0 + 6 * b + scaleUp(64) + 16), float(y0 + 4 * b + 4 + top)),
                      IM_COL32(40, 44, 64, 255), 4);
  for (int i = 0; i < 24; ++i) {
    const Rect r{x0 + (i % 6) * b, y0 + (i / 6) * b, b - 2, b - 2};
    ImGui::PushID(i);
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(0, 0));
    if (button(std::to_string(i + 1).c_str(), r, top, false, c.hintEnabled[i])) game_.pressHint(i + 1);
    ImGui::PopStyleVar();
    if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled)) ImGui::SetTooltip("%s", kHintNames[i]);
    ImGui::PopID();
  }
  const Rect ok{x0 + 6 * b + 8, y0 + 3 * b - scaleUp(25) + b - 2, scaleUp(64), scaleUp(25)};
  if (button("OK##hints", ok, top, true)) game_.pressHintOk();
}

void App::drawForecast() {
  if (!game_.controls.forecastVisible) return;
  const Layout& l = game_.layout;
  const int top = menuHeight();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const Rect& panel = l.centrePanel;
  list->AddRectFilled(pos(panel, top), ImVec2(float(panel.right()), float(panel.bottom() - 3 + top)),
                      IM_COL32(24, 26, 40, 245));
  const int t = l.tileSize;
  const int left = (l.large ? 176 : 141) + (l.large ? 50 : 40);
  const int rowTop = l.large ? 100 : 80, rowHeight = l.large ? 50 : 40;
  ImFont* f = font(game_.options[opt::SmallFont], false);
  ImFont* bold = font(game_.options[opt::SmallFont], true);
  for (std::size_t i = 0; i < game_.forecast.size(); ++i) {
    const Game::ForecastRow& row = game_.forecast[i];
    const int y = rowTop + static_cast<int>(i) * rowHeight + top;
    Texture& portrait = forecastPortraits_[i];
    portrait.upload(renderer_, row.portrait);
    const float px = float(left - t - 6), py = float(y + (rowHeight - t) / 2 - 4);
    list->AddImage(reinterpret_cast<ImTextureID>(portrait.handle()), ImVec2(px, py),
                   ImVec2(px + t, py + t));
    list->AddText(bold, bold->FontSize, ImVec2(float(left), float(y)), IM_COL32(250, 230, 160, 255),
                  row.name.c_str());
    list->AddText(f, f->FontSize, ImVec2(float(left), float(y) + bold->FontSize + 2),
                  IM_COL32(220, 224, 235, 255), row.stats.c_str());
    list->AddText(f, f->FontSize, ImVec2(float(left + (l.large ? 230 : 184)), float(y)),
                  IM_COL32(255, 170, 150, 255), row.damage.c_str());
  }
  if (button("OK##forecast", l.secondOkButton, top, true)) game_.pressForecastOk();
}

bool App::handleButtonKey(SDL_Keycode key) {
  const Controls& c = game_.controls;
  const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
  const bool next = key == SDLK_RIGHT || key == SDLK_DOWN || key == SDLK_TAB;
  const bool previous = key == SDLK_LEFT || key == SDLK_UP;
  if (c.yesNoVisible) {
    if (next || previous) focus_ = focus_ == 0 && c.noEnabled ? 1 : 0;
    if (enter) focus_ == 0 ? game_.pressYes() : game_.pressNo();
    if (key == SDLK_ESCAPE && c.noEnabled) game_.pressNo();
    return true;
  }
  if (c.altarChoicesVisible) {
    if (next) ++focus_;
    if (previous) focus_ += 3;
    focus_ %= 4;
    if (enter) game_.pressAltarChoice(focus_ + 1);
    if (key == SDLK_ESCAPE) game_.pressAltarChoice(4);
    return true;
  }
  if (c.confirmSlot >= 0) {
    if (next || previous) focus_ = 1 - focus_;
    if (enter) focus_ == 0 ? game_.pressDontUse() : game_.pressUse();
    if (key == SDLK_ESCAPE) game_.pressDontUse();
    return true;
  }
  if (c.flightVisible) {
    if (key == SDLK_UP || key == SDLK_RIGHT) game_.pressFlyUp();
    if (key == SDLK_DOWN || key == SDLK_LEFT) game_.pressFlyDown();
    if (enter) game_.pressFlyOk();
    return true;
  }
  if (c.hintGridVisible) {
    if (enter || key == SDLK_ESCAPE) game_.pressHintOk();
    return true;
  }
  if (c.forecastVisible) {
    if (enter || key == SDLK_ESCAPE) game_.pressForecastOk();
    return true;
  }
  if (c.windowVisible && c.okVisible) {
    if (enter) game_.pressOk();
    return true;
  }
  return false;
}

}  // namespace kelvorn::ui
