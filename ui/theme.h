// The window's one look, taken from the game's own pictures: slate panels, gold
// accents and the game's typeface, for the menus, windows, boxes and every button
// drawn over the pictures.
#pragma once

#include <imgui.h>

#include <string_view>

#include "view/layout.h"
#include "ui/fonts.h"

namespace kelvorn::ui {

namespace colour {
// The panel colours and gold of the pictures' palette.
inline constexpr ImU32 Slate = IM_COL32(58, 62, 86, 255);
inline constexpr ImU32 SlateLight = IM_COL32(84, 90, 120, 255);
inline constexpr ImU32 SlateDark = IM_COL32(36, 38, 56, 255);
inline constexpr ImU32 SlateDeep = IM_COL32(22, 23, 36, 255);
inline constexpr ImU32 Gold = IM_COL32(236, 188, 48, 255);
inline constexpr ImU32 GoldLight = IM_COL32(255, 232, 128, 255);
inline constexpr ImU32 GoldDark = IM_COL32(170, 116, 26, 255);
inline constexpr ImU32 GoldDeep = IM_COL32(110, 70, 20, 255);
inline constexpr ImU32 Text = IM_COL32(240, 234, 214, 255);
inline constexpr ImU32 TextDim = IM_COL32(118, 120, 140, 255);
inline constexpr ImU32 Damage = IM_COL32(255, 170, 150, 255);
}  // namespace colour

// Sets the colours and spacing of Dear ImGui's own windows, menus and boxes.
void applyTheme(ImGuiStyle& style);

// Every box waits in front of the same dimmed window, from its first frame on: call
// once per frame before rendering.
void settleDimming();

// A slate plate with a gold frame, behind a group of controls over the pictures.
void drawPlate(ImDrawList* list, ImVec2 min, ImVec2 max);

struct ButtonLook {
  bool focused = false;  // has the keyboard: a gold ring
  bool enabled = true;   // a disabled button is dark and flat with dim text
  int points = 10;       // the label's preferred size
  bool bold = true;
};

// The room for a button's label, clear of its frame.
ImVec2 labelRoom(ImVec2 size);

// A button with an opaque face at the current cursor place; its label is fitted to it.
// True when clicked.
bool gameButton(const FontSet& fonts, const char* id, std::string_view label, ImVec2 size,
                const ButtonLook& look = {});
// The same with an arrow (ImGuiDir) in place of a label.
bool arrowButton(const char* id, ImGuiDir dir, ImVec2 size, const ButtonLook& look = {});

// A rectangle of the layout on screen, below the menu bar at `top`.
inline ImVec2 screenMin(const Rect& r, int top) { return ImVec2(float(r.x), float(r.y + top)); }
inline ImVec2 screenMax(const Rect& r, int top) {
  return ImVec2(float(r.right()), float(r.bottom() + top));
}
inline ImVec2 sizeOf(const Rect& r) { return ImVec2(float(r.w), float(r.h)); }

}  // namespace kelvorn::ui
