// How long the window takes to draw a frame of a floor full of monsters, with the damage
// figures over them and without: the figures' cost is the difference of the two. The
// window draws on a display, so run it on one:
//
//   tools/with-display.sh build/bin/kelvorn-bench-window [--benchmark_filter=...]
//
// The goal: the figures cost under 1 ms a frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ui/app.h"

namespace {

using namespace kelvorn;
namespace fs = std::filesystem;

void frame(benchmark::State& bench) {
  const bool figures = bench.range(0) != 0;
  const fs::path home = fs::temp_directory_path() / ("kelvorn-bench-" + std::to_string(::getpid()));
  fs::remove_all(home);
  for (const char* sub : {"config/kelvorn", "data", "run"}) fs::create_directories(home / sub);
  fs::permissions(home / "run", fs::perms::owner_all);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
  std::ofstream(home / "config" / "kelvorn" / "settings.ini") << "show-damage=" << figures << "\n";
  {
    ui::App app(ui::AppOptions{false, false});
    std::string error;
    if (!app.init(error)) {
      bench.SkipWithError(error.c_str());
      return;
    }
    app.pump(200);
    Game& game = app.game();
    const int floor = game.state[gs::Floor];
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, 61);  // green slimes
    game.floors.setCell(floor, game.state.heroCell(), tile::Floor);
    game.redrawAll();
    game.unlockInput();
    for (auto _ : bench) app.drawFrame();
  }
  fs::remove_all(home);
}
BENCHMARK(frame)->ArgName("figures")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
