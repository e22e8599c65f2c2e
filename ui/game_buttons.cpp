#include "ui/game_buttons.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui/places.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
// The size every button label prefers; labels that do not fit take a smaller one.
constexpr int kButtonPoints = 10;
}  // namespace

void GameButtons::drawItemIcons(const Canvas& canvas) {
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  for (int s = 0; s < kItemSlots; ++s) {
    if (!game_.controls.iconVisible[s] || !game_.controls.iconEnabled[s]) continue;
    ImGui::SetCursorScreenPos(screenMin(l.itemIcons[s], top));
    ImGui::PushID(s);
    if (ImGui::InvisibleButton("##item", sizeOf(l.itemIcons[s]))) game_.clickItem(s);
    ImGui::PopID();
  }
  // "Don't use" and "Use" beside the icon of the item that asks.
  const int slot = game_.controls.confirmSlot;
  if (slot < 0) return;
  const auto [dontUse, use] = confirmPlaces(l, slot);
  const int f = focus_.at("confirm", 2, 0);
  if (button(canvas, "Don't use", dontUse, f == 0))
    game_.pressDontUse();
  else if (button(canvas, "Use", use, f == 1))
    game_.pressUse();
}

void GameButtons::drawForecast(const Canvas& canvas, SDL_Renderer* renderer) {
  if (!game_.controls.forecastVisible) return;
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  const ForecastPlaces p = forecastPlaces(l);
  ImDrawList* list = ImGui::GetWindowDrawList();
  drawPlate(list, screenMin(p.panel, top), screenMax(p.panel, top));
  list->AddRectFilled(screenMin(p.headingBox, top), screenMax(p.headingBox, top),
                      colour::SlateDeep);
  list->AddRect(screenMin(p.headingBox, top), screenMax(p.headingBox, top), colour::GoldDark);
  textIn(canvas, p.heading, game_.controls.windowText, game_.options[opt::LargeFont], false,
         Align::Left, colour::Text, true);

  std::vector<ForecastTexts> texts;
  for (const ForecastRow& row : game_.dialogs.forecast)
    texts.push_back({row.name, row.stats, row.damage});
  const Rect& first = p.rows[0];
  const ForecastFit fit = fitForecast(canvas.fonts, texts, ImVec2(float(first.w), float(first.h)),
                                      game_.options[opt::SmallFont]);
  ImFont* f = canvas.fonts.get(fit.points, false);
  ImFont* bold = canvas.fonts.get(fit.points, true);
  const float line = f->FontSize;
  for (std::size_t i = 0; i < game_.dialogs.forecast.size() && i < p.rows.size(); ++i) {
    const ForecastRow& row = game_.dialogs.forecast[i];
    Texture& portrait = forecastPortraits_[i];
    portrait.upload(renderer, drawing_.portrait(row.kind));
    list->AddImage(reinterpret_cast<ImTextureID>(portrait.handle()), screenMin(p.portraits[i], top),
                   screenMax(p.portraits[i], top));
    const Rect& r = p.rows[i];
    const ImVec2 min = screenMin(r, top);
    list->PushClipRect(min, screenMax(r, top), true);
    const float y = min.y + std::floor((r.h - (fit.threeLines ? 3 : 2) * line) / 2);
    list->AddText(bold, line, ImVec2(min.x, y), colour::GoldLight, row.name.c_str());
    list->AddText(f, line, ImVec2(min.x, y + line), IM_COL32(220, 224, 235, 255),
                  row.stats.c_str());
    const float damageWidth = f->CalcTextSizeA(line, 1e9f, 0, row.damage.c_str()).x;
    const ImVec2 damageAt =
        fit.threeLines ? ImVec2(min.x, y + 2 * line) : ImVec2(min.x + r.w - damageWidth, y);
    list->AddText(f, line, damageAt, colour::Damage, row.damage.c_str());
    list->PopClipRect();
  }
  if (button(canvas, "OK##forecast", p.ok, true)) game_.pressForecastOk();
}

void GameButtons::drawMessageWindow(const Canvas& canvas) {
  const Controls& c = game_.controls;
  if (!c.windowVisible || c.forecastVisible) return;
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  const Rect& r = l.messageWindow;
  drawPlate(ImGui::GetWindowDrawList(), screenMin(r, top), screenMax(r, top));
  textIn(canvas, dialogueText(l, c.altarChoicesVisible), c.windowText,
         game_.options[opt::LargeFont], false, Align::Left, colour::Text, true);
  if (c.okVisible) {
    ImGui::SetCursorScreenPos(screenMin(l.okButton, top));
    if (gameButton(canvas.fonts, "OK##window", c.okCaption, sizeOf(l.okButton), {true, true}))
      game_.pressOk();
  }
}

