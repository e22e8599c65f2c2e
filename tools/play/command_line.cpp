// The command line of kelvorn-play (and of kelvorn-play-drawn, which draws as it plays):
// its options, the save holder, the script, the run and the replay written at the end.
#include "tools/play/command_line.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "storage/files.h"
#include "storage/replay_files.h"
#include "tools/play/driver.h"

namespace {

constexpr const char* kHelp = R"(Usage: kelvorn-play [OPTIONS]

Runs the game without a window, reading commands one per line from a script
(standard input by default). Blank lines and lines starting with # are ignored.

Options:
  --holder DIR        the save-holder folder (default: a new temporary folder,
                      removed at the end, so a run never touches a player's files)
  --load FILE         after start-up, load this save file as the Load command does
  --prologue on|off   override the Prologue option
  --script FILE       read commands from FILE instead of standard input
  --record FILE       at the end, write the replay of the game's input to FILE and
                      the game it began from beside it (FILE with .dat); the two
                      play again with --load FILE.dat --script FILE
  --help              show this text

Commands:
  up, down, left, right, enter, escape      key presses
  click CONTROL       ok, yes, no, use, dont-use, fly-up, fly-down, fly-ok,
                      hint N (1..24), hint-ok, altar N (1..4), forecast-ok,
                      item N (0..14), arrow up|left|right|down, back-side,
                      rank N (1..5), rank-ok, rank-clear,
                      holder-make, holder-ok, holder-cancel
  menu ITEM           game-start, game-quit, game-exit, load N, save N,
                      speed high|middle|low, font tiny|small|normal|big,
                      control keyboard|mouse, prologue, music, sound,
                      option-save, option-init, size small|large, ranking, holder
  hold fly-up|fly-down  hold a flight button down; release lets it go
  undo, redo          take the last action back, or do it again
  answer yes|no|ok    answer the pending Yes/No box, or close a message box
  input TEXT          fill in the pending text box; input-cancel cancels it
  select DIR          select a folder in the save-holder chooser
  wait                advance time until nothing more happens without the player
  tick MS             advance time by MS milliseconds
  dump                print the game as one line of JSON
  include FILE        play the commands of FILE here; FILE is named relative to
                      the including script's folder (the current one for standard
                      input), and its failures name it: "FILE line N: ..."

Exit status: 0 done; 2 a line not understood;
3 a click, answer or input with no visible, enabled target; 4 a wait that
did not end; 5 a file on the command line that cannot be used; 6 the game
itself failed (an internal error, reported in one line: please report it).
Errors are reported on standard error as "line N: ...".
)";

int usage(const std::string& problem) {
  std::cerr << "kelvorn-play: " << problem << "\n(kelvorn-play --help lists the options)\n";
  return kelvorn::play::kExitBadCommand;
}

}  // namespace

namespace kelvorn::play {

int runCommandLine(int argc, char** argv, DriverDrawing* drawing) {
  storage::reportFileSizeLimitAsError();
  namespace fs = std::filesystem;
  kelvorn::play::DriverOptions options;
  options.drawing = drawing;
  std::optional<fs::path> scriptPath;
  std::optional<fs::path> recordPath;
  bool temporaryHolder = true;

  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::string(arg + " needs a value");
      return argv[++i];
    };
    try {
      if (arg == "--help" || arg == "-h") {
        std::cout << kHelp;
        return 0;
      } else if (arg == "--holder") {
        options.holder = value();
        temporaryHolder = false;
      } else if (arg == "--load") {
        options.load = value();
      } else if (arg == "--script") {
        scriptPath = value();
      } else if (arg == "--record") {
        recordPath = value();
        options.record = true;
      } else if (arg == "--prologue") {
        const std::string v = value();
        if (v != "on" && v != "off") return usage("--prologue takes on or off, not '" + v + "'");
        options.prologue = v == "on";
      } else {
        return usage("unknown option '" + arg + "'");
      }
    } catch (const std::string& problem) {
      return usage(problem);
    }
  }

  std::error_code ec;
  if (temporaryHolder) {
    std::string pattern = (fs::temp_directory_path(ec) / "kelvorn-play-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
      std::cerr << "kelvorn-play: cannot create a temporary save holder\n";
      return kelvorn::play::kExitBadFile;
    }
    options.holder = pattern;
  } else if (!fs::is_directory(options.holder, ec)) {
    std::cerr << "kelvorn-play: the save holder " << options.holder << " is not a folder\n";
    return kelvorn::play::kExitBadFile;
  }

  std::ifstream file;
  if (scriptPath) {
    file.open(*scriptPath);
    if (!file) {
      std::cerr << "kelvorn-play: cannot read the script " << *scriptPath << "\n";
      if (temporaryHolder) fs::remove_all(options.holder, ec);
      return kelvorn::play::kExitBadFile;
    }
  }

  const fs::path holder = options.holder;
  kelvorn::play::Driver driver(std::move(options), std::cout, std::cerr);
  int status = kelvorn::play::kExitOk;
  try {
    driver.startUp();
    status = scriptPath ? driver.run(file, scriptPath->parent_path()) : driver.run(std::cin);
    if (recordPath)
      if (const std::string error =
              kelvorn::storage::writeReplay(*recordPath, driver.game().replay);
          !error.empty()) {
        std::cerr << "kelvorn-play: the replay was not written: " << error << "\n";
        if (status == kelvorn::play::kExitOk) status = kelvorn::play::kExitBadFile;
      }
  } catch (const std::exception& e) {
    std::cerr << "kelvorn-play: internal error: " << e.what() << "\n";
    status = kelvorn::play::kExitInternal;
  }
  if (temporaryHolder) fs::remove_all(holder, ec);
  return status;
}

}  // namespace kelvorn::play
