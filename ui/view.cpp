// Drawing a frame: the engine's pictures as textures, then the status texts, buttons,
// message window and boxes through Dear ImGui on top.
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "ui/app.h"
#include "ui/places.h"
#include "ui/scaling.h"
#include "ui/text_fit.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
bool hovered(const Rect& r, int top) {
  const ImVec2 m = ImGui::GetIO().MousePos;
  return m.x >= r.x && m.x < r.right() && m.y >= r.y + top && m.y < r.bottom() + top;
}

constexpr const char* kItemHints[kItemSlots] = {"Orb of the Hero",
                                                "Orb of Wisdom",
                                                "Orb of Flying",
                                                "Cross",
                                                "Magic Elixir",
                                                "Magic Mattock",
                                                "The destructible Ball",
                                                "Warp Staff",
                                                "Wing to fly up",
                                                "Wing to fly down",
                                                "Dragon Slayer",
                                                "Snow Crystal",
                                                "Magic Key",
                                                "Super Magic Mattock",
                                                "Lucky Gold"};
}  // namespace

void App::uploadPanels() {
  const bool won = game_.state[gs::LevelBoost] != 0;
  left_.upload(renderer_, won ? pictures_.leftWon : pictures_.left);
  right_.upload(renderer_, won ? pictures_.rightWon : pictures_.right);
  keyPanel_.upload(renderer_, drawing_.panels.keyPanel);
  swordIcon_.upload(renderer_, drawing_.panels.swordIcon);
  shieldIcon_.upload(renderer_, drawing_.panels.shieldIcon);
  monster_.upload(renderer_, drawing_.panels.monsterPicture);
  for (int s = 0; s < kItemSlots; ++s) icons_[s].upload(renderer_, drawing_.panels.itemIcons[s]);
}

void App::drawPictures() {
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  const bool intro = game_.introRunning();
  if (!intro) uploadPanels();
  if (intro || game_.controls.sceneVisible) {
    // The intro and the scenes cover the board and the side panels with one picture.
    scene_.upload(renderer_,
                  drawing_.scenePicture.empty() ? pictures_.opening[0] : drawing_.scenePicture);
    scene_.draw(renderer_, 0, top);
  } else {
    centre_.draw(renderer_, l.centrePanel.x, l.centrePanel.y + top);
    left_.draw(renderer_, l.leftPanel.x, l.leftPanel.y + top);
    right_.draw(renderer_, l.rightPanel.x, l.rightPanel.y + top);
    // A walk in progress shows its pictures one per frame before the settled board.
    const Bitmap* shown = &drawing_.board.shown;
    if (!drawing_.board.motion.empty()) {
      shown = &drawing_.board.motion.front();
      board_.upload(renderer_, *shown);
      drawing_.board.motion.erase(drawing_.board.motion.begin());
      boardGeneration_ = ~0ull;
    } else if (boardGeneration_ != drawing_.board.generation) {
      board_.upload(renderer_, *shown);
      boardGeneration_ = drawing_.board.generation;
    }
    board_.draw(renderer_, l.board.x, l.board.y + top);
  }
  if (intro || !game_.controls.panelsVisible) return;
  swordIcon_.draw(renderer_, l.swordIcon.x, l.swordIcon.y + top);
  shieldIcon_.draw(renderer_, l.shieldIcon.x, l.shieldIcon.y + top);
  if (drawing_.panels.keyPanelVisible) keyPanel_.draw(renderer_, l.keyPanel.x, l.keyPanel.y + top);
  if (drawing_.panels.monsterPictureVisible)
    monster_.draw(renderer_, l.monsterPicture.x, l.monsterPicture.y + top);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s])
      icons_[s].draw(renderer_, l.itemIcons[s].x, l.itemIcons[s].y + top);
  if (game_.dialogs.cursorShown) {
    const Rect& r = l.itemIcons[game_.dialogs.itemCursor];
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
  pointerToPicture();
  padToMenus();
  ImGui::NewFrame();
  ImGui::GetIO().ConfigFlags &= ~ImGuiConfigFlags_NavEnableGamepad;
  drawMenuBar();
  drawInterface();
  settleDimming();
  ImGui::Render();
  SDL_SetRenderTarget(renderer_, frame_);
  SDL_SetRenderDrawColor(renderer_, 0xC0, 0xC0, 0xC0, 0xFF);
  SDL_RenderClear(renderer_);
  drawPictures();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  present();
}