void GameButtons::drawAnswerButtons(const Canvas& canvas) {
  const Controls& c = game_.controls;
  const Layout& l = canvas.layout;
  if (c.yesNoVisible) {
    const int f = focus_.at("yesno", 2, 0);
    if (button(canvas, "Yes", l.yesNo[0], f == 0))
      game_.pressYes();
    else if (button(canvas, "No", l.yesNo[1], f == 1, c.noEnabled))
      game_.pressNo();
  }
  if (c.altarChoicesVisible) {
    // The choices keep their places; their text follows the large font as far as all
    // four fit, at one size.
    const int f = focus_.at("altar", 4, 3);
    const ImVec2 room = labelRoom(sizeOf(l.altarButtons[0]));
    int points = game_.options[opt::LargeFont];
    for (const std::string& choice : c.altarChoices)
      points = std::min(points, fitText(canvas.fonts, choice, room, points, false, true).points);
    for (int i = 0; i < 4; ++i) {
      ImGui::PushID(i);
      ImGui::SetCursorScreenPos(screenMin(l.altarButtons[i], canvas.top));
      const bool pressed = gameButton(canvas.fonts, "##altar", c.altarChoices[i],
                                      sizeOf(l.altarButtons[i]), {f == i, true, points, false});
      ImGui::PopID();
      if (pressed) {
        game_.pressAltarChoice(i + 1);
        break;
      }
    }
  }
}

void GameButtons::drawFlightButtons(const Canvas& canvas) {
  const Controls& c = game_.controls;
  if (!c.flightVisible) return;
  const FlightPlaces p = flightPlaces(canvas.layout);
  const int top = canvas.top;
  drawPlate(ImGui::GetWindowDrawList(), screenMin(p.plate, top), screenMax(p.plate, top));
  textIn(canvas, p.heading, "Orb of Flying", kButtonPoints, true, Align::Centre, colour::GoldLight);
  // Holding UP or DOWN repeats it; a click is one floor.
  auto held = [&](const char* label, const Rect& r, bool enabled, bool isUp) {
    const bool pressed = button(canvas, label, r, false, enabled);
    if (ImGui::IsItemActivated()) game_.flightButtonDown(isUp);
    if (ImGui::IsItemDeactivated()) game_.flightButtonUp();
    return pressed;
  };
  if (held("UP", p.up, c.flightUpEnabled, true)) game_.pressFlyUp();
  if (held("DOWN", p.down, c.flightDownEnabled, false)) game_.pressFlyDown();
  if (button(canvas, "OK", p.ok, true)) game_.pressFlyOk();
}

void GameButtons::drawHintGrid(const Canvas& canvas) {
  const Controls& c = game_.controls;
  if (!c.hintGridVisible) return;
  const HintGridPlaces p = hintGridPlaces(canvas.layout);
  const int top = canvas.top;
  drawPlate(ImGui::GetWindowDrawList(), screenMin(p.plate, top), screenMax(p.plate, top));
  textIn(canvas, p.heading, "Orb of Wisdom", kButtonPoints, true, Align::Left, colour::GoldLight);
  for (int i = 0; i < 24; ++i) {
    ImGui::PushID(i);
    if (button(canvas, std::to_string(i + 1).c_str(), p.buttons[i], false, c.hintEnabled[i], 9))
      game_.pressHint(i + 1);
    if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
      ImGui::SetTooltip("%s", kHintNames[i]);
    ImGui::PopID();
  }
  if (button(canvas, "OK##hints", p.ok, true)) game_.pressHintOk();
}

bool GameButtons::takeKey(SDL_Keycode key) {
  const Controls& c = game_.controls;
  int& focus = focus_.index();
  const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
  const bool next = key == SDLK_RIGHT || key == SDLK_DOWN || key == SDLK_TAB;
  const bool previous = key == SDLK_LEFT || key == SDLK_UP;
  if (c.yesNoVisible) {
    if (next || previous) focus = focus == 0 && c.noEnabled ? 1 : 0;
    if (enter) focus == 0 ? game_.pressYes() : game_.pressNo();
    if (key == SDLK_ESCAPE && c.noEnabled) game_.pressNo();
    return true;
  }
  if (c.altarChoicesVisible) {
    if (next) ++focus;
    if (previous) focus += 3;
    focus %= 4;
    if (enter) game_.pressAltarChoice(focus + 1);
    if (key == SDLK_ESCAPE) game_.pressAltarChoice(4);
    return true;
  }
  if (c.confirmSlot >= 0) {
    if (next || previous) focus = 1 - focus;
    if (enter) focus == 0 ? game_.pressDontUse() : game_.pressUse();
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
