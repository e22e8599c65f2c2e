// How fast the engine plays its scripts, without a window: every iteration runs a whole
// script step by step, as the step timer would, and counts the steps it ran (a long
// fight keeps only a few rounds on the stack at once, so the stack's size says nothing),
// once drawing into the board frames as the window would (drawing:1) and once with the
// rules alone, as the driver and the route search play (drawing:0).
//
//   kelvorn-bench-steps [--benchmark_filter=...]
//
// "steps/s" is the figure to read: the window needs at most two steps per 150 ms tick
// at the fastest speed (four cells per tick in a dissolve); a search wants millions.
#include <benchmark/benchmark.h>

#include "rules/game.h"
#include "view/game_drawing.h"

namespace {

using namespace kelvorn;

constexpr int kRight = 39, kUp = 38;

// A first or later game with the prologue off, on a plain floor, the hero at (5, 5);
// drawn by `drawing` with pictures of the real sizes when `drawn`.
void setUp(Game& game, GameDrawing& drawing, int floor, int levelBoost, bool drawn) {
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  game.startUp(options);
  if (drawn) {
    drawing.setLayout(makeLayout(false), blankSheets(32));
    game.attachView(&drawing);
  }
  game.state[gs::LevelBoost] = levelBoost;
  game.state[gs::Floor] = floor;
  for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
  game.state[gs::HeroX] = 5;
  game.state[gs::HeroY] = 5;
  game.drawFloor();
}

// Runs the pending script to its end, one step at a time; returns the steps it ran.
std::int64_t playOut(Game& game) {
  std::int64_t steps = 0;
  while (game.stack.count() > 0 && game.timers.enabled(TimerId::Steps)) {
    game.runStep();
    ++steps;
  }
  return steps;
}

// A second game's Green Slime (1540 life, 44 defence) against Offense 45: 1540 blows of
// one point each, some 18 500 steps, none of which costs the hero life.
void longFight(benchmark::State& bench) {
  Game game;
  GameDrawing drawing(viewedGame(game));
  std::int64_t steps = 0, fights = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    setUp(game, drawing, 3, gs::kLevelBoostAfterWin, bench.range(0) != 0);
    game.state[gs::Offense] = 45;
    game.state[gs::Defense] = 18 * 44;
    game.floors.setCell(3, cellIndex(6, 5), 61);
    bench.ResumeTiming();
    game.keyDown(kRight);
    steps += playOut(game);
    ++fights;
  }
  if (game.state[gs::Gold] != 1) bench.SkipWithError("the fight was not won");
  bench.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  bench.counters["steps/fight"] =
      static_cast<double>(steps) / static_cast<double>(std::max<std::int64_t>(fights, 1));
}
BENCHMARK(longFight)->ArgName("drawing")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Up the stairs from floor 3: the stairs script and the dissolve of 242 cells.
void floorChange(benchmark::State& bench) {
  Game game;
  GameDrawing drawing(viewedGame(game));
  std::int64_t steps = 0, changes = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    setUp(game, drawing, 3, 0, bench.range(0) != 0);
    game.floors.setCell(3, cellIndex(5, 4), tile::StairsUp);
    bench.ResumeTiming();
    game.keyDown(kUp);
    steps += playOut(game);
    ++changes;
  }
  if (game.state[gs::Floor] != 4) bench.SkipWithError("the floor did not change");
  bench.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  bench.counters["steps/change"] =
      static_cast<double>(steps) / static_cast<double>(std::max<std::int64_t>(changes, 1));
}
BENCHMARK(floorChange)->ArgName("drawing")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A saved position put into a game without a view, as a route search does for every
// state it expands: the file's values checked, the state and the floors installed.
void loadPosition(benchmark::State& bench) {
  Game game;
  OptionBytes options = builtInOptions();
  options[opt::Prologue] = 0;
  game.startUp(options);
  const SavedGame position{game.floors, game.state};
  for (auto _ : bench)
    if (game.loadGame(position, true) != Game::LoadResult::Loaded)
      bench.SkipWithError("the position was refused");
  bench.counters["loads/s"] =
      benchmark::Counter(static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(loadPosition)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