void App::pointerToPicture() {
  ImGuiIO& io = ImGui::GetIO();
  int windowW = 0, windowH = 0, outputW = 0, outputH = 0;
  SDL_GetWindowSize(window_, &windowW, &windowH);
  SDL_GetRendererOutputSize(renderer_, &outputW, &outputH);
  io.DisplaySize = ImVec2(float(pictureWidth()), float(pictureHeight()));
  io.DisplayFramebufferScale = ImVec2(1, 1);
  if (io.MousePos.x == -FLT_MAX || windowW <= 0 || windowH <= 0) return;
  const PictureFit fit = fitPicture(outputW, outputH, pictureWidth(), pictureHeight());
  const PicturePoint p =
      toPicture(fit, io.MousePos.x * float(outputW) / float(windowW),
                io.MousePos.y * float(outputH) / float(windowH), pictureWidth(), pictureHeight());
  io.MousePos = ImVec2(p.x, p.y);
}

void App::composeWindow() {
  SDL_SetRenderTarget(renderer_, nullptr);
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer_, &w, &h);
  const PictureFit fit = fitPicture(w, h, pictureWidth(), pictureHeight());
  SDL_SetTextureScaleMode(frame_, fit.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 0xFF);
  SDL_RenderClear(renderer_);
  const SDL_Rect to{fit.place.x, fit.place.y, fit.place.w, fit.place.h};
  SDL_RenderCopy(renderer_, frame_, nullptr, &to);
}

void App::present() {
  composeWindow();
  SDL_RenderPresent(renderer_);
}

void App::drawInterface() {
  const Layout& l = drawing_.layout;
  const float top = static_cast<float>(menuHeight());
  ImGui::SetNextWindowPos(ImVec2(0, top));
  ImGui::SetNextWindowSize(
      ImVec2(static_cast<float>(l.clientWidth), static_cast<float>(l.clientHeight)));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::Begin("##client", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoBackground |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus |
                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollWithMouse);
  ImGui::PopStyleVar();
  drawStatus();
  drawControls();
  drawItemIcons();
  drawDamageFigures();
  drawForecast();
  drawSceneText();
  drawMessageWindow();
  drawAnswerButtons();
  drawFlightButtons();
  drawHintGrid();
  drawBoardPointer();
  ImGui::End();
  drawBoxes();
  drawAbout();
  drawHelp();
  drawKeysWindow();
  drawRankingWindow();
  drawHolderChooser();
  drawSaveReplay();
  drawContinueOffer();
  drawRouteWindow();
  drawRouteOverlay();
}

// Writes `text` into a place of the layout, fitted to it.
void App::textIn(const Rect& place, std::string_view text, int points, bool bold, Align align,
                 ImU32 colour, bool wrap) {
  const int top = menuHeight();
  const FittedText fit = fitText(fonts_, text, sizeOf(place), points, bold, wrap);
  drawText(ImGui::GetWindowDrawList(), fit, screenMin(place, top), sizeOf(place), align, colour);
}

