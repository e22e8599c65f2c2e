// The commands of a replay carried out in the window: the headless driver's commands,
// each sent where the window sends the same input of a player (the engine, the undo
// history, the ranking window, the size menu).
#include <cstdlib>
#include <iostream>
#include <vector>

#include "commands/script_lines.h"
#include "storage/replay_files.h"
#include "storage/start_save.h"
#include "ui/app.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

bool App::startReplay(std::string& error) {
  replay_ = ReplayPlayer::open(options_.replay, error);
  if (!replay_) return false;
  std::string reason;
  const std::optional<SavedGame> start =
      storage::readStartSave(storage::replayStartFile(options_.replay), reason);
  if (!start) {
    replay_.reset();
    error = "the game the replay begins from cannot be used: " + reason;
    return false;
  }
  // A replay saves, registers names and writes options as it was played: into a holder
  // of its own, never the player's.
  std::string folder = (fs::temp_directory_path() / "kelvorn-replay-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    replay_.reset();
    error = "cannot make a save holder for the replay";
    return false;
  }
  replayHolder_ = folder;
  setHolder(replayHolder_);
  continueOffer_.reset();
  game_.loadGame(start, true);
  return true;
}

void App::playReplay(int elapsed) {
  const bool more = replay_->play(
      elapsed * std::max(options_.replaySpeed, 1), [&](int ms) { game_.advance(ms); },
      [&](const std::string& command) {
        if (replayCommand(command)) return true;
        std::cerr << "kelvorn: the replay stops at line " << replay_->lineNumber() << ": '"
                  << commands::printable(command) << "' cannot be carried out now\n";
        return false;
      });
  if (!more) endReplay();
}

void App::endReplay() {
  replay_.reset();
  // The player takes over: what he saves goes to his own holder, which the replay never
  // touched, and the autosaves keep his game from the next floor change on. The replay's
  // own holder held only what the replay saved.
  setHolder(ini_.holder);
  std::error_code ec;
  fs::remove_all(replayHolder_, ec);
  replayHolder_.clear();
  game_.showOnMessageBar("The replay has ended; you play on, saving in your own save holder.");
  requestFrame();
  std::cerr << "kelvorn: the replay has ended; the game goes on from here\n";
}

bool App::replayCommand(const std::string& line) {
  const std::vector<std::string> w = commands::words(line);
  if (w.empty()) return false;
  const std::string& cmd = w[0];
  const std::string arg = w.size() > 1 ? w[1] : std::string();
  auto number = [&](const std::string& word) { return std::atoi(word.c_str()); };
  static const std::pair<const char*, int> kKeys[] = {{"enter", 13}, {"escape", 27}, {"left", 37},
                                                      {"up", 38},    {"right", 39},  {"down", 40}};
  for (const auto& [name, code] : kKeys)
    if (cmd == name) return game_.keyDown(code), true;
  if (cmd == "undo" || cmd == "redo") {
    if (!(cmd == "undo" ? canUndo() : canRedo())) return false;
    cmd == "undo" ? undo() : redo();
    return true;
  }
  if (cmd == "hold") return game_.flightButtonDown(arg == "fly-up"), true;
  if (cmd == "release") return game_.flightButtonUp(), true;
  if (cmd == "answer") {
    if (arg == "ok" && game_.dialogs.notice) return game_.acknowledge(), true;
    if (arg != "ok" && game_.question) return game_.answer(arg == "yes"), true;
    if (!ranking_) return false;
    if (arg == "ok" && !ranking_->notices.empty()) return ranking_->notices.pop_front(), true;
    if (arg != "ok" && ranking_->clearAsked()) return ranking_->answerClear(arg == "yes"), true;
    return false;
  }
  if (cmd == "input" || cmd == "input-cancel") {
    if (!ranking_ || !ranking_->nameRequested()) return false;
    const std::string_view text = commands::argumentText(line);
    ranking_->enterName(cmd == "input" && !text.empty() ? std::optional<std::string>(text)
                                                        : std::nullopt);
    return true;
  }
  if (cmd == "click") {
    static const std::pair<const char*, void (Game::*)()> kButtons[] = {
        {"ok", &Game::pressOk},
        {"yes", &Game::pressYes},
        {"no", &Game::pressNo},
        {"use", &Game::pressUse},
        {"dont-use", &Game::pressDontUse},
        {"fly-up", &Game::pressFlyUp},
        {"fly-down", &Game::pressFlyDown},
        {"fly-ok", &Game::pressFlyOk},
        {"hint-ok", &Game::pressHintOk},
        {"forecast-ok", &Game::pressForecastOk},
        {"back-side", &Game::goToBackSide}};
    for (const auto& [name, press] : kButtons)
      if (arg == name) return (game_.*press)(), true;
    const int n = w.size() > 2 ? number(w[2]) : 0;
    if (arg == "item") return game_.clickItem(n), true;
    if (arg == "hint") return game_.pressHint(n), true;
    if (arg == "altar") return game_.pressAltarChoice(n), true;
    if (arg == "arrow") {
      const std::string& d = w.size() > 2 ? w[2] : arg;
      return game_.arrowClick(d == "up" ? 1 : d == "left" ? 2 : d == "right" ? 3 : 4), true;
    }
    if (!ranking_) return false;
    if (arg == "rank") return ranking_->select(n), true;
    if (arg == "rank-clear") return ranking_->askClear(), true;
    if (arg == "rank-ok") {
      ranking_.reset();
      game_.rankingClosed();
      return true;
    }
    return false;
  }
  if (cmd == "menu") {
    const std::string value = w.size() > 2 ? w[2] : std::string();
    if (arg == "game-start") return game_.menuGameStart(), true;
    if (arg == "game-quit") return game_.menuGameQuit(), true;
    if (arg == "game-exit") return game_.menuGameExit(), true;
    if (arg == "load") return game_.menuLoad(number(value)), true;
    if (arg == "save") return game_.menuSave(number(value)), true;
    if (arg == "speed")
      return game_.menuSpeed(value == "high"  ? Speed::High
                             : value == "low" ? Speed::Low
                                              : Speed::Middle),
             true;
    if (arg == "font")
      return game_.menuFont(value == "tiny"    ? FontChoice::Tiny
                            : value == "small" ? FontChoice::Small
                            : value == "big"   ? FontChoice::Big
                                               : FontChoice::Normal),
             true;
    if (arg == "control")
      return game_.menuControl(value == "keyboard" ? Control::Keyboard : Control::Mouse), true;
    if (arg == "prologue") return game_.menuPrologue(), true;
    if (arg == "music") return game_.menuMusic(), true;
    if (arg == "sound") return game_.menuSound(), true;
    if (arg == "option-save") return game_.menuOptionSave(), true;
    if (arg == "option-init") return game_.menuOptionInit(), true;
    if (arg == "ranking") return game_.menuRanking(), true;
    if (arg == "size") return changeSize(value == "large"), true;
    return false;
  }
  return false;
}

}  // namespace kelvorn::ui
