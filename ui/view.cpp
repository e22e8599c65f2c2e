// Drawing a frame: the engine's pictures as textures, then the status texts, buttons,
// message window and boxes through Dear ImGui on top.
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cstdio>

#include "ui/app.h"

namespace kelvorn::ui {

namespace {
constexpr ImU32 kTextDark = IM_COL32(20, 20, 30, 255);
constexpr ImU32 kPanelText = IM_COL32(250, 244, 220, 255);

ImVec2 at(const Rect& r, int top) {
  return ImVec2(static_cast<float>(r.x), static_cast<float>(r.y + top));
}

// Draws `text` in the rectangle, left, right or centre aligned, vertically centred.
void textIn(ImDrawList* list, ImFont* font, const Rect& r, int top, const std::string& text,
            int align, ImU32 colour) {
  const ImVec2 size = font->CalcTextSizeA(font->FontSize, 1e9f, 0, text.c_str());
  float x = static_cast<float>(r.x);
  if (align > 0) x = static_cast<float>(r.right()) - size.x - 2;
  if (align == 0) x = r.x + (r.w - size.x) / 2;
  const float y = r.y + top + (r.h - size.y) / 2;
  list->AddText(font, font->FontSize, ImVec2(x, y), colour, text.c_str());
}

bool hovered(const Rect& r, int top) {
  const ImVec2 m = ImGui::GetIO().MousePos;
  return m.x >= r.x && m.x < r.right() && m.y >= r.y + top && m.y < r.bottom() + top;
}

constexpr const char* kItemHints[kItemSlots] = {
    "Orb of the Hero", "Orb of Wisdom",    "Orb of Flying",  "Cross",
    "Magic Elixir",    "Magic Mattock",    "The destructible Ball",
    "Warp Staff",      "Wing to fly up",   "Wing to fly down",
    "Dragon Slayer",   "Snow Crystal",     "Magic Key",
    "Super Magic Mattock", "Lucky Gold"};
}  // namespace

void App::uploadPanels() {
  const bool won = game_.state[gs::LevelBoost] != 0;
  left_.upload(renderer_, won ? pictures_.leftWon : pictures_.left);
  right_.upload(renderer_, won ? pictures_.rightWon : pictures_.right);
  keyPanel_.upload(renderer_, game_.panels.keyPanel);
  swordIcon_.upload(renderer_, game_.panels.swordIcon);
  shieldIcon_.upload(renderer_, game_.panels.shieldIcon);
  monster_.upload(renderer_, game_.panels.monsterPicture);
  for (int s = 0; s < kItemSlots; ++s) icons_[s].upload(renderer_, game_.panels.itemIcons[s]);
}

void App::drawPictures() {
  const Layout& l = game_.layout;
  const int top = menuHeight();
  if (game_.introRunning()) {
    scene_.upload(renderer_, game_.introPicture.empty() ? pictures_.opening[0] : game_.introPicture);
    scene_.draw(renderer_, 0, top);
    return;
  }
  if (!game_.controls.panelsVisible) return;
  uploadPanels();
  centre_.draw(renderer_, l.centrePanel.x, l.centrePanel.y + top);
  left_.draw(renderer_, l.leftPanel.x, l.leftPanel.y + top);
  right_.draw(renderer_, l.rightPanel.x, l.rightPanel.y + top);
  // A walk in progress shows its pictures one per frame before the settled board.
  const Bitmap* shown = &game_.board.shown;
  if (!game_.board.motion.empty()) {
    shown = &game_.board.motion.front();
    board_.upload(renderer_, *shown);
    game_.board.motion.erase(game_.board.motion.begin());
    boardGeneration_ = ~0ull;
  } else if (boardGeneration_ != game_.board.generation) {
    board_.upload(renderer_, *shown);
    boardGeneration_ = game_.board.generation;
  }
  board_.draw(renderer_, l.board.x, l.board.y + top);
  swordIcon_.draw(renderer_, l.swordIcon.x, l.swordIcon.y + top);
  shieldIcon_.draw(renderer_, l.shieldIcon.x, l.shieldIcon.y + top);
  if (game_.panels.keyPanelVisible) keyPanel_.draw(renderer_, l.keyPanel.x, l.keyPanel.y + top);
  if (game_.panels.monsterPictureVisible)
    monster_.draw(renderer_, l.monsterPicture.x, l.monsterPicture.y + top);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s])
      icons_[s].draw(renderer_, l.itemIcons[s].x, l.itemIcons[s].y + top);
  if (game_.cursorShown) {
    const Rect& r = l.itemIcons[game_.itemCursor];
    const SDL_Rect frame{r.x, r.y + top, r.w, r.h};
    SDL_SetRenderDrawColor(renderer_, 255, 220, 60, 255);
    SDL_RenderDrawRect(renderer_, &frame);
    const SDL_Rect inner{r.x + 1, r.y + top + 1, r.w - 2, r.h - 2};
    SDL_RenderDrawRect(renderer_, &inner);
  }
}

