// Kelvorn: the game window.
#include <chrono>
#include <iostream>
#include <string>

#include "commands/program_options.h"
#include "view/png.h"
#include "storage/files.h"
#include "ui/app.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvorn [--prologue=on|off] [--screenshot MS FILE.png]\n"
    "               [--replay FILE.txt [--replay-speed=N]] [--help] [--version]";

const option kOptions[] = {{"prologue", required_argument, nullptr, 'p'},
                           {"screenshot", required_argument, nullptr, 's'},
                           {"report-startup", no_argument, nullptr, 'R'},
                           {"replay", required_argument, nullptr, 'r'},
                           {"replay-speed", required_argument, nullptr, 'S'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

}  // namespace

int main(int argc, char** argv) {
  namespace commands = kelvorn::commands;
  kelvorn::storage::reportFileSizeLimitAsError();
  const auto started = std::chrono::steady_clock::now();
  kelvorn::ui::AppOptions options;
  bool reportStartup = false;
  std::string screenshot;
  int screenshotAfter = 0;
  try {
    // '+': the arguments stay in order, so --screenshot can take its second value.
    commands::ProgramOptions args(argc, argv, "+h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'p': options.prologue = args.choice({"on", "off"}) == "on"; break;
        case 's':
          // For developers: run this many milliseconds, save the window as PNG and end.
          screenshotAfter = static_cast<int>(args.number(0, 3'600'000));
          screenshot = args.extraValue();
          break;
        case 'R': reportStartup = true; break;  // for the benchmark: time to the first frame
        case 'r': options.replay = args.value(); break;
        case 'S': options.replaySpeed = static_cast<int>(args.number(1, 64)); break;
        case 'h':
          std::cout << kUsage << "\n"
                    << "Starts the game window. --prologue overrides the Prologue option once;\n"
                       "--screenshot runs MS milliseconds, saves the window and ends;\n"
                       "--replay plays a saved replay (FILE.dat beside it holds the game it\n"
                       "begins from) N times as fast as it was played (1 to 64); Escape ends it\n"
                       "and the game goes on from there.\n";
          return 0;
        case 'v': std::cout << commands::versionLine("kelvorn") << "\n"; return 0;
      }
    }
    args.refuseOperands();
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn", e, kUsage);
  }
  kelvorn::ui::App app(options);
  std::string error;
  bool opened = false;
  try {
    opened = app.init(error);
  } catch (const std::exception& e) {
    error = std::string("internal error while starting: ") + e.what();
  }
  if (!opened) {
    std::cerr << "kelvorn: " << error << "\n";
    return 1;
  }
  if (reportStartup) {
    app.pump(1);  // draws the first frame
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    std::cerr << "first frame after " << ms.count() << " ms\n";
  }
  if (!screenshot.empty()) {
    app.pump(screenshotAfter);
    const auto png = kelvorn::encodePng(app.frame().capture());
    std::string writeError;
    if (!kelvorn::storage::writeFileAtomic(screenshot, png, writeError)) {
      std::cerr << "kelvorn: " << writeError << "\n";
      return 1;
    }
    return 0;
  }
  app.run();
  return app.failed() ? 1 : 0;
}
