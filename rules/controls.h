// The state of the window's controls that the game logic decides: which menus and
// buttons are enabled, what the message window shows, which box waits for an answer.
// The window draws from this; the headless driver reports it.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "rules/game_state.h"

namespace kelvorn {

struct Controls {
  // The Load and Save menus check the slot used last.
  int loadChecked = 0;
  int saveChecked = 0;

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

  // The message window over the board and its OK button, whose caption some scenes
  // change (the capture answers Zeno with "What?").
  bool windowVisible = false;
  std::string windowText;
  bool okVisible = false;
  // A scene may give the OK button a word of its own for the next window.
  std::string okCaption = "OK";

  // The Yes/No pair under the message window (merchants and the altar); No is disabled
  // for a gift that cannot be refused.
  bool yesNoVisible = false;
  bool noEnabled = true;
  // The altar's four choices, stacked under the question.
  bool altarChoicesVisible = false;
  std::array<std::string, 4> altarChoices;

  // "Don't use" and "Use" under the icon of the item slot waiting for confirmation.
  int confirmSlot = -1;

  // The orb of flying's UP, DOWN and OK.
  bool flightVisible = false;
  bool flightUpEnabled = false;
  bool flightDownEnabled = false;

  // The orb of wisdom's 24 hint buttons and their OK.
  bool hintGridVisible = false;
  std::array<bool, 24> hintEnabled{};

  // The orb of the hero's forecast over the board, with its OK.
  bool forecastVisible = false;

  // The status fields, icons and key panel: hidden by the scenes, shown again by a
  // redraw.
  bool panelsVisible = true;
  // The full-window scene picture over the board and the side panels (the title, the
  // picture sequences), with a line of text centred on it.
  bool sceneVisible = false;
  std::string sceneText;
  // The ending's "Go to the back side. Click here." control, holding the script.
  bool backSideVisible = false;
};

// Names of the characters whose hints the orb of wisdom replays, by button 1..24.
extern const std::array<const char*, 24> kHintNames;

// A Yes/No box waiting for the player.
enum class QuestionKind { GameStart, GameQuit, TryAgain, Overwrite, SaveOptions, InitOptions };
struct Question {
  QuestionKind kind;
  std::string text;
  int slot = 0;  // the save slot an overwrite asks about
};

}  // namespace kelvorn
