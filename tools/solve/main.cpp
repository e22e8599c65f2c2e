// kelvorn-solve: searches the rules for a way from a saved position to a goal and says
// whether one exists, printing it as a kelvorn-play script.
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

#include "commands/program_options.h"
#include "storage/files.h"
#include "storage/start_save.h"
#include "commands/exit_status.h"
#include "solver/search.h"

namespace {

using namespace kelvorn;

constexpr const char* kUsage =
    "usage: kelvorn-solve [--load FILE] [--prologue on|off] "
    "(--to-floor N | --to-checkpoint | --to-ending) [--seconds S] [--max-states N] [--max-memory MB] [--best]\n"
    "       kelvorn-solve --help | --version";

const option kOptions[] = {{"load", required_argument, nullptr, 'l'},
                           {"prologue", required_argument, nullptr, 'p'},
                           {"to-floor", required_argument, nullptr, 'f'},
                           {"to-checkpoint", no_argument, nullptr, 'c'},
                           {"to-ending", no_argument, nullptr, 'e'},
                           {"seconds", required_argument, nullptr, 's'},
                           {"max-states", required_argument, nullptr, 'm'},
                           {"max-memory", required_argument, nullptr, 'M'},
                           {"best", no_argument, nullptr, 'b'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

std::string stats(const GameState& s) {
  return "floor " + std::to_string(s[gs::Floor]) + ", life " + std::to_string(s[gs::Life]) +
         ", offense " + std::to_string(s[gs::Offense]) + ", defense " +
         std::to_string(s[gs::Defense]) + ", gold " + std::to_string(s[gs::Gold]) + ", keys " +
         std::to_string(s[gs::YellowKeys]) + " yellow, " + std::to_string(s[gs::BlueKeys]) +
         " blue, " + std::to_string(s[gs::RedKeys]) + " red";
}

const char* stopName(solve::Stop s) {
  switch (s) {
    case solve::Stop::None: break;
    case solve::Stop::Time: return "time";
    case solve::Stop::Memory: return "memory";
    case solve::Stop::States: return "states";
    case solve::Stop::Cancelled: return "cancelled";
  }
  return "";
}

// The answer of `--best --to-checkpoint`: the fairy's best score and whether every
// position was tried, the hero at that judgement, and the route to it.
void printBestScore(const solve::SolveResult& result) {
  const std::string why = std::string("(stopped: ") + stopName(result.stopped) + ")";
  const std::string status = result.stopped == solve::Stop::None ? "proved" : "best found " + why;
  switch (result.answer) {
    case solve::Answer::RouteFound: {
      const GameState& s = result.reached;
      std::cout << "best score " << *result.bestScore << ", " << status << "\n# checkpoint "
                << s[gs::Checkpoint] << ": " << stats(s) << "\n" << solve::script(result.route);
      break;
    }
    case solve::Answer::DeadEnd: std::cout << "dead end\n"; break;
    case solve::Answer::Unknown:
      std::cout << "unknown " << why << "\n# best position reached: " << stats(result.reached)
                << "\n" << solve::script(result.route);
      break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  kelvorn::storage::reportFileSizeLimitAsError();
  std::optional<std::string> load;
  std::optional<bool> prologue;
  std::optional<solve::Goal> goal;
  solve::SolveRequest request;
  std::optional<double> seconds;
  std::optional<std::size_t> maxStates;
  std::size_t megabytes = 8192;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    const auto setGoal = [&](solve::Goal g) {
      if (goal) throw commands::UsageError{"give one goal"};
      goal = g;
    };
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'l': load = args.value(); break;
        case 'p': prologue = args.choice({"on", "off"}) == "on"; break;
        case 'f':
          setGoal(solve::Goal::Floor);
          request.floor = static_cast<int>(args.number(0, 50));
          break;
        case 'c': setGoal(solve::Goal::Checkpoint); break;
        case 'e': setGoal(solve::Goal::Ending); break;
        case 's': seconds = static_cast<double>(args.number(1, 1'000'000)); break;
        case 'm': maxStates = static_cast<std::size_t>(args.number(1, 1'000'000'000)); break;
        case 'M': megabytes = static_cast<std::size_t>(args.number(1, 1'000'000'000)); break;
        case 'b': request.best = true; break;
        case 'h': std::cout << kUsage << "\n"; return 0;
        case 'v': std::cout << commands::versionLine("kelvorn-solve") << "\n"; return 0;
      }
    }
    args.refuseOperands();
    if (!goal) throw commands::UsageError{"a goal is needed"};
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-solve", e, kUsage);
  }
  request.goal = *goal;
  // The best score is searched for until every position is tried: half an hour and no
  // count of positions by default.
  const bool scoring = request.best && request.goal == solve::Goal::Checkpoint;
  request.seconds = seconds.value_or(scoring ? 1800 : request.seconds);
  request.maxStates = maxStates.value_or(scoring ? SIZE_MAX : request.maxStates);
  request.maxBytes = megabytes << 20;

  std::optional<SavedGame> start;
  if (load) {
    std::string reason;
    start = storage::readStartSave(*load, reason);
    if (!start) {
      std::cerr << "kelvorn-solve: " << reason << "\n";
      return commands::kExitBadFile;
    }
  }

  request.progress = [](const solve::Progress& p) {
    std::fprintf(stderr,
                 "kelvorn-solve: %.0f s, %zu expanded, %zu kept, %zu waiting, best floor %d",
                 p.seconds, p.expanded, p.stored, p.frontier, p.bestFloor);
    if (p.bestScore) std::fprintf(stderr, ", best score %d", static_cast<int>(*p.bestScore));
    std::fprintf(stderr, "\n");
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
        return commands::kExitInternal;
      }
    }
    if (scoring) {
      printBestScore(result);
      return 0;
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
    return commands::kExitInternal;
  }
  return 0;
}
