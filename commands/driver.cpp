#include "commands/driver.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "commands/program_options.h"
#include "commands/script_lines.h"
#include "commands/script_reader.h"
#include "storage/files.h"
#include "storage/options_file.h"
#include "storage/save_file.h"
#include "storage/start_save.h"

namespace kelvorn::play {

namespace {

// Thrown by a command that cannot be carried out; ends the run with its status.
struct CommandError {
  int status;
  std::string message;
};

[[noreturn]] void fail(int status, std::string message) {
  throw CommandError{status, std::move(message)};
}

void requireTarget(bool available, const std::string& what) {
  if (!available) fail(kExitNoTarget, "'" + what + "' has no visible, enabled target now");
}

long number(const std::string& word, long lo, long hi, const std::string& what) {
  const auto value = commands::wholeNumber(word, lo, hi);
  if (!value)
    fail(kExitBadCommand, what + " must be a number from " + std::to_string(lo) + " to " +
                              std::to_string(hi) + ", not '" + word + "'");
  return static_cast<long>(*value);
}

void expectArgs(const std::vector<std::string>& w, std::size_t count, const std::string& usage) {
  if (w.size() != count) fail(kExitBadCommand, "usage: " + usage);
}

// Game time `wait` may spend before it gives up: longer than any scene of the game.
constexpr int kWaitLimitMs = 30 * 60 * 1000;

}  // namespace

Driver::Driver(DriverOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      out_(out),
      err_(err),
      host_(options_.holder, *this),
      game_(content::builtIn(), &host_) {}

void DriverHost::openRanking() {
  driver_.ranking_.emplace(holder());
  driver_.ranking_->open();
}

void DriverHost::openHolderChooser() {
  // The driver keeps no KVN12.INI: a changed holder lasts for the run.
  driver_.chooser_.emplace(storage::HolderIni{holder().folder().string(), "", ""},
                           std::filesystem::path());
}

std::string Driver::startUp() {
  game_.records.replay.enabled = options_.record;
  std::optional<OptionBytes> stored = host_.holder().readOptions();
  if (options_.prologue) {
    if (!stored) stored = builtInOptions();
    (*stored)[opt::Prologue] = *options_.prologue ? 1 : 0;
  }
  if (options_.drawing) options_.drawing->setSize(game_, large_);
  game_.startUp(stored);
  std::string error;
  if (options_.load) error = loadFile(*options_.load);
  if (options_.undo) history_.observe(game_);
  return error;
}

// As the Load command does: keep the current game as the undo copy, then install the
// file. A file that cannot be used is refused before anything is written.
std::string Driver::loadFile(const std::filesystem::path& path) {
  std::string reason;
  const std::optional<SavedGame> saved = storage::readStartSave(path, reason);
  if (!saved) return reason;
  if (const std::string error = host_.holder().writeHandOver({game_.floors, game_.state});
      !error.empty())
    err_ << "kelvorn-play: " << error << "\n";
  if (game_.loadGame(saved, true) != Game::LoadResult::Loaded)
    return path.string() + " was refused by the game";
  return {};
}

int Driver::run(std::istream& script, const std::filesystem::path& folder) {
  budget_ = {options_.lineLimit, 0};
  return play(script, folder, "", 0);
}

int Driver::play(std::istream& script, const std::filesystem::path& folder, const std::string& name,
                 int depth) {
  commands::LineReader reader(script, budget_);
  std::string line, limit;
  while (reader.next(line, limit)) {
    if (const int status = playLine(line, folder, name, reader.lineNumber(), depth);
        status != kExitOk)
      return status;
    if (game_.quitRequested) break;
  }
  if (!limit.empty()) {
    err_ << (name.empty() ? "" : name + " ") << "line " << reader.lineNumber() << ": " << limit
         << "\n";
    return kExitBadCommand;
  }
  if (script.bad()) {
    err_ << "kelvorn-play: the script " << (name.empty() ? "" : name + " ")
         << "could not be read\n";
    return kExitBadFile;
  }
  return kExitOk;
}

int Driver::runLine(const std::string& line) { return playLine(line, {}, "", 1, 0); }

int Driver::playLine(const std::string& line, const std::filesystem::path& folder,
                     const std::string& name, int lineNo, int depth) {
  const std::string command(commands::commandOf(line));
  if (command.empty()) return kExitOk;
  try {
    if (commands::firstWord(command) == "include") {
      // An included script reports its own failures; its status ends this run too.
      if (const int status = include(command, folder, depth); status != kExitOk) return status;
    } else {
      execute(command);
    }
  } catch (const CommandError& e) {
    // The message may quote the line: its control bytes are shown, not sent.
    err_ << (name.empty() ? "" : name + " ") << "line " << lineNo << ": "
         << commands::printable(e.message) << "\n";
    return e.status;
  } catch (const std::exception& e) {
    err_ << (name.empty() ? "" : name + " ") << "line " << lineNo
         << ": internal error: " << e.what() << "\n";
    return kExitInternal;
  }
  if (options_.drawing) options_.drawing->commandDone();
  if (options_.undo) history_.observe(game_);
  return kExitOk;
}

int Driver::include(const std::string& command, const std::filesystem::path& folder, int depth) {
  const std::string_view file = commands::argumentText(command);
  if (file.empty()) fail(kExitBadCommand, "usage: include FILE");
  // Deep enough for any route made of parts; a script that includes itself stops here.
  if (depth >= commands::kIncludeDepthLimit)
    fail(kExitBadCommand, "scripts included more than " +
                              std::to_string(commands::kIncludeDepthLimit) +
                              " deep (does a script include itself?)");
  const std::filesystem::path path = folder / file;
  std::ifstream in;
  if (const std::string error = commands::openScript(path, in); !error.empty())
    fail(kExitBadFile, "cannot read the included script " + path.string() + ": " + error);
  return play(in, path.parent_path(), path.string(), depth + 1);
}

void Driver::execute(const std::string& line) {
  const auto w = commands::words(line);
  const std::string& cmd = w.at(0);
  auto rest = [&] { return std::string(commands::argumentText(line)); };

  static const std::pair<const char*, int> kKeys[] = {{"enter", 13}, {"escape", 27}, {"left", 37},
                                                      {"up", 38},    {"right", 39},  {"down", 40}};
  for (const auto& [name, code] : kKeys) {
    if (cmd == name) {
      expectArgs(w, 1, cmd);
      game_.keyDown(code);
      return;
    }
  }
  if (cmd == "click") {
    if (w.size() < 2) fail(kExitBadCommand, "usage: click CONTROL");
    click(w[1], std::vector<std::string>(w.begin() + 2, w.end()));
  } else if (cmd == "menu") {
    if (w.size() < 2) fail(kExitBadCommand, "usage: menu ITEM");
    menu(w[1], w.size() > 2 ? w[2] : std::string());
    if (w.size() > 3) fail(kExitBadCommand, "usage: menu ITEM [ARGUMENT]");
  } else if (cmd == "answer") {
    expectArgs(w, 2, "answer yes|no|ok");
    answer(w[1]);
  } else if (cmd == "input" || cmd == "input-cancel") {
    if (cmd == "input" && w.size() < 2) fail(kExitBadCommand, "usage: input TEXT");
    if (cmd == "input-cancel") expectArgs(w, 1, "input-cancel");
    const std::optional<std::string> text =
        cmd == "input" ? std::optional<std::string>(rest()) : std::nullopt;
    if (ranking_ && ranking_->notices.empty() && ranking_->nameRequested()) {
      noteRankingInput(line);
      ranking_->enterName(text);
    } else if (chooser_ && makeHolderAsked_) {
      makeHolderAsked_ = false;
      if (text)
        if (const std::string error = chooser_->make(*text); !error.empty())
          err_ << "kelvorn-play: " << error << "\n";
    } else {
      requireTarget(false, cmd);
    }
  } else if (cmd == "select") {
    if (w.size() < 2) fail(kExitBadCommand, "usage: select DIR");
    requireTarget(chooser_.has_value() && !makeHolderAsked_, "select " + rest());
    if (!chooser_->select(rest())) fail(kExitNoTarget, "select: '" + rest() + "' is not a folder");
  } else if (cmd == "hold") {
    // A flight button held down until `release`, as the window's mouse holds it.
    if (w.size() != 2 || (w[1] != "fly-up" && w[1] != "fly-down"))
      fail(kExitBadCommand, "usage: hold fly-up|fly-down");
    const bool up = w[1] == "fly-up";
    const Controls& c = game_.controls;
    requireTarget(c.flightVisible && (up ? c.flightUpEnabled : c.flightDownEnabled), line);
    game_.flightButtonDown(up);
  } else if (cmd == "release") {
    expectArgs(w, 1, "release");
    game_.flightButtonUp();
  } else if (cmd == "undo" || cmd == "redo") {
    expectArgs(w, 1, cmd);
    const bool undo = cmd == "undo";
    requireTarget(undo ? history_.canUndo(game_) : history_.canRedo(game_), cmd);
    undo ? history_.undo(game_) : history_.redo(game_);
  } else if (cmd == "wait") {
    expectArgs(w, 1, "wait");
    wait();
  } else if (cmd == "tick") {
    expectArgs(w, 2, "tick MS");
    game_.advance(static_cast<int>(number(w[1], 0, kWaitLimitMs, "MS")));
  } else if (cmd == "dump") {
    expectArgs(w, 1, "dump");
    out_ << dumpJson(game_, ranking_ ? &*ranking_ : nullptr, chooser_ ? &*chooser_ : nullptr)
         << "\n";
    out_.flush();
  } else {
    fail(kExitBadCommand, "unknown command '" + cmd + "'");
  }
}

void Driver::click(const std::string& control, const std::vector<std::string>& args) {
  auto noArgs = [&] {
    if (!args.empty()) fail(kExitBadCommand, "'click " + control + "' takes no argument");
  };
  const Controls& c = game_.controls;
  // Buttons without an argument: their target must be visible and enabled.
  struct Button {
    const char* name;
    bool available;
    void (Game::*press)();
  };
  const Button buttons[] = {
      {"ok", c.windowVisible && c.okVisible, &Game::pressOk},
      {"yes", c.yesNoVisible, &Game::pressYes},
      {"no", c.yesNoVisible && c.noEnabled, &Game::pressNo},
      {"use", c.confirmSlot >= 0, &Game::pressUse},
      {"dont-use", c.confirmSlot >= 0, &Game::pressDontUse},
      {"fly-up", c.flightVisible && c.flightUpEnabled, &Game::pressFlyUp},
      {"fly-down", c.flightVisible && c.flightDownEnabled, &Game::pressFlyDown},
      {"fly-ok", c.flightVisible, &Game::pressFlyOk},
      {"hint-ok", c.hintGridVisible, &Game::pressHintOk},
      {"forecast-ok", c.forecastVisible, &Game::pressForecastOk},
  };
  for (const Button& b : buttons) {
    if (control != b.name) continue;
    noArgs();
    requireTarget(b.available, "click " + control);
    (game_.*b.press)();
    return;
  }
  if (control == "back-side") {
    noArgs();
    requireTarget(c.backSideVisible, "click back-side");
    game_.goToBackSide();
  } else if (control == "hint" || control == "altar" || control == "item" || control == "rank") {
    const long hi = control == "hint" ? 24 : control == "altar" ? 4 : control == "item" ? 14 : 5;
    const long lo = control == "item" ? 0 : 1;
    if (args.size() != 1) fail(kExitBadCommand, "usage: click " + control + " N");
    const int n = static_cast<int>(number(args[0], lo, hi, "N"));
    const std::string what = "click " + control + " " + args[0];
    if (control == "item") {
      requireTarget(c.iconVisible[n] && c.iconEnabled[n], what);
      game_.clickItem(n);
    } else if (control == "hint") {
      requireTarget(c.hintGridVisible && c.hintEnabled[n - 1], what);
      game_.pressHint(n);
    } else if (control == "altar") {
      requireTarget(c.altarChoicesVisible, what);
      game_.pressAltarChoice(n);
    } else {
      requireTarget(ranking_ && ranking_->notices.empty() && !ranking_->nameRequested() &&
                        !ranking_->clearAsked(),
                    what);
      noteRankingInput("click rank " + args[0]);
      ranking_->select(n);
    }
  } else if (control == "arrow") {
    if (args.size() != 1 ||
        (args[0] != "up" && args[0] != "left" && args[0] != "right" && args[0] != "down"))
      fail(kExitBadCommand, "usage: click arrow up|left|right|down");
    requireTarget(c.arrowsVisible && c.arrowsEnabled, "click arrow " + args[0]);
    game_.arrowClick(args[0] == "up" ? 1 : args[0] == "left" ? 2 : args[0] == "right" ? 3 : 4);
  } else if (control == "rank-ok" || control == "rank-clear") {
    noArgs();
    const bool idle = ranking_ && ranking_->notices.empty() && !ranking_->nameRequested() &&
                      !ranking_->clearAsked();
    requireTarget(idle && (control == "rank-ok" || ranking_->clearEnabled()), "click " + control);
    if (control == "rank-clear") {
      noteRankingInput("click rank-clear");
      ranking_->askClear();
    } else {
      ranking_.reset();
      game_.rankingClosed();
    }
  } else if (control == "holder-make" || control == "holder-ok" || control == "holder-cancel") {
    noArgs();
    requireTarget(chooser_.has_value() && !makeHolderAsked_, "click " + control);
    if (control == "holder-make") {
      makeHolderAsked_ = true;
    } else {
      if (control == "holder-ok") {
        if (const std::string error = chooser_->confirm(); !error.empty())
          err_ << "kelvorn-play: " << error << "\n";
        else
          host_.setHolder(chooser_->selected());
      }
      chooser_.reset();
    }
  } else {
    fail(kExitBadCommand, "unknown control '" + control + "'");
  }
}

void Driver::menu(const std::string& item, const std::string& arg) {
  auto noArg = [&] {
    if (!arg.empty()) fail(kExitBadCommand, "'menu " + item + "' takes no argument");
  };
  auto option = [&](const std::string& what) {
    requireTarget(game_.controls.optionsEnabled, "menu " + what);
  };
  if (item == "game-start") {
    noArg();
    game_.menuGameStart();
  } else if (item == "game-quit") {
    noArg();
    game_.menuGameQuit();
  } else if (item == "game-exit") {
    noArg();
    game_.menuGameExit();
  } else if (item == "load" || item == "save") {
    const int slot = static_cast<int>(number(arg, 1, 8, "the slot"));
    if (item == "load") {
      requireTarget(game_.controls.loadEnabled, "menu load");
      game_.menuLoad(slot);
    } else {
      requireTarget(game_.controls.saveEnabled, "menu save");
      game_.menuSave(slot);
    }
  } else if (item == "speed") {
    option(item);
    if (arg == "high")
      game_.menuSpeed(Speed::High);
    else if (arg == "middle")
      game_.menuSpeed(Speed::Middle);
    else if (arg == "low")
      game_.menuSpeed(Speed::Low);
    else
      fail(kExitBadCommand, "usage: menu speed high|middle|low");
  } else if (item == "font") {
    option(item);
    if (arg == "tiny")
      game_.menuFont(FontChoice::Tiny);
    else if (arg == "small")
      game_.menuFont(FontChoice::Small);
    else if (arg == "normal")
      game_.menuFont(FontChoice::Normal);
    else if (arg == "big")
      game_.menuFont(FontChoice::Big);
    else
      fail(kExitBadCommand, "usage: menu font tiny|small|normal|big");
  } else if (item == "control") {
    option(item);
    if (arg == "keyboard")
      game_.menuControl(Control::Keyboard);
    else if (arg == "mouse")
      game_.menuControl(Control::Mouse);
    else
      fail(kExitBadCommand, "usage: menu control keyboard|mouse");
  } else if (item == "prologue" || item == "music" || item == "sound") {
    noArg();
    option(item);
    if (item == "prologue")
      game_.menuPrologue();
    else if (item == "music")
      game_.menuMusic();
    else
      game_.menuSound();
  } else if (item == "option-save" || item == "option-init") {
    noArg();
    option(item);
    item == "option-save" ? game_.menuOptionSave() : game_.menuOptionInit();
  } else if (item == "size") {
    if (arg != "small" && arg != "large") fail(kExitBadCommand, "usage: menu size small|large");
    // As the window's Size menu: closed while a script plays.
    requireTarget(game_.controls.sizeEnabled && game_.controls.optionsEnabled, "menu size");
    const bool large = arg == "large";
    if (large != large_) {
      large_ = large;
      game_.options[opt::Size] = large ? 1 : 0;
      if (options_.drawing) options_.drawing->setSize(game_, large);
      game_.afterSizeChange();
    }
  } else if (item == "ranking") {
    noArg();
    requireTarget(game_.controls.rankingEnabled, "menu ranking");
    game_.menuRanking();
  } else if (item == "holder") {
    noArg();
    option(item);
    game_.menuHolder();
  } else {
    fail(kExitBadCommand, "unknown menu item '" + item + "'");
  }
}

void Driver::answer(const std::string& what) {
  if (what != "yes" && what != "no" && what != "ok")
    fail(kExitBadCommand, "usage: answer yes|no|ok");
  // The boxes of the main window come first, then those of the ranking window.
  if (what == "ok" && game_.dialogs.notice) return game_.acknowledge();
  if (what != "ok" && game_.question) return game_.answer(what == "yes");
  if (ranking_ && what == "ok" && !ranking_->notices.empty()) {
    noteRankingInput("answer ok");
    return ranking_->notices.pop_front();
  }
  if (ranking_ && what != "ok" && ranking_->clearAsked()) {
    noteRankingInput("answer " + what);
    return ranking_->answerClear(what == "yes");
  }
  requireTarget(false, "answer " + what);
}

// The ranking window is the driver's own, not the engine's: what the player does in it
// goes into the game's replay from here.
void Driver::noteRankingInput(const std::string& command) {
  const auto noted = game_.records.replay.note(game_, command);
}

void Driver::wait() {
  int spent = 0;
  while (!game_.idle()) {
    const auto due = game_.timers.untilNext({TimerId::Steps, TimerId::Intro});
    if (!due) break;
    const int step = std::max(*due, 1);
    if (spent + step > kWaitLimitMs)
      fail(kExitNotIdle, "wait: the game was still busy after " +
                             std::to_string(kWaitLimitMs / 1000) + " s of game time");
    game_.advance(step);
    spent += step;
  }
}

}  // namespace kelvorn::play
