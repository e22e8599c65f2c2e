// The command line of kelvorn-play (and of kelvorn-play-drawn, which draws as it plays):
// its options, the save holder, the script, the run and the replay written at the end.
#include "tools/play/command_line.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "commands/program_options.h"
#include "commands/script_reader.h"
#include "storage/files.h"
#include "storage/replay_files.h"
#include "commands/driver.h"

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
                      play again with --load FILE.dat --script FILE. An existing
                      FILE.dat is not replaced (it may be a save) unless:
  --overwrite         --record may replace FILE.dat
  --help              show this text
  --version           show the version

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

Limits: a script file up to 16 MiB, a line up to 4096 bytes, scripts included
16 deep, 1000000 lines read in one run (included scripts count too).

Exit status: 0 done; 2 a line not understood, a limit met, or a bad command
line; 3 a click, answer or input with no visible, enabled target; 4 a wait that
did not end; 5 a file on the command line that cannot be used; 6 the game
itself failed (an internal error, reported in one line: please report it).
Errors are reported on standard error as "line N: ...".
)";

constexpr const char* kUsage =
    " [--holder DIR] [--load FILE] [--prologue on|off] [--script FILE]\n"
    "       [--record FILE [--overwrite]] [--help] [--version]";

const option kOptions[] = {{"holder", required_argument, nullptr, 'H'},
                           {"load", required_argument, nullptr, 'l'},
                           {"prologue", required_argument, nullptr, 'p'},
                           {"script", required_argument, nullptr, 's'},
                           {"record", required_argument, nullptr, 'r'},
                           {"overwrite", no_argument, nullptr, 'o'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

// The replay's start game goes beside its script. A file already there is kept unless
// the command line allows replacing it: it may be a save of the player's (save1.dat
// beside `--record save1.txt`), or one the run's own game wrote.
std::string startFileKept(const std::filesystem::path& record, bool overwrite) {
  const auto start = kelvorn::storage::replayStartFile(record);
  std::error_code ec;
  if (overwrite || !std::filesystem::exists(std::filesystem::symlink_status(start, ec))) return {};
  return start.string() + " exists and is not replaced by the replay (--overwrite replaces it)";
}

}  // namespace

namespace kelvorn::play {

int runCommandLine(int argc, char** argv, DriverDrawing* drawing) {
  storage::reportFileSizeLimitAsError();
  namespace fs = std::filesystem;
  const std::string program = fs::path(argv[0]).filename().string();
  kelvorn::play::DriverOptions options;
  options.drawing = drawing;
  std::optional<fs::path> scriptPath;
  std::optional<fs::path> recordPath;
  bool temporaryHolder = true;
  bool overwrite = false;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'H':
          options.holder = args.value();
          temporaryHolder = false;
          break;
        case 'l': options.load = args.value(); break;
        case 'p': options.prologue = args.choice({"on", "off"}) == "on"; break;
        case 's': scriptPath = args.value(); break;
        case 'r':
          recordPath = args.value();
          options.record = true;
          break;
        case 'o': overwrite = true; break;
        case 'h': std::cout << kHelp; return kExitOk;
        case 'v': std::cout << commands::versionLine(program) << "\n"; return kExitOk;
      }
    }
    args.refuseOperands();
    if (overwrite && !recordPath) throw commands::UsageError{"--overwrite goes with --record"};
  } catch (const commands::UsageError& e) {
    return commands::refuse(program, e, "usage: " + program + kUsage);
  }
  if (recordPath)
    if (const std::string kept = startFileKept(*recordPath, overwrite); !kept.empty()) {
      std::cerr << "kelvorn-play: " << kept << "\n";
      return kExitBadFile;
    }

  std::ifstream file;
  if (scriptPath)
    if (const std::string error = commands::openScript(*scriptPath, file); !error.empty()) {
      std::cerr << "kelvorn-play: cannot read the script " << scriptPath->string() << ": "
                << error << "\n";
      return kelvorn::play::kExitBadFile;
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
  // A temporary holder goes when the run ends, however it ends.
  const struct RemovedAtEnd {
    fs::path folder;
    ~RemovedAtEnd() {
      std::error_code ignored;
      if (!folder.empty()) fs::remove_all(folder, ignored);
    }
  } temporary{temporaryHolder ? options.holder : fs::path()};

  kelvorn::play::Driver driver(std::move(options), std::cout, std::cerr);
  int status = kelvorn::play::kExitOk;
  try {
    if (const std::string error = driver.startUp(); !error.empty()) {
      // A run that cannot start from the game it was given plays nothing.
      std::cerr << "kelvorn-play: " << error << "\n";
      return kelvorn::play::kExitBadFile;
    }
    status = scriptPath ? driver.run(file, scriptPath->parent_path()) : driver.run(std::cin);
    if (recordPath) {
      std::string error = startFileKept(*recordPath, overwrite);
      if (error.empty())
        error = kelvorn::storage::writeReplay(*recordPath, driver.game().records.replay);
      if (!error.empty()) {
        std::cerr << "kelvorn-play: the replay was not written: " << error << "\n";
        if (status == kelvorn::play::kExitOk) status = kelvorn::play::kExitBadFile;
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "kelvorn-play: internal error: " << e.what() << "\n";
    status = kelvorn::play::kExitInternal;
  }
  return status;
}

}  // namespace kelvorn::play