void App::drawStatus() {
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  ImDrawList* list = ImGui::GetWindowDrawList();
  const int small = game_.options[opt::SmallFont], large = game_.options[opt::LargeFont];

  // The message bar: the full width of the window, white on grey.
  const Rect& bar = l.messageBar;
  list->AddRectFilled(screenMin(bar, top), screenMax(bar, top), IM_COL32(96, 96, 104, 255));
  textIn(messageBarText(l), game_.messageBar(), large, false, Align::Left, IM_COL32_WHITE, true);
  if (hovered(bar, top)) ImGui::SetTooltip("Show message.");
  if (game_.introRunning() || !game_.controls.panelsVisible) return;

  textIn(textRoom(l, l.floorLabel), game_.floorLabel(), large, true, Align::Centre, colour::Text);
  static constexpr const char* kStatHints[] = {"Vital Power", "Offensive Power", "Defensive Power",
                                               "Gold"};
  for (int i = 0; i < 4; ++i) {
    textIn(textRoom(l, l.stats[i]), std::to_string(game_.state[i]), small, true, Align::Right,
           colour::Text);
    if (hovered(l.stats[i], top)) ImGui::SetTooltip("%s", kStatHints[i]);
  }
  const PanelView& p = drawing_.panels;
  textIn(textRoom(l, l.swordName), p.swordName, small, false, Align::Left, colour::Text);
  textIn(textRoom(l, l.shieldName), p.shieldName, small, false, Align::Left, colour::Text);
  if (hovered(l.swordName, top)) ImGui::SetTooltip("Name of Sword");
  if (hovered(l.shieldName, top)) ImGui::SetTooltip("Name of Shield");
  if (!p.swordHint.empty() && hovered(l.swordIcon, top))
    ImGui::SetTooltip("%s", p.swordHint.c_str());
  if (!p.shieldHint.empty() && hovered(l.shieldIcon, top))
    ImGui::SetTooltip("%s", p.shieldHint.c_str());
  textIn(textRoom(l, l.monsterName), p.monsterName, small, false, Align::Left, colour::Text, true);
  for (int i = 0; i < 3; ++i)
    textIn(textRoom(l, l.monsterStats[i]), p.monsterStats[i], small, false,
           p.monsterStatsRightAligned ? Align::Right : Align::Left, colour::Text);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s] && hovered(l.itemIcons[s], top))
      ImGui::SetTooltip("%s", kItemHints[s]);
}

void App::drawControls() {
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  const Controls& c = game_.controls;
  if (!c.arrowsVisible || game_.introRunning()) return;
  static constexpr ImGuiDir kDirs[] = {ImGuiDir_Up, ImGuiDir_Left, ImGuiDir_Right, ImGuiDir_Down};
  static constexpr const char* kHints[] = {"Go to Upside", "Go to Left", "Go to Right",
                                           "Go to Down"};
  const bool enabled = c.arrowsEnabled && drawing_.board.motion.empty();
  for (int i = 0; i < 4; ++i) {
    const Rect& r = l.arrows[i];
    ImGui::SetCursorScreenPos(screenMin(r, top));
    ImGui::PushID(i);
    if (arrowButton("##arrow", kDirs[i], sizeOf(r), {false, enabled})) game_.arrowClick(i + 1);
    if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
      ImGui::SetTooltip("%s", kHints[i]);
    ImGui::PopID();
  }
}

void App::drawBoardPointer() {
  if (buttonsShowing() || !game_.controls.panelsVisible) return;
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  ImGui::SetCursorScreenPos(screenMin(l.board, top));
  const bool clicked = ImGui::InvisibleButton("##board", sizeOf(l.board));
  if (!ImGui::IsItemHovered() && !clicked) return;
  const ImVec2 m = ImGui::GetIO().MousePos;
  const int x = int(m.x - l.board.x) / l.tileSize, y = int(m.y - top - l.board.y) / l.tileSize;
  if (!onBoard(x, y)) return;
  const int cell = cellIndex(x, y);
  // The board shows the floor as stored only once no script is left to play.
  if (game_.stack.count() != 0) return;
  const int kind = monsterKindOf(game_.floors.cell(game_.state[gs::Floor], cell));
  if (kind >= 0 && comfort(setting::MonsterHints)) {
    // The cost of the battle a step there starts, the same as the figure over it; a cell
    // no step fights there (a 3 x 3 body's other cells) tells what the forecast would.
    const std::string name(game_.messageText(monsterNameEntry(kind)));
    const auto cost = game_.bumpCost(cell);
    const std::string text = cost ? game_.costText(*cost) : game_.forecastText(kind);
    ImGui::SetTooltip("%s\n%s", name.c_str(), text.c_str());
  }
  if (clicked && comfort(setting::ClickToWalk) && inputUnlocked() &&
      !game_.floorWalk(cell).empty()) {
    heldKey_.reset();
    clickWalk_ = ClickWalk{game_.state[gs::Floor], cell, -1, game_.state[gs::Life]};
  }
}

