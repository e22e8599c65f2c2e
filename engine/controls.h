// The state of the window's controls that the game logic decides: which menus and
// buttons are enabled, what the message window shows, which box waits for an answer.
// The window draws from this; the headless driver reports it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/game_state.h"

namespace kelvorn {

struct Controls {
  // Menus locked while a script runs.
  bool rankingEnabled = true;
  bool loadEnabled = true;
  bool saveEnabled = false;
  bool optionsEnabled = true;
  bool sizeEnabled = true;
  // "&Background Music On" is a check mark of its own: music can be switched on while
  // no track plays yet (during the intro).
  bool musicChecked = false;

  // The four on-screen arrows (mouse control only).
  bool arrowsVisible = false;
  bool arrowsEnabled = false;
  // Keyboard or mouse control; with keyboard control the window sees every key first.
  bool keyboardControl = false;
  bool keyPreview = false;
  // The "&Prologue" check mark (checked as created).
  bool prologueChecked = true;

  // The fifteen item icons.
  std::array<bool, kItemSlots> iconVisible{};
  std::array<bool, kItemSlots> iconEnabled{};

  // The message window over the board and its OK button.
  bool windowVisible = false;
  std::string windowText;
  bool okVisible = false;

  // Status panels: hidden by the ending, shown again by a redraw.
  bool panelsVisible = true;
};

// A Yes/No box waiting for the player.
enum class QuestionKind { GameStart, GameQuit, TryAgain };
struct Question {
  QuestionKind kind;
  std::string text;
};

}  // namespace kelvorn
