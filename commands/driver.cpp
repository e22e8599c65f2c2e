#include "commands/driver.h"

#include <algorithm>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "commands/script_lines.h"
#include "commands/script_reader.h"
#include "storage/files.h"
#include "storage/options_file.h"
#include "storage/save_file.h"
#include "storage/start_save.h"

namespace kelvorn::commands {

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
  LineReader reader(script, budget_);
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
  const std::string_view text = commandOf(line);
  if (text.empty()) return kExitOk;
  try {
    const Command command = parse(text);
    if (command.verb == Verb::Include) {
      // An included script reports its own failures; its status ends this run too.
      if (const int status = include(command.text, folder, depth); status != kExitOk) return status;
    } else if (command.verb == Verb::Dump) {
      out_ << dumpJson(game_, ranking(), chooser()) << "\n";
      out_.flush();
    } else {
      carryOut(command, game_, *this);
    }
  } catch (const CommandError& e) {
    // The message may quote the line: its control bytes are shown, not sent.
    err_ << (name.empty() ? "" : name + " ") << "line " << lineNo << ": " << printable(e.message)
         << "\n";
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

int Driver::include(const std::string& file, const std::filesystem::path& folder, int depth) {
  // Deep enough for any route made of parts; a script that includes itself stops here.
  if (depth >= kIncludeDepthLimit)
    fail(kExitBadCommand, "scripts included more than " + std::to_string(kIncludeDepthLimit) +
                              " deep (does a script include itself?)");
  const std::filesystem::path path = folder / file;
  std::ifstream in;
  if (const std::string error = openScript(path, in); !error.empty())
    fail(kExitBadFile, "cannot read the included script " + path.string() + ": " + error);
  return play(in, path.parent_path(), path.string(), depth + 1);
}

void Driver::setSize(bool large) {
  if (large == large_) return;
  large_ = large;
  game_.options[opt::Size] = large ? 1 : 0;
  if (options_.drawing) options_.drawing->setSize(game_, large);
  game_.afterSizeChange();
}

bool Driver::chooserInput(const Command& command) {
  if (!chooser_) return false;
  if (makeHolderAsked_) {
    // Only the name box takes input now.
    if (command.verb != Verb::Input && command.verb != Verb::InputCancel) return false;
    makeHolderAsked_ = false;
    if (command.verb == Verb::Input)
      if (const std::string error = chooser_->make(command.text); !error.empty())
        err_ << "kelvorn-play: " << error << "\n";
    return true;
  }
  switch (command.verb) {
    case Verb::Select:
      if (!chooser_->select(command.text))
        fail(kExitNoTarget, "select: '" + command.text + "' is not a folder");
      return true;
    case Verb::ClickHolderMake: makeHolderAsked_ = true; return true;
    case Verb::ClickHolderOk:
      if (const std::string error = chooser_->confirm(); !error.empty())
        err_ << "kelvorn-play: " << error << "\n";
      else
        host_.setHolder(chooser_->selected());
      chooser_.reset();
      return true;
    case Verb::ClickHolderCancel: chooser_.reset(); return true;
    default: return false;
  }
}

}  // namespace kelvorn::commands