void App::drawDamageFigures() {
  const Controls& c = game_.controls;
  if (!comfort(setting::ShowDamage) || game_.introRunning() || !c.panelsVisible || c.sceneVisible)
    return;
  // With no script left to play the board shows the floor as stored; while one plays,
  // the figures of the last quiet moment stay, on their own floor only.
  const int floor = game_.state[gs::Floor];
  if (game_.stack.count() == 0) {
    figures_ = damageFigures(game_);
    figuresFloor_ = floor;
  }
  if (figuresFloor_ != floor) return;
  static constexpr ImU32 kColours[] = {
      IM_COL32(140, 240, 130, 255),  // safe
      IM_COL32(255, 214, 90, 255),   // costly
      IM_COL32(255, 84, 70, 255),    // deadly
      IM_COL32(200, 150, 255, 255),  // cannot hurt
  };
  const Layout& l = drawing_.layout;
  const float t = float(l.tileSize);
  const ImVec2 board = screenMin(l.board, menuHeight());
  ImFont* font = fonts_.get(l.large ? 9 : 8, true);
  ImDrawList* list = ImGui::GetWindowDrawList();
  const int hero = game_.state.heroCell();
  for (const DamageFigure& f : figures_) {
    if (f.cell == hero) continue;  // his fight is under way there
    const ImU32 colour = kColours[int(f.danger)];
    const float left = board.x + cellColumn(f.cell) * t, foot = board.y + (cellRow(f.cell) + 1) * t;
    if (f.danger == Danger::CannotHurt) {
      // A cross of two strokes reads better at this size than the sign in the font.
      const float r = std::round(font->FontSize * 0.35f), cx = left + t / 2, cy = foot - r - 2;
      for (const auto& [ink, width] : {std::pair{IM_COL32_BLACK, 5.0f}, std::pair{colour, 2.5f}}) {
        list->AddLine(ImVec2(cx - r, cy - r), ImVec2(cx + r, cy + r), ink, width);
        list->AddLine(ImVec2(cx - r, cy + r), ImVec2(cx + r, cy - r), ink, width);
      }
      continue;
    }
    // Centred at the foot of the cell, outlined in black so it reads over any picture.
    const char* text = f.text.c_str();
    const ImVec2 size = font->CalcTextSizeA(font->FontSize, FLT_MAX, 0, text);
    const ImVec2 at(std::floor(left + (t - size.x) / 2), foot - size.y);
    for (const auto& [dx, dy] :
         {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}})
      list->AddText(font, font->FontSize, ImVec2(at.x + dx, at.y + dy), IM_COL32_BLACK, text);
    list->AddText(font, font->FontSize, at, colour, text);
  }
}

void App::drawMessageWindow() {
  const Controls& c = game_.controls;
  if (!c.windowVisible || c.forecastVisible) return;
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  const Rect& r = l.messageWindow;
  drawPlate(ImGui::GetWindowDrawList(), screenMin(r, top), screenMax(r, top));
  textIn(dialogueText(l, c.altarChoicesVisible), c.windowText, game_.options[opt::LargeFont], false,
         Align::Left, colour::Text, true);
  if (c.okVisible) {
    ImGui::SetCursorScreenPos(screenMin(l.okButton, top));
    if (gameButton(fonts_, "OK##window", c.okCaption, sizeOf(l.okButton), {true, true}))
      game_.pressOk();
  }
}

