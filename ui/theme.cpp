#include "ui/theme.h"

#include <imgui_internal.h>

#include "ui/text_fit.h"

namespace kelvorn::ui {

namespace {
ImVec4 v(ImU32 c, float alpha = 1.0f) {
  ImVec4 out = ImGui::ColorConvertU32ToFloat4(c);
  out.w *= alpha;
  return out;
}

// The face of a button in its state: two tones from top to bottom, a frame, and the
// colour of its label.
struct Face {
  ImU32 top, bottom, frame, label;
};

Face faceOf(const ButtonLook& look, bool hovered, bool held) {
  if (!look.enabled)
    return {colour::SlateDeep, colour::SlateDeep, IM_COL32(64, 66, 86, 255), colour::TextDim};
  Face f{IM_COL32(100, 106, 142, 255), IM_COL32(66, 70, 98, 255), colour::GoldDark, colour::Text};
  if (hovered)
    f = {IM_COL32(120, 127, 168, 255), IM_COL32(80, 86, 118, 255), colour::Gold, colour::Text};
  if (held) f = {IM_COL32(60, 64, 90, 255), IM_COL32(90, 96, 130, 255), colour::Gold, colour::Text};
  if (look.focused) f.label = colour::GoldLight;
  return f;
}

// Draws the face and returns the label's box and colour.
ImU32 drawFace(const ButtonLook& look, ImVec2 min, ImVec2 max) {
  ImDrawList* list = ImGui::GetWindowDrawList();
  const bool hovered = look.enabled && ImGui::IsItemHovered();
  const bool held = look.enabled && ImGui::IsItemActive();
  const Face f = faceOf(look, hovered, held);
  list->AddRectFilledMultiColor(min, max, f.top, f.top, f.bottom, f.bottom);
  list->AddRect(min, max, f.frame);
  if (look.focused && look.enabled)
    list->AddRect(ImVec2(min.x + 1, min.y + 1), ImVec2(max.x - 1, max.y - 1), colour::Gold, 0, 0,
                  2);
  return f.label;
}

// An invisible button that ignores the mouse while disabled; tooltips still show.
bool press(const char* id, ImVec2 size, bool enabled) {
  ImGui::BeginDisabled(!enabled);
  const bool pressed = ImGui::InvisibleButton(id, size);
  ImGui::EndDisabled();
  return pressed && enabled;
}
}  // namespace

void applyTheme(ImGuiStyle& style) {
  style = ImGuiStyle();
  style.WindowPadding = ImVec2(14, 12);
  style.FramePadding = ImVec2(6, 3);  // the menu bar keeps its height
  style.ItemSpacing = ImVec2(8, 6);
  style.WindowRounding = 0;
  style.ChildRounding = 0;
  style.FrameRounding = 2;
  style.PopupRounding = 0;
  style.GrabRounding = 2;
  style.WindowBorderSize = 1;
  style.PopupBorderSize = 1;
  style.ChildBorderSize = 1;
  style.WindowTitleAlign = ImVec2(0.5f, 0.5f);
  style.DisabledAlpha = 0.45f;  // Dear ImGui's own disabled menus and items fade

  ImVec4* c = style.Colors;
  c[ImGuiCol_Text] = v(colour::Text);
  c[ImGuiCol_TextDisabled] = v(colour::TextDim);
  c[ImGuiCol_WindowBg] = v(IM_COL32(42, 45, 65, 255));
  c[ImGuiCol_ChildBg] = v(colour::SlateDark);
  c[ImGuiCol_PopupBg] = v(colour::SlateDark);
  c[ImGuiCol_Border] = v(colour::GoldDark);
  c[ImGuiCol_BorderShadow] = v(0);
  c[ImGuiCol_FrameBg] = v(colour::SlateDeep);
  c[ImGuiCol_FrameBgHovered] = v(IM_COL32(30, 32, 50, 255));
  c[ImGuiCol_FrameBgActive] = v(IM_COL32(30, 32, 50, 255));
  c[ImGuiCol_TitleBg] = v(colour::SlateDeep);
  c[ImGuiCol_TitleBgActive] = v(colour::SlateDeep);
  c[ImGuiCol_TitleBgCollapsed] = v(colour::SlateDeep);
  c[ImGuiCol_MenuBarBg] = v(colour::SlateDeep);
  c[ImGuiCol_ScrollbarBg] = v(colour::SlateDeep);
  c[ImGuiCol_ScrollbarGrab] = v(colour::SlateLight);
  c[ImGuiCol_ScrollbarGrabHovered] = v(IM_COL32(110, 117, 156, 255));
  c[ImGuiCol_ScrollbarGrabActive] = v(colour::GoldDark);
  c[ImGuiCol_CheckMark] = v(colour::Gold);
  c[ImGuiCol_SliderGrab] = v(colour::GoldDark);
  c[ImGuiCol_SliderGrabActive] = v(colour::Gold);
  c[ImGuiCol_Button] = v(IM_COL32(84, 90, 124, 255));
  c[ImGuiCol_ButtonHovered] = v(IM_COL32(110, 117, 156, 255));
  c[ImGuiCol_ButtonActive] = v(colour::GoldDeep);
  c[ImGuiCol_Header] = v(colour::GoldDeep);
  c[ImGuiCol_HeaderHovered] = v(IM_COL32(128, 84, 26, 255));
  c[ImGuiCol_HeaderActive] = v(colour::GoldDark);
  c[ImGuiCol_Separator] = v(colour::GoldDark);
  c[ImGuiCol_SeparatorHovered] = v(colour::Gold);
  c[ImGuiCol_SeparatorActive] = v(colour::Gold);
  c[ImGuiCol_ResizeGrip] = v(0);
  c[ImGuiCol_ResizeGripHovered] = v(0);
  c[ImGuiCol_ResizeGripActive] = v(0);
  c[ImGuiCol_Tab] = v(colour::Slate);
  c[ImGuiCol_TabHovered] = v(colour::SlateLight);
  c[ImGuiCol_TabActive] = v(colour::GoldDeep);
  c[ImGuiCol_TableHeaderBg] = v(colour::SlateDeep);
  c[ImGuiCol_TableBorderStrong] = v(colour::GoldDark);
  c[ImGuiCol_TableBorderLight] = v(colour::Slate);
  c[ImGuiCol_TableRowBg] = v(0);
  c[ImGuiCol_TableRowBgAlt] = v(IM_COL32(255, 255, 255, 10));
  c[ImGuiCol_TextSelectedBg] = v(colour::GoldDeep);
  c[ImGuiCol_NavHighlight] = v(colour::Gold);
  c[ImGuiCol_ModalWindowDimBg] = v(IM_COL32(8, 8, 18, 150));
}

void settleDimming() {
  // Dear ImGui fades the dimming in over a few frames, but the window draws only when
  // something changes: without this a box could stay half dimmed, or not at all.
  GImGui->DimBgRatio = ImGui::GetTopMostPopupModal() ? 1.0f : 0.0f;
}

void drawPlate(ImDrawList* list, ImVec2 min, ImVec2 max) {
  list->AddRectFilled(min, max, IM_COL32(42, 45, 65, 255));
  list->AddRect(min, max, colour::GoldDeep);
  list->AddRect(ImVec2(min.x + 1, min.y + 1), ImVec2(max.x - 1, max.y - 1), colour::GoldDark);
}

ImVec2 labelRoom(ImVec2 size) {
  const float side = size.x >= 40 ? 5 : 1;  // small square buttons need every pixel
  return ImVec2(size.x - 2 * side, size.y - 2);
}

bool gameButton(const FontSet& fonts, const char* id, std::string_view label, ImVec2 size,
                const ButtonLook& look) {
  const ImVec2 min = ImGui::GetCursorScreenPos();
  const bool pressed = press(id, size, look.enabled);
  const ImVec2 max(min.x + size.x, min.y + size.y);
  const ImU32 text = drawFace(look, min, max);
  const ImVec2 room = labelRoom(size);
  const FittedText fit = fitText(fonts, label, room, look.points, look.bold, true);
  const ImVec2 at(min.x + (size.x - room.x) / 2, min.y + (size.y - room.y) / 2);
  drawText(ImGui::GetWindowDrawList(), fit, at, room, Align::Centre, text);
  return pressed;
}

bool arrowButton(const char* id, ImGuiDir dir, ImVec2 size, const ButtonLook& look) {
  const ImVec2 min = ImGui::GetCursorScreenPos();
  const bool pressed = press(id, size, look.enabled);
  const ImVec2 max(min.x + size.x, min.y + size.y);
  const ImU32 ink = look.enabled ? colour::Gold : colour::TextDim;
  drawFace(look, min, max);
  const ImVec2 c((min.x + max.x) / 2, (min.y + max.y) / 2);
  const float r = std::min(size.x, size.y) * 0.28f;
  ImVec2 a, b, d;
  switch (dir) {
    case ImGuiDir_Up:
      a = {c.x, c.y - r}, b = {c.x + r, c.y + r * 0.7f}, d = {c.x - r, c.y + r * 0.7f};
      break;
    case ImGuiDir_Down:
      a = {c.x, c.y + r}, b = {c.x - r, c.y - r * 0.7f}, d = {c.x + r, c.y - r * 0.7f};
      break;
    case ImGuiDir_Left:
      a = {c.x - r, c.y}, b = {c.x + r * 0.7f, c.y - r}, d = {c.x + r * 0.7f, c.y + r};
      break;
    default:
      a = {c.x + r, c.y}, b = {c.x - r * 0.7f, c.y + r}, d = {c.x - r * 0.7f, c.y - r};
      break;
  }
  ImGui::GetWindowDrawList()->AddTriangleFilled(a, b, d, ink);
  return pressed;
}

}  // namespace kelvorn::ui
