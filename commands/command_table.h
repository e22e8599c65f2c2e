// The commands of kelvorn-play, the one list of them: each with the words that name it,
// the argument it takes and one line of help. The driver, the window's replays, the
// soak and the solver read, write and explain commands from this table alone, and
// `kelvorn-play --help` and the README list it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::commands {

// One command of the table (in its order).
// clang-format off
enum class Verb : std::uint8_t {
  Up, Down, Left, Right, Enter, Escape,
  ClickOk, ClickYes, ClickNo, ClickUse, ClickDontUse, ClickFlyUp, ClickFlyDown, ClickFlyOk,
  ClickHint, ClickHintOk, ClickAltar, ClickForecastOk, ClickItem, ClickArrow, ClickBackSide,
  ClickRank, ClickRankOk, ClickRankClear, ClickHolderMake, ClickHolderOk, ClickHolderCancel,
  MenuGameStart, MenuGameQuit, MenuGameExit, MenuLoad, MenuSave, MenuSpeed, MenuFont,
  MenuControl, MenuPrologue, MenuMusic, MenuSound, MenuOptionSave, MenuOptionInit, MenuSize,
  MenuRanking, MenuHolder,
  Hold, Release, Undo, Redo, Answer, Input, InputCancel, Select, Wait, Tick, Dump, Include,
};
// clang-format on

// What follows a command's name.
enum class Argument : std::uint8_t {
  None,
  Number,  // a whole number within the form's range
  Choice,  // one word of the form's pattern ("high|middle|low")
  Text,    // the rest of the line as written (`input TEXT`, `select DIR`, `include FILE`)
};

// Game time `wait` may spend before it gives up, and the longest `tick`: longer than any
// scene of the game.
inline constexpr int kWaitLimitMs = 30 * 60 * 1000;

struct Form {
  Verb verb;
  std::string_view name;  // the words that name it: "up", "click hint", "menu speed"
  Argument argument;
  std::string_view pattern;  // the argument as help and usage show it: "N", "yes|no|ok"
  std::string_view what;     // a number's name in messages: "N", "MS", "the slot"
  long lo, hi;               // a number's range
  // A game's replay may hold it, and the window plays it back; the others (time waited
  // for, printing, scripts and the save holder) are the headless driver's alone.
  bool replayed;
  std::string_view help;  // one line for `kelvorn-play --help` and the README
};

namespace table {
constexpr Form plain(Verb v, std::string_view name, bool replayed, std::string_view help) {
  return {v, name, Argument::None, {}, {}, 0, 0, replayed, help};
}
constexpr Form number(Verb v, std::string_view name, std::string_view pattern,
                      std::string_view what, long lo, long hi, bool replayed,
                      std::string_view help) {
  return {v, name, Argument::Number, pattern, what, lo, hi, replayed, help};
}
constexpr Form choice(Verb v, std::string_view name, std::string_view pattern, bool replayed,
                      std::string_view help) {
  return {v, name, Argument::Choice, pattern, {}, 0, 0, replayed, help};
}
constexpr Form text(Verb v, std::string_view name, std::string_view pattern, bool replayed,
                    std::string_view help) {
  return {v, name, Argument::Text, pattern, {}, 0, 0, replayed, help};
}
}  // namespace table

// The commands whose first word is followed by a second naming what is clicked or chosen.
inline constexpr std::string_view kClick = "click", kMenu = "menu";