void App::render() {
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  drawMenuBar();
  drawInterface();
  ImGui::Render();
  SDL_SetRenderDrawColor(renderer_, 0xC0, 0xC0, 0xC0, 0xFF);
  SDL_RenderClear(renderer_);
  drawPictures();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer_);
}

void App::drawInterface() {
  const Layout& l = game_.layout;
  const float top = static_cast<float>(menuHeight());
  ImGui::SetNextWindowPos(ImVec2(0, top));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(l.clientWidth),
                                  static_cast<float>(l.clientHeight)));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::Begin("##client", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoBackground |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus |
                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollWithMouse);
  ImGui::PopStyleVar();
  drawStatus();
  drawControls();
  drawItemIcons();
  drawForecast();
  drawMessageWindow();
  drawAnswerButtons();
  drawFlightButtons();
  drawHintGrid();
  ImGui::End();
  drawBoxes();
  drawAbout();
  drawRankingWindow();
  drawHolderChooser();
}

void App::drawStatus() {
  const Layout& l = game_.layout;
  const int top = menuHeight();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const int small = game_.options[opt::SmallFont], large = game_.options[opt::LargeFont];

  // The message bar: the full width of the window, white on grey.
  const Rect& bar = l.messageBar;
  list->AddRectFilled(at(bar, top), ImVec2(bar.right(), bar.bottom() + top),
                      IM_COL32(96, 96, 104, 255));
  Rect inset = bar;
  inset.x += 6;
  textIn(list, font(large, false), inset, top, game_.messageBar(), -1, IM_COL32_WHITE);
  if (hovered(bar, top)) ImGui::SetTooltip("Show message.");
  if (game_.introRunning() || !game_.controls.panelsVisible) return;

  textIn(list, font(large, true), l.floorLabel, top, game_.floorLabel(), 0, kPanelText);
  static constexpr const char* kStatHints[] = {"Vital Power", "Offensive Power",
                                               "Defensive Power", "Gold"};
  for (int i = 0; i < 4; ++i) {
    textIn(list, font(small, true), l.stats[i], top, std::to_string(game_.state[i]), 1,
           kPanelText);
    if (hovered(l.stats[i], top)) ImGui::SetTooltip("%s", kStatHints[i]);
  }
  const PanelView& p = game_.panels;
  textIn(list, font(small, false), l.swordName, top, p.swordName, -1, kPanelText);
  textIn(list, font(small, false), l.shieldName, top, p.shieldName, -1, kPanelText);
  if (hovered(l.swordName, top)) ImGui::SetTooltip("Name of Sword");
  if (hovered(l.shieldName, top)) ImGui::SetTooltip("Name of Shield");
  if (!p.swordHint.empty() && hovered(l.swordIcon, top)) ImGui::SetTooltip("%s", p.swordHint.c_str());
  if (!p.shieldHint.empty() && hovered(l.shieldIcon, top))
    ImGui::SetTooltip("%s", p.shieldHint.c_str());
  textIn(list, font(small, false), l.monsterName, top, p.monsterName, -1, kPanelText);
  for (int i = 0; i < 3; ++i)
    textIn(list, font(small, false), l.monsterStats[i], top, p.monsterStats[i],
           p.monsterStatsRightAligned ? 1 : -1, kPanelText);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s] && hovered(l.itemIcons[s], top))
      ImGui::SetTooltip("%s", kItemHints[s]);
}

