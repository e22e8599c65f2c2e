// A route found: played again in a fresh game, and printed as a kelvorn-play script.
#include "solver/move_kinds.h"
#include "solver/search.h"

namespace kelvorn::solve {

bool replaysToGoal(Position& fresh, const SolveRequest& request,
                   const std::vector<RouteMove>& route) {
  const GameState start = fresh.game().state;
  std::vector<std::string> lines;
  for (const RouteMove& m : route)
    for (const std::string& c : m.commands)
      if (!fresh.run(c, lines)) return false;
  return reached(fresh.game(), request, start);
}

std::string script(const std::vector<RouteMove>& route) {
  std::string out;
  for (const RouteMove& m : route) {
    const GameState& s = m.after;
    out += "# floor " + std::to_string(s[gs::Floor]) + ": life " + std::to_string(s[gs::Life]) +
           ", offense " + std::to_string(s[gs::Offense]) + ", defense " +
           std::to_string(s[gs::Defense]) + ", gold " + std::to_string(s[gs::Gold]) + "\n";
    for (const std::string& c : m.commands) out += c + "\n";
  }
  return out;
}

}  // namespace kelvorn::solve