// clang-format off
inline constexpr Form kForms[] = {
    table::plain(Verb::Up, "up", true, "press the up arrow key"),
    table::plain(Verb::Down, "down", true, "press the down arrow key"),
    table::plain(Verb::Left, "left", true, "press the left arrow key"),
    table::plain(Verb::Right, "right", true, "press the right arrow key"),
    table::plain(Verb::Enter, "enter", true, "press Enter"),
    table::plain(Verb::Escape, "escape", true, "press Escape"),
    table::plain(Verb::ClickOk, "click ok", true, "the message window's OK"),
    table::plain(Verb::ClickYes, "click yes", true, "the message window's Yes"),
    table::plain(Verb::ClickNo, "click no", true, "the message window's No"),
    table::plain(Verb::ClickUse, "click use", true, "use the item asked about"),
    table::plain(Verb::ClickDontUse, "click dont-use", true, "do not use it"),
    table::plain(Verb::ClickFlyUp, "click fly-up", true, "the flight's floor up"),
    table::plain(Verb::ClickFlyDown, "click fly-down", true, "the flight's floor down"),
    table::plain(Verb::ClickFlyOk, "click fly-ok", true, "fly to the floor shown"),
    table::number(Verb::ClickHint, "click hint", "N", "N", 1, 24, true, "a floor of the hint grid"),
    table::plain(Verb::ClickHintOk, "click hint-ok", true, "close the hint grid"),
    table::number(Verb::ClickAltar, "click altar", "N", "N", 1, 4, true, "an altar's offer"),
    table::plain(Verb::ClickForecastOk, "click forecast-ok", true, "close the battle forecast"),
    table::number(Verb::ClickItem, "click item", "N", "N", 0, 14, true, "the item icon in slot N"),
    table::choice(Verb::ClickArrow, "click arrow", "up|left|right|down", true,
                  "an on-screen arrow"),
    table::plain(Verb::ClickBackSide, "click back-side", true, "go on to the back side"),
    table::number(Verb::ClickRank, "click rank", "N", "N", 1, 5, true,
                  "the rankings of checkpoint N"),
    table::plain(Verb::ClickRankOk, "click rank-ok", true, "close the ranking window"),
    table::plain(Verb::ClickRankClear, "click rank-clear", true, "clear the rankings shown"),
    table::plain(Verb::ClickHolderMake, "click holder-make", false,
                 "the save-holder chooser's new folder"),
    table::plain(Verb::ClickHolderOk, "click holder-ok", false, "use the folder selected"),
    table::plain(Verb::ClickHolderCancel, "click holder-cancel", false, "close the chooser"),
    table::plain(Verb::MenuGameStart, "menu game-start", true, "Game > Start"),
    table::plain(Verb::MenuGameQuit, "menu game-quit", true, "Game > Quit"),
    table::plain(Verb::MenuGameExit, "menu game-exit", true, "Game > Exit: ends the run"),
    table::number(Verb::MenuLoad, "menu load", "N", "the slot", 1, 8, true, "load save slot N"),
    table::number(Verb::MenuSave, "menu save", "N", "the slot", 1, 8, true, "save into slot N"),
    table::choice(Verb::MenuSpeed, "menu speed", "high|middle|low", true, "the game's speed"),
    table::choice(Verb::MenuFont, "menu font", "tiny|small|normal|big", true,
                  "the message font"),
    table::choice(Verb::MenuControl, "menu control", "keyboard|mouse", true,
                  "how the hero is moved"),
    table::plain(Verb::MenuPrologue, "menu prologue", true, "switch the prologue on or off"),
    table::plain(Verb::MenuMusic, "menu music", true, "switch the music on or off"),
    table::plain(Verb::MenuSound, "menu sound", true, "switch the sound on or off"),
    table::plain(Verb::MenuOptionSave, "menu option-save", true, "keep the options"),
    table::plain(Verb::MenuOptionInit, "menu option-init", true, "the options as first given"),
    table::choice(Verb::MenuSize, "menu size", "small|large", true, "the window's size"),
    table::plain(Verb::MenuRanking, "menu ranking", true, "open the ranking window"),
    table::plain(Verb::MenuHolder, "menu holder", false, "open the save-holder chooser"),
    table::choice(Verb::Hold, "hold", "fly-up|fly-down", true,
                  "hold a flight button down until release"),
    table::plain(Verb::Release, "release", true, "let the flight button go"),
    table::plain(Verb::Undo, "undo", true, "take the last action back"),
    table::plain(Verb::Redo, "redo", true, "do it again"),
    table::choice(Verb::Answer, "answer", "yes|no|ok", true,
                  "answer the Yes/No box, or close a message box"),
    table::text(Verb::Input, "input", "TEXT", true, "fill in the pending text box"),
    table::plain(Verb::InputCancel, "input-cancel", true, "cancel the pending text box"),
    table::text(Verb::Select, "select", "DIR", false,
                "select a folder in the save-holder chooser"),
    table::plain(Verb::Wait, "wait", false,
                 "advance time until nothing happens without the player"),
    table::number(Verb::Tick, "tick", "MS", "MS", 0, kWaitLimitMs, true,
                  "advance time by MS milliseconds"),
    table::plain(Verb::Dump, "dump", false, "print the game as one line of JSON"),
    table::text(Verb::Include, "include", "FILE", false,
                "play FILE's commands here (FILE named from this script's folder)"),
};
// clang-format on

// The table's row of a command.
constexpr const Form& form(Verb verb) { return kForms[static_cast<std::size_t>(verb)]; }

constexpr bool inVerbOrder() {
  for (std::size_t i = 0; i < std::size(kForms); ++i)
    if (static_cast<std::size_t>(kForms[i].verb) != i) return false;
  return true;
}
static_assert(inVerbOrder(), "the table lists the commands in the order of Verb");

// The arrow keys in the order of `click arrow`'s choices (up, left, right, down).
inline constexpr Verb kArrowKeys[] = {Verb::Up, Verb::Left, Verb::Right, Verb::Down};

// The words of a Choice form's pattern, in order.
std::vector<std::string_view> choices(Verb verb);

// The script line of a command: its name, then its argument when it takes one.
std::string line(Verb verb);
std::string line(Verb verb, long number);                // "click item 3", "tick 250"
std::string line(Verb verb, std::string_view argument);  // "input Hero", "menu speed high"
// A Choice form's line with the choice at `index` of its pattern ("menu speed low" is
// choiceLine(Verb::MenuSpeed, 2)).
std::string choiceLine(Verb verb, std::size_t index);

// The answers of `answer`, in the order of its pattern.
enum class Reply : std::uint8_t { Yes, No, Ok };
std::string answer(Reply reply);

// A `click` line without its first word, the name of the control it clicks ("hint 3"),
// and the line that clicks a control so named.
std::string control(Verb verb);
std::string control(Verb verb, long number);
std::string control(Verb verb, std::string_view argument);
std::string clickLine(std::string_view control);

// The form a command's first words name, or null.
const Form* findForm(std::string_view first, std::string_view second);

// The command list and the exit statuses as `kelvorn-play --help` prints them (and the
// README quotes them).
std::string commandHelp();
std::string exitStatusHelp();

}  // namespace kelvorn::commands