void App::drawControls() {
  const Layout& l = game_.layout;
  const int top = menuHeight();
  const Controls& c = game_.controls;
  if (!c.arrowsVisible || game_.introRunning()) return;
  static constexpr ImGuiDir kDirs[] = {ImGuiDir_Up, ImGuiDir_Left, ImGuiDir_Right, ImGuiDir_Down};
  static constexpr const char* kHints[] = {"Go to Upside", "Go to Left", "Go to Right",
                                           "Go to Down"};
  ImGui::BeginDisabled(!c.arrowsEnabled || !game_.board.motion.empty());
  for (int i = 0; i < 4; ++i) {
    const Rect& r = l.arrows[i];
    ImGui::SetCursorScreenPos(at(r, top));
    ImGui::PushID(i);
    const float side = static_cast<float>(r.w);
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                        ImVec2((side - ImGui::GetFontSize()) / 2, (side - ImGui::GetFontSize()) / 2));
    if (ImGui::ArrowButton("##arrow", kDirs[i])) game_.arrowClick(i + 1);
    ImGui::PopStyleVar();
    if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled)) ImGui::SetTooltip("%s", kHints[i]);
    ImGui::PopID();
  }
  ImGui::EndDisabled();
}

void App::drawMessageWindow() {
  const Controls& c = game_.controls;
  if (!c.windowVisible && !c.forecastVisible) return;
  const Layout& l = game_.layout;
  const int top = menuHeight();
  Rect r = l.messageWindow;
  if (c.forecastVisible) {  // a heading band over the forecast
    r = l.large ? Rect{176, 20, 448, 70} : Rect{141, 16, 358, 56};
  }
  ImDrawList* list = ImGui::GetWindowDrawList();
  list->AddRectFilled(at(r, top), ImVec2(r.right(), r.bottom() + top), IM_COL32(252, 250, 240, 255));
  list->AddRect(at(r, top), ImVec2(r.right(), r.bottom() + top), IM_COL32(60, 50, 40, 255), 0, 0, 2);
  ImFont* f = font(game_.options[opt::LargeFont], false);
  list->AddText(f, f->FontSize, ImVec2(r.x + 8.0f, r.y + top + 6.0f), kTextDark,
                c.windowText.c_str(), nullptr, static_cast<float>(r.w - 16));
  if (c.okVisible) {
    const Rect& ok = l.okButton;
    ImGui::SetCursorScreenPos(at(ok, top));
    ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonHovered));
    if (ImGui::Button(c.okCaption.c_str(),
                      ImVec2(static_cast<float>(ok.w), static_cast<float>(ok.h))))
      game_.pressOk();
    ImGui::PopStyleColor();
  }
}

void App::drawBoxes() {
  const char* popup = game_.question ? "##question" : game_.notice ? "##notice" : nullptr;
  if (!popup) return;
  const std::string& text = game_.question ? game_.question->text : *game_.notice;
  if (!ImGui::IsPopupOpen(popup)) {
    ImGui::OpenPopup(popup);
    yesFocused_ = true;
  }
  const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
  ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  if (!ImGui::BeginPopupModal(popup, nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoTitleBar))
    return;
  ImGui::Dummy(ImVec2(0, 4));
  ImGui::TextUnformatted(text.c_str());
  ImGui::Dummy(ImVec2(0, 4));
  const ImVec2 button(80, 0);
  auto focusedButton = [&](const char* label, bool focused) {
    if (focused) ImGui::PushStyleColor(ImGuiCol_Button, ImGui::GetStyleColorVec4(ImGuiCol_ButtonHovered));
    const bool pressed = ImGui::Button(label, button);
    if (focused) ImGui::PopStyleColor();
    return pressed;
  };
  if (game_.question) {
    if (focusedButton("Yes", yesFocused_)) game_.answer(true);
    ImGui::SameLine();
    if (focusedButton("No", !yesFocused_)) game_.answer(false);
  } else if (focusedButton("OK", true)) {
    game_.acknowledge();
  }
  if (!game_.question && !game_.notice) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
