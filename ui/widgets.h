// The drawing helpers every part of the window shares: texts fitted into places of the
// layout, the game's buttons placed on it, and the message and question boxes with their
// centred buttons.
#pragma once

#include <SDL.h>
#include <imgui.h>

#include <string>
#include <string_view>

#include "rules/game.h"
#include "ui/fonts.h"
#include "ui/text_fit.h"
#include "view/layout.h"

namespace kelvorn::ui {

// What a part draws with in a frame: the fonts, the layout the game is drawn at, and
// the top of the picture below the menu bar.
struct Canvas {
  const FontSet& fonts;
  const Layout& layout;
  int top;
};

// Writes a text fitted into a place of the layout.
void textIn(const Canvas& canvas, const Rect& place, std::string_view text, int points, bool bold,
            Align align, ImU32 colour, bool wrap = false);

// A button of the window at a place of the layout; "##" starts the part of the label
// that only tells buttons apart.
bool button(const Canvas& canvas, const char* label, const Rect& r, bool focused,
            bool enabled = true, int points = 10);

// A question or message box: opens it with its text; the caller adds the buttons,
// centred by boxButtons, and ends it.
bool beginBox(const Canvas& canvas, const char* id, std::string_view text,
              std::string_view title = {});
void boxButtons(int count, float width);

// A plain box inside another window: OK closes it.
bool okBox(const Canvas& canvas, const char* id, const std::string& text);

// A window of its own in the middle of the picture, sized to what it holds: opened
// while `wanted`, closed once not; true while it is to be drawn (the caller ends it
// with ImGui::EndPopup).
bool beginCentredWindow(const char* title, bool wanted);

// Enter or Escape as a key press meant for the box now drawn: not the press that
// opened it.
bool enterPressed();
bool escapePressed();

// Which button of the group now showing has the keyboard: a new group starts on its
// default.
class ButtonFocus {
 public:
  int at(const std::string& group, int count, int initial);
  // The focused button, for the keys that move it.
  int& index() { return focus_; }

 private:
  std::string group_;
  int focus_ = 0;
};

// Something over the board or in front of the game takes the keys: a window, its
// buttons, the item cursor, a scene.
bool buttonsShowing(const Game& game);

// What the player does in the window's own windows (the rankings, the size menu) goes
// into the game's replay from here.
void noteWindowInput(Game& game, const std::string& command);

// Tells Dear ImGui of a key going down or up, for the windows that read it there.
void imguiKey(SDL_Keycode key, bool down);

}  // namespace kelvorn::ui