// The thanks text on the ending's dark screen, and the back-side control under it: a
// panel with an arrow that leads on into the next game.
void App::drawSceneText() {
  const Layout& l = drawing_.layout;
  const int top = menuHeight();
  const Controls& c = game_.controls;
  if (c.sceneVisible && !c.sceneText.empty())
    textIn(Rect{0, 0, l.clientWidth, l.centrePanel.h}, c.sceneText, 14, true, Align::Centre,
           colour::Text, true);
  if (!c.backSideVisible) return;
  const Rect& r = l.backSidePanel;
  ImDrawList* list = ImGui::GetWindowDrawList();
  ImGui::SetCursorScreenPos(screenMin(r, top));
  if (ImGui::InvisibleButton("##back-side", sizeOf(r))) game_.goToBackSide();
  const bool hovered = ImGui::IsItemHovered();
  if (hovered) ImGui::SetTooltip("%s", Game::kBackSideHint);
  drawPlate(list, screenMin(r, top), screenMax(r, top));
  const float cx = r.x + r.w / 2.0f, cy = r.y + top + r.h / 2.0f, h = r.h / 4.0f;
  list->AddTriangleFilled(ImVec2(cx - h, cy - h), ImVec2(cx - h, cy + h), ImVec2(cx + h, cy),
                          hovered ? colour::GoldLight : colour::Gold);
}

void App::drawBoxes() {
  const char* popup = game_.question ? "##question" : game_.dialogs.notice ? "##notice" : nullptr;
  if (!popup) return;
  const std::string& text = game_.question ? game_.question->text : *game_.dialogs.notice;
  if (!ImGui::IsPopupOpen(popup)) {
    ImGui::OpenPopup(popup);
    yesFocused_ = true;
  }
  if (!beginBox(popup, text)) return;
  const ImVec2 button(88, 26);
  if (game_.question) {
    boxButtons(2, button.x);
    if (gameButton(fonts_, "Yes", "Yes", button, {yesFocused_, true})) game_.answer(true);
    ImGui::SameLine();
    if (gameButton(fonts_, "No", "No", button, {!yesFocused_, true})) game_.answer(false);
  } else {
    boxButtons(1, button.x);
    if (gameButton(fonts_, "OK", "OK", button, {true, true})) game_.acknowledge();
  }
  if (!game_.question && !game_.dialogs.notice) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

bool App::beginBox(const char* id, std::string_view text, std::string_view title) {
  // As wide as the text on one line, within a width that still holds two buttons and
  // leaves the window around the box.
  const float padding = ImGui::GetStyle().WindowPadding.x;
  float natural = 0;
  for (const auto& [part, bold] : {std::pair{text, false}, std::pair{title, true}}) {
    if (part.empty()) continue;
    ImFont* f = fonts_.get(10, bold);
    natural = std::max(
        natural, f->CalcTextSizeA(f->FontSize, 1e9f, 0, part.data(), part.data() + part.size()).x);
  }
  const float width = std::clamp(natural + 2 * padding, 280.0f,
                                 std::min(440.0f, drawing_.layout.clientWidth - 80.0f));
  const float wrap = width - 2 * padding;
  const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
  ImGui::SetNextWindowPos(centre, ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(width, 0));
  if (!ImGui::BeginPopupModal(id, nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoTitleBar))
    return false;
  if (!title.empty()) {
    const FittedText heading = fitText(fonts_, title, ImVec2(wrap, 1e6f), 10, true, true);
    drawText(ImGui::GetWindowDrawList(), heading, ImGui::GetCursorScreenPos(),
             ImVec2(wrap, heading.height), Align::Left, colour::GoldLight);
    ImGui::Dummy(ImVec2(wrap, heading.height + 2));
  }
  const FittedText fit = fitText(fonts_, text, ImVec2(wrap, 1e6f), 10, false, true);
  ImGui::Dummy(ImVec2(wrap, 2));
  const ImVec2 at = ImGui::GetCursorScreenPos();
  drawText(ImGui::GetWindowDrawList(), fit, at, ImVec2(wrap, fit.height), Align::Left,
           colour::Text);
  ImGui::Dummy(ImVec2(wrap, fit.height + 10));
  return true;
}

void App::boxButtons(int count, float width) {
  const float spacing = ImGui::GetStyle().ItemSpacing.x;
  const float all = count * width + (count - 1) * spacing;
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - all) / 2);
}

}  // namespace kelvorn::ui
