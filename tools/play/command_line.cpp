// The command line of kelvorn-play (and of kelvorn-play-drawn, which draws as it plays):
// its options, the save holder, the script, the run and the replay written at the end.
#include "tools/play/command_line.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "commands/command_table.h"
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

)";

// After the commands and their limits, the exit statuses.
constexpr const char* kLimits = R"(
Limits: a script file up to 16 MiB, a line up to 4096 bytes, scripts included
16 deep, 1000000 lines read in one run (included scripts count too).

)";

constexpr const char* kErrors =
    "\nErrors are reported on standard error as \"line N: ...\"; an included script's as\n"
    "\"FILE line N: ...\".\n";

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

int runCommandLine(int argc, char** argv, commands::DriverDrawing* drawing) {
  storage::reportFileSizeLimitAsError();
  namespace fs = std::filesystem;
  const std::string program = fs::path(argv[0]).filename().string();
  kelvorn::commands::DriverOptions options;
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
        case 'h':
          std::cout << kHelp << commands::commandHelp() << kLimits << commands::exitStatusHelp()
                    << kErrors;
          return commands::kExitOk;
        case 'v': std::cout << commands::versionLine(program) << "\n"; return commands::kExitOk;
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
      return commands::kExitBadFile;
    }

  std::ifstream file;
  if (scriptPath)
    if (const std::string error = commands::openScript(*scriptPath, file); !error.empty()) {
      std::cerr << "kelvorn-play: cannot read the script " << scriptPath->string() << ": "
                << error << "\n";
      return kelvorn::commands::kExitBadFile;
    }

  std::error_code ec;
  if (temporaryHolder) {
    std::string pattern = (fs::temp_directory_path(ec) / "kelvorn-play-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
      std::cerr << "kelvorn-play: cannot create a temporary save holder\n";
      return kelvorn::commands::kExitBadFile;
    }
    options.holder = pattern;
  } else if (!fs::is_directory(options.holder, ec)) {
    std::cerr << "kelvorn-play: the save holder " << options.holder << " is not a folder\n";
    return kelvorn::commands::kExitBadFile;
  }
  // A temporary holder goes when the run ends, however it ends.
  const struct RemovedAtEnd {
    fs::path folder;
    ~RemovedAtEnd() {
      std::error_code ignored;
      if (!folder.empty()) fs::remove_all(folder, ignored);
    }
  } temporary{temporaryHolder ? options.holder : fs::path()};

  kelvorn::commands::Driver driver(std::move(options), std::cout, std::cerr);
  int status = kelvorn::commands::kExitOk;
  try {
    if (const std::string error = driver.startUp(); !error.empty()) {
      // A run that cannot start from the game it was given plays nothing.
      std::cerr << "kelvorn-play: " << error << "\n";
      return kelvorn::commands::kExitBadFile;
    }
    status = scriptPath ? driver.run(file, scriptPath->parent_path()) : driver.run(std::cin);
    if (recordPath) {
      std::string error = startFileKept(*recordPath, overwrite);
      if (error.empty())
        error = kelvorn::storage::writeReplay(*recordPath, driver.game().records.replay);
      if (!error.empty()) {
        std::cerr << "kelvorn-play: the replay was not written: " << error << "\n";
        if (status == kelvorn::commands::kExitOk) status = kelvorn::commands::kExitBadFile;
      }
    }
  } catch (const std::exception& e) {
    std::cerr << "kelvorn-play: internal error: " << e.what() << "\n";
    status = kelvorn::commands::kExitInternal;
  }
  return status;
}

}  // namespace kelvorn::play
