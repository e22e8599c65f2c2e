// Kelvorn: the game window.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "engine/png.h"
#include "storage/files.h"
#include "ui/app.h"

int main(int argc, char** argv) {
  kelvorn::storage::reportFileSizeLimitAsError();
  const auto started = std::chrono::steady_clock::now();
  kelvorn::ui::AppOptions options;
  bool reportStartup = false;
  std::string screenshot;
  int screenshotAfter = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshot" && i + 2 < argc) {
      // For developers: run this many milliseconds, save the window as PNG and end.
      screenshotAfter = std::stoi(argv[++i]);
      screenshot = argv[++i];
    } else if (arg == "--report-startup") {
      reportStartup = true;  // for the benchmark: time to the first frame on stderr
    } else if (arg == "--prologue=off") {
      options.prologue = false;
    } else if (arg == "--prologue=on") {
      options.prologue = true;
    } else if (arg == "--replay" && i + 1 < argc) {
      options.replay = argv[++i];
    } else if (arg.rfind("--replay-speed=", 0) == 0) {
      options.replaySpeed = std::clamp(std::atoi(arg.c_str() + 15), 1, 64);
    } else if (arg == "--help" || arg == "-h") {
      std::cout << "Usage: kelvorn [--prologue=on|off] [--screenshot MS FILE.png]\n"
                   "               [--replay FILE.txt [--replay-speed=N]]\n"
                   "Starts the game window. --prologue overrides the Prologue option once;\n"
                   "--screenshot runs MS milliseconds, saves the window and ends;\n"
                   "--replay plays a saved replay (FILE.dat beside it holds the game it\n"
                   "begins from) N times as fast as it was played (1 to 64); Escape ends it\n"
                   "and the game goes on from there.\n";
      return 0;
    } else {
      std::cerr << "kelvorn: unknown option '" << arg << "' (kelvorn --help)\n";
      return 2;
    }
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
    const auto png = kelvorn::encodePng(app.capture());
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
