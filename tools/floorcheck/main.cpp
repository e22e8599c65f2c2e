// kelvorn-floorcheck: checks floor maps against the floor rules and prints every rule
// that fails, as "floor F cell C: what is wrong (why it matters)".
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>

#include "commands/program_options.h"
#include "tools/floorcheck/check.h"

namespace {

constexpr const char* kHelp = R"(Usage: kelvorn-floorcheck [--floor N]... [FILE]

Checks the initial floor maps against the floor rules (content/data/floor_rules.txt,
built into this program) and prints one line per failure:

  floor F cell C: what is wrong (why it matters)

FILE is a floor file in the format of content/data/floors.txt; without it the maps
built into the game are checked.

Options:
  --floor N      report only floor N; N may also be a range A-B; may be repeated.
                 All floors are still read: rules that span floors (unique things,
                 the wings' landing cells) look at the others.
  --help         show this text
  --version      show the version

Exit status: 0 when every rule holds on the floors reported, 1 when one fails,
2 when the command line or FILE cannot be read.
)";

constexpr const char* kUsage = "usage: kelvorn-floorcheck [--floor N|A-B]... [FILE]";

const option kOptions[] = {{"floor", required_argument, nullptr, 'f'},
                           {"help", no_argument, nullptr, 'h'},
                           {"version", no_argument, nullptr, 'v'},
                           {nullptr, 0, nullptr, 0}};

bool parseFloors(std::string_view text, std::set<int>& floors) {
  constexpr long long kLast = kelvorn::content::kFloorCount - 1;
  const auto dash = text.find('-', 1);
  const auto first = kelvorn::commands::wholeNumber(text.substr(0, dash), 0, kLast);
  const auto last = dash == std::string_view::npos
                        ? first
                        : kelvorn::commands::wholeNumber(text.substr(dash + 1), 0, kLast);
  if (!first || !last || *first > *last) return false;
  for (auto f = *first; f <= *last; ++f) floors.insert(static_cast<int>(f));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelvorn;
  std::set<int> wanted;
  std::string file;
  try {
    commands::ProgramOptions args(argc, argv, "h", kOptions);
    for (int code; (code = args.next()) != -1;) {
      switch (code) {
        case 'f':
          if (!parseFloors(args.value(), wanted))
            throw commands::UsageError{"'" + std::string(optarg) + "' is not a floor 0..50 or a range"};
          break;
        case 'h': std::cout << kHelp; return 0;
        case 'v': std::cout << commands::versionLine("kelvorn-floorcheck") << "\n"; return 0;
      }
    }
    if (args.operands().size() > 1)
      throw commands::UsageError{"unexpected '" + std::string(args.operands()[1]) + "'"};
    if (!args.operands().empty()) file = args.operands()[0];
  } catch (const commands::UsageError& e) {
    return commands::refuse("kelvorn-floorcheck", e, kUsage);
  }

  content::FloorImage floors;
  try {
    if (file.empty()) {
      floors = content::builtIn().floors;
    } else {
      std::ifstream in(file, std::ios::binary);
      if (!in) {
        std::cerr << "kelvorn-floorcheck: cannot read " << file << "\n";
        return 2;
      }
      std::ostringstream text;
      text << in.rdbuf();
      floors = content::parseFloors(text.str());
    }
  } catch (const content::ParseError& e) {
    std::cerr << (file.empty() ? "built-in floors" : file) << ": " << e.what() << "\n";
    return 2;
  }

  const auto rules = floorcheck::parseRules(floorcheck::rulesText());
  int failures = 0;
  std::set<int> failing;
  for (const floorcheck::Failure& f : floorcheck::checkFloors(floors, rules)) {
    if (!wanted.empty() && !wanted.contains(f.floor)) continue;
    std::cout << floorcheck::describe(f) << "\n";
    ++failures;
    failing.insert(f.floor);
  }
  if (failures > 0) {
    std::cerr << "kelvorn-floorcheck: " << failures << " failure" << (failures == 1 ? "" : "s")
              << " on " << failing.size() << " floor" << (failing.size() == 1 ? "" : "s") << "\n";
    return 1;
  }
  return 0;
}
