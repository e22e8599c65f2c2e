// kelvorn-solve: searches the rules for a way from a saved position to a goal and says
// whether one exists, printing it as a kelvorn-play script.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

#include "commands/program_options.h"
#include "storage/files.h"
#include "storage/start_save.h"
#include "commands/exit_status.h"
#include "rules/cell_entry.h"
#include "solver/blockers.h"
#include "solver/no_return.h"
#include "solver/search.h"
#include "tools/floorcheck/names.h"

namespace {

using namespace kelvorn;

constexpr const char* kUsage =
    "usage: kelvorn-solve [--load FILE] [--prologue on|off] "
    "(--to-floor N | --to-checkpoint | --to-ending | --no-return) [--seconds S] [--max-states N] "
    "[--max-memory MB] [--best]\n"
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
                           {"no-return", no_argument, nullptr, 'n'},
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

// What a move did, by what it acted on.
const char* verb(const solve::ClosingMove& m) {
  if (m.target < 0) return "using the ";
  switch (cellEntry(m.floor, static_cast<TileCode>(m.code))) {
    case CellEntry::Battle: return "beating the ";
    case CellEntry::KeyDoor: return "opening the ";
    case CellEntry::Pickup: return "taking the ";
    case CellEntry::Merchant:
    case CellEntry::Thief:
    case CellEntry::Fairy:
    case CellEntry::OldMan:
    case CellEntry::Princess:
    case CellEntry::Altar: return "meeting the ";
    default: return "stepping onto the ";
  }
}

// The move in words: "beating the Magic Sergeant (93)", "using the warp staff (43)".
std::string doing(const solve::ClosingMove& m) {
  const std::string name = floorcheck::codeName(m.code);
  return verb(m) + (name.starts_with("The ") ? name.substr(4) : name);
}

// The points of no return of the floor a save stands on: one block per move that closes
// the floor's way on (what it did, where, what it left, and the lines that play it),
// then the positions whose way on the budget left unsettled.
int listPointsOfNoReturn(solve::Position& position, const solve::SolveRequest& request) {
  solve::NoReturnRequest ask;
  ask.seconds = request.seconds;
  ask.secondsPerQuestion = std::min(request.seconds, std::max(5.0, request.seconds / 20));
  ask.maxStates = request.maxStates;
  ask.progress = [](const std::string& line) { std::cerr << "kelvorn-solve: " << line << "\n"; };
  const solve::NoReturnResult result = solve::pointsOfNoReturn(position, ask);
  const auto block = [](const char* title, const solve::ClosingMove& m) {
    std::cout << "\n" << title << ": " << doing(m);
    if (m.target >= 0)
      std::cout << " at cell " << m.target << " (column " << cellColumn(m.target) << ", row "
                << cellRow(m.target) << ")";
    std::cout << " on floor " << m.floor << "\n# after it: " << stats(m.after) << "\n";
    for (const std::string& l : m.script) std::cout << l << "\n";
  };
  std::cout << "points of no return: floor " << result.floor << ", "
            << result.positions << " positions" << (result.listedAll ? "" : " (not all: budget)")
            << ", " << result.questions << " searches, " << result.seconds << " s\n";
  if (result.start != solve::Answer::RouteFound) {
    std::cout << (result.start == solve::Answer::DeadEnd ? "the way on is closed already\n"
                                                         : "the way on is unknown from here\n");
    return 0;
  }
  std::cout << result.traps.size() << " traps, " << result.unknown.size() << " unknown, "
            << result.notAsked << " not asked\n";
  for (const solve::ClosingMove& m : result.traps) block("trap", m);
  for (const solve::ClosingMove& m : result.unknown) block("unknown", m);
  return 0;
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
  bool noReturn = false;  // list the floor's points of no return instead of a route
  solve::SolveRequest request;
  std::optional<double> seconds;
  std::optional<std::size_t> maxStates;
  std::size_t megabytes = 8192;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    const auto setGoal = [&](solve::Goal g) {
      if (goal || noReturn) throw commands::UsageError{"give one goal"};
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
        case 'n':
          if (goal) throw commands::UsageError{"give one goal"};
          noReturn = true;
          break;
        case 'h': std::cout << kUsage << "\n"; return 0;
        case 'v': std::cout << commands::versionLine("kelvorn-solve") << "\n"; return 0;
      }
    }
    args.refuseOperands();
    if (noReturn && (goal || request.best))
      throw commands::UsageError{"--no-return takes no goal and no --best"};
    if (!goal && !noReturn) throw commands::UsageError{"a goal is needed"};
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-solve", e, kUsage);
  }
  request.goal = goal.value_or(solve::Goal::Floor);
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
    if (noReturn) return listPointsOfNoReturn(position, request);
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
      case solve::Answer::DeadEnd:
        std::cout << "dead end\n";
        position.restore(result.reachedAt);
        for (const std::string& line : solve::blockedText(position.game()))
          std::cout << "# " << line << "\n";
        break;
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
