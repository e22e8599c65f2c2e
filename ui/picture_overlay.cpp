#include "ui/picture_overlay.h"

#include <imgui.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "ui/places.h"
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

void PictureOverlay::drawStatus(const Canvas& canvas) {
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  ImDrawList* list = ImGui::GetWindowDrawList();
  const int small = game_.options[opt::SmallFont], large = game_.options[opt::LargeFont];

  // The message bar: the full width of the window, white on grey.
  const Rect& bar = l.messageBar;
  list->AddRectFilled(screenMin(bar, top), screenMax(bar, top), IM_COL32(96, 96, 104, 255));
  textIn(canvas, messageBarText(l), game_.messageBar(), large, false, Align::Left, IM_COL32_WHITE,
         true);
  if (hovered(bar, top)) ImGui::SetTooltip("Show message.");
  if (game_.introRunning() || !game_.controls.panelsVisible) return;

  textIn(canvas, textRoom(l, l.floorLabel), game_.floorLabel(), large, true, Align::Centre,
         colour::Text);
  static constexpr const char* kStatHints[] = {"Vital Power", "Offensive Power", "Defensive Power",
                                               "Gold"};
  for (int i = 0; i < 4; ++i) {
    textIn(canvas, textRoom(l, l.stats[i]), std::to_string(game_.state[i]), small, true,
           Align::Right, colour::Text);
    if (hovered(l.stats[i], top)) ImGui::SetTooltip("%s", kStatHints[i]);
  }
  const PanelView& p = drawing_.panels;
  textIn(canvas, textRoom(l, l.swordName), p.swordName, small, false, Align::Left, colour::Text);
  textIn(canvas, textRoom(l, l.shieldName), p.shieldName, small, false, Align::Left, colour::Text);
  if (hovered(l.swordName, top)) ImGui::SetTooltip("Name of Sword");
  if (hovered(l.shieldName, top)) ImGui::SetTooltip("Name of Shield");
  if (!p.swordHint.empty() && hovered(l.swordIcon, top))
    ImGui::SetTooltip("%s", p.swordHint.c_str());
  if (!p.shieldHint.empty() && hovered(l.shieldIcon, top))
    ImGui::SetTooltip("%s", p.shieldHint.c_str());
  textIn(canvas, textRoom(l, l.monsterName), p.monsterName, small, false, Align::Left, colour::Text,
         true);
  for (int i = 0; i < 3; ++i)
    textIn(canvas, textRoom(l, l.monsterStats[i]), p.monsterStats[i], small, false,
           p.monsterStatsRightAligned ? Align::Right : Align::Left, colour::Text);
  for (int s = 0; s < kItemSlots; ++s)
    if (game_.controls.iconVisible[s] && hovered(l.itemIcons[s], top))
      ImGui::SetTooltip("%s", kItemHints[s]);
}

void PictureOverlay::drawArrows(const Canvas& canvas) {
  const Layout& l = canvas.layout;
  const int top = canvas.top;
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

void PictureOverlay::drawDamageFigures(const Canvas& canvas) {
  const Controls& c = game_.controls;
  if (!settings_.comfort(setting::ShowDamage) || game_.introRunning() || !c.panelsVisible ||
      c.sceneVisible)
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
  const Layout& l = canvas.layout;
  const float t = float(l.tileSize);
  const ImVec2 board = screenMin(l.board, canvas.top);
  ImFont* font = canvas.fonts.get(l.large ? 9 : 8, true);
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

// The thanks text on the ending's dark screen, and the back-side control under it: a
// panel with an arrow that leads on into the next game.
void PictureOverlay::drawSceneText(const Canvas& canvas) {
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  const Controls& c = game_.controls;
  if (c.sceneVisible && !c.sceneText.empty())
    textIn(canvas, Rect{0, 0, l.clientWidth, l.centrePanel.h}, c.sceneText, 14, true, Align::Centre,
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

std::optional<int> PictureOverlay::drawBoardPointer(const Canvas& canvas) {
  if (buttonsShowing(game_) || !game_.controls.panelsVisible) return {};
  const Layout& l = canvas.layout;
  const int top = canvas.top;
  ImGui::SetCursorScreenPos(screenMin(l.board, top));
  const bool clicked = ImGui::InvisibleButton("##board", sizeOf(l.board));
  if (!ImGui::IsItemHovered() && !clicked) return {};
  const ImVec2 m = ImGui::GetIO().MousePos;
  const int x = int(m.x - l.board.x) / l.tileSize, y = int(m.y - top - l.board.y) / l.tileSize;
  if (!onBoard(x, y)) return {};
  const int cell = cellIndex(x, y);
  // The board shows the floor as stored only once no script is left to play.
  if (game_.stack.count() != 0) return {};
  const int kind = monsterKindOf(game_.floors.cell(game_.state[gs::Floor], cell));
  if (kind >= 0 && settings_.comfort(setting::MonsterHints)) {
    // The cost of the battle a step there starts, the same as the figure over it; a cell
    // no step fights there (a 3 x 3 body's other cells) tells what the forecast would.
    const std::string name(game_.messageText(monsterNameEntry(kind)));
    const auto cost = game_.bumpCost(cell);
    const std::string text = cost ? game_.costText(*cost) : game_.forecastText(kind);
    ImGui::SetTooltip("%s\n%s", name.c_str(), text.c_str());
  }
  if (clicked && settings_.comfort(setting::ClickToWalk)) return cell;
  return {};
}

}  // namespace kelvorn::ui
