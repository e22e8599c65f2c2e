// kelvorn-soak: plays random games through the headless driver and checks after every
// command that the game still holds together.
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "commands/program_options.h"
#include "storage/files.h"
#include "tools/soak/soak.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

namespace fs = std::filesystem;

constexpr const char* kHelp = R"(Usage: kelvorn-soak [OPTIONS]
       kelvorn-soak --replay FOLDER | --shrink FOLDER

Plays game after game through the headless driver: new games, saves reached by
playing and mutated saves, then random commands (arrows above all, visible
controls, answers, menus, time). After every command it checks that no exception
escaped and no wait hung, Life, Gold and the keys are not negative, the hero is on
the board, the floor is 0..50, every cell the game wrote holds a known code, and
input is never locked while nothing runs and nothing waits for the player.

Options:
  --seed N        the seed (default 1); the same seed plays the same commands
  --seconds S     stop after S seconds (default 60 when --commands is not given)
  --commands N    stop after N commands
  --folder DIR    where the game being played and the findings are kept
                  (default: a new temporary folder, removed when nothing is found)
  --keep-going    go on with the next game after a finding
  --replay FOLDER replay a kept game (its start/ and script.txt) with the checks
  --shrink FOLDER shorten a kept game's script to what still ends the same way (a
                  crash too); the whole script stays as full.txt
  --help, --version

A finding prints the invariant, the seed and the script that reproduces it (in
FOLDER/finding-SEED-GAME/). Exit status: 0 nothing found, 1 findings, 2 usage.
)";

// How long one command may run before the soak calls it a hang.
constexpr double kHangSeconds = 120;

std::atomic<double> heartbeat{0};

// The line written out when the process is about to die, kept where a signal handler
// can read it while the soak replaces it.
char fatalNote[2][2048];
std::atomic<int> fatalNoteShown{0};

void setFatalNote(const std::string& text) {
  const int next = 1 - fatalNoteShown.load();
  std::snprintf(fatalNote[next], sizeof fatalNote[next], "%s", text.c_str());
  fatalNoteShown.store(next);
}

void writeFatalNote() {
  const char* note = fatalNote[fatalNoteShown.load()];
  const ssize_t ignored = write(STDERR_FILENO, note, std::strlen(note));
  (void)ignored;
}

void onFatalSignal(int sig) {
  writeFatalNote();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

// Stops the process when a command runs too long: a wait that never ends inside the
// engine cannot be caught where it loops.
void watch() {
  for (;;) {
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double started = heartbeat.load();
    if (started != 0 && kelvorn::soak::nowSeconds() - started > kHangSeconds) {
      std::cout.flush();
      std::cerr << "kelvorn-soak: a command has run for " << kHangSeconds << " s (a hang)\n";
      writeFatalNote();
      std::_Exit(1);
    }
  }
}

constexpr const char* kUsage =
    "usage: kelvorn-soak [--seed N] [--seconds S | --commands N] [--folder DIR] [--keep-going]\n"
    "       kelvorn-soak --replay FOLDER | --shrink FOLDER | --help | --version";

const option kOptions[] = {{"seed", required_argument, nullptr, 'n'},
                           {"seconds", required_argument, nullptr, 's'},
                           {"commands", required_argument, nullptr, 'c'},
                           {"folder", required_argument, nullptr, 'f'},
                           {"keep-going", no_argument, nullptr, 'k'},
                           {"replay", required_argument, nullptr, 'r'},
                           {"shrink", required_argument, nullptr, 'S'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

}  // namespace

int main(int argc, char** argv) {
  namespace commands = kelvorn::commands;
  kelvorn::storage::reportFileSizeLimitAsError();
  kelvorn::soak::SoakOptions options;
  bool temporary = true;
  std::optional<std::string> replay, shrink;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'n': options.seed = static_cast<std::uint64_t>(args.number(0, LLONG_MAX)); break;
        case 's': options.seconds = static_cast<double>(args.number(0, 1'000'000'000)); break;
        case 'c': options.commands = static_cast<long>(args.number(0, LONG_MAX)); break;
        case 'f':
          options.folder = args.value();
          temporary = false;
          break;
        case 'k': options.keepGoing = true; break;
        case 'r': replay = args.value(); break;
        case 'S': shrink = args.value(); break;
        case 'h': std::cout << kHelp; return 0;
        case 'v': std::cout << commands::versionLine("kelvorn-soak") << "\n"; return 0;
      }
    }
    args.refuseOperands();
    if (replay && shrink) throw commands::UsageError{"give --replay or --shrink, not both"};
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-soak", e, kUsage);
  }
  if (replay) return kelvorn::soak::replayFolder(*replay, std::cout);
  if (shrink) return kelvorn::soak::shrinkFolder(*shrink, std::cout);
  if (options.seconds == 0 && options.commands == 0) options.seconds = 60;

  std::error_code ec;
  if (temporary) {
    std::string pattern = (fs::temp_directory_path(ec) / "kelvorn-soak-XXXXXX").string();
    if (ec || !mkdtemp(pattern.data())) {
      std::cerr << "kelvorn-soak: cannot create a temporary folder\n";
      return 2;
    }
    options.folder = pattern;
  }
  fs::create_directories(options.folder, ec);
  options.folder = fs::absolute(options.folder, ec);
  options.note = setFatalNote;
  // The sanitizers report memory faults themselves and then call back; an abort (a
  // failed bounds check of the standard library) is left to us in every build.
  std::signal(SIGABRT, onFatalSignal);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(writeFatalNote);
#else
  for (const int sig : {SIGSEGV, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, onFatalSignal);
#endif
  options.heartbeat = &heartbeat;
  std::thread(watch).detach();

  const double started = kelvorn::soak::nowSeconds();
  int status = 1;
  kelvorn::soak::Soak soak(options, std::cout);
  try {
    status = soak.run();
  } catch (const std::exception& e) {
    // The soak's own trouble (a file it could not write), not the game's.
    std::cerr << "kelvorn-soak: " << e.what() << "\n";
    return 2;
  }
  std::cout << soak.summary(kelvorn::soak::nowSeconds() - started) << std::endl;
  if (temporary && status == 0) fs::remove_all(options.folder, ec);
  return status;
}
