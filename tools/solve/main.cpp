// kelvorn-solve: searches the rules for a way from a saved position to a goal and says
// whether one exists, printing it as a kelvorn-play script.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <string>

#include "storage/files.h"
#include "storage/save_file.h"
#include "tools/play/driver.h"
#include "tools/solve/search.h"

namespace {

using namespace kelvorn;

constexpr const char* kUsage =
    "usage: kelvorn-solve [--load FILE] [--prologue on|off] "
    "(--to-floor N | --to-checkpoint | --to-ending) [--seconds S] [--max-states N] [--best]\n";

int usage(const std::string& problem) {
  std::cerr << "kelvorn-solve: " << problem << "\n" << kUsage;
  return play::kExitBadCommand;
}

bool parse(const std::string& text, long long lo, long long hi, long long& out) {
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc{} && ptr == text.data() + text.size() && out >= lo && out <= hi;
}

std::string stats(const GameState& s) {
  return "floor " + std::to_string(s[gs::Floor]) + ", life " + std::to_string(s[gs::Life]) +
         ", offense " + std::to_string(s[gs::Offense]) + ", defense " +
         std::to_string(s[gs::Defense]) + ", gold " + std::to_string(s[gs::Gold]) + ", keys " +
         std::to_string(s[gs::YellowKeys]) + " yellow, " + std::to_string(s[gs::BlueKeys]) +
         " blue, " + std::to_string(s[gs::RedKeys]) + " red";
}

}  // namespace

int main(int argc, char** argv) {
  kelvorn::storage::reportFileSizeLimitAsError();
  std::optional<std::string> load;
  std::optional<bool> prologue;
  std::optional<solve::Goal> goal;
  solve::SolveRequest request;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    long long n = 0;
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--load" && hasValue) {
      load = argv[++i];
    } else if (arg == "--prologue" && hasValue) {
      const std::string v = argv[++i];
      if (v != "on" && v != "off") return usage("--prologue takes on or off, not '" + v + "'");
      prologue = v == "on";
    } else if (arg == "--to-floor" && hasValue) {
      if (goal || !parse(argv[++i], 0, 50, n)) return usage("--to-floor takes one floor 0..50");
      goal = solve::Goal::Floor;
      request.floor = static_cast<int>(n);
    } else if (arg == "--to-checkpoint" || arg == "--to-ending") {
      if (goal) return usage("give one goal");
      goal = arg == "--to-checkpoint" ? solve::Goal::Checkpoint : solve::Goal::Ending;
    } else if (arg == "--seconds" && hasValue) {
      if (!parse(argv[++i], 1, 1'000'000, n)) return usage("--seconds takes a whole number > 0");
      request.seconds = static_cast<double>(n);
    } else if (arg == "--max-states" && hasValue) {
      if (!parse(argv[++i], 1, 1'000'000'000, n)) return usage("--max-states takes a number > 0");
      request.maxStates = static_cast<std::size_t>(n);
    } else if (arg == "--best") {
      request.best = true;
    } else {
      return usage("unknown or incomplete option '" + arg + "'");
    }
  }
  if (!goal) return usage("a goal is needed");
  request.goal = *goal;

  std::optional<SavedGame> start;
  if (load) {
    const auto bytes = storage::readFile(*load);
    const auto decoded = bytes ? storage::decodeSave(*bytes) : std::nullopt;
    if (!decoded || !decoded->valid || decoded->game.state[gs::SaveVersion] != gs::kSaveVersion ||
        !isPlayable(decoded->game.state) || !arrivalCellsValid(decoded->game.floors)) {
      std::cerr << "kelvorn-solve: " << *load << " is not a usable save\n";
      return play::kExitBadFile;
    }
    start = decoded->game;
  }

  request.progress = [](const solve::Progress& p) {
    std::fprintf(stderr,
                 "kelvorn-solve: %.0f s, %zu expanded, %zu kept, %zu waiting, best floor %d\n",
                 p.seconds, p.expanded, p.stored, p.frontier, p.bestFloor);
  };
  try {
    solve::Position position(start, prologue);
    const solve::SolveResult result = solve::solve(position, request);
    // A route is printed only once it has played from the start again in a fresh game,
    // line by line as kelvorn-play will play it.
    if (result.answer == solve::Answer::RouteFound) {
      solve::Position fresh(start, prologue);
      if (!solve::replaysToGoal(fresh, request, result.route)) {
        std::cerr << "kelvorn-solve: internal error: the route found does not replay to the goal\n";
        return play::kExitInternal;
      }
    }
    switch (result.answer) {
      case solve::Answer::RouteFound:
        std::cout << "route found\n" << solve::script(result.route);
        if (result.bestAtGoal)
          std::cout << "# best at the goal: life " << (*result.bestAtGoal)[0] << ", offense "
                    << (*result.bestAtGoal)[1] << ", defense " << (*result.bestAtGoal)[2] << "\n";
        break;
      case solve::Answer::DeadEnd: std::cout << "dead end\n"; break;
      case solve::Answer::Unknown:
        std::cout << "unknown\n# best position reached: " << stats(result.reached) << "\n"
                  << solve::script(result.route);
        break;
    }
  } catch (const std::exception& e) {
    std::cerr << "kelvorn-solve: internal error: " << e.what() << "\n";
    return play::kExitInternal;
  }
  return 0;
}
