// kelvorn-floorcheck: checks floor maps against the floor rules and prints every rule
// that fails, as "floor F cell C: what is wrong (why it matters)".
#include <charconv>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>

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

Exit status: 0 when every rule holds on the floors reported, 1 when one fails,
2 when the command line or FILE cannot be read.
)";

bool parseFloors(std::string_view text, std::set<int>& floors) {
  const auto dash = text.find('-', 1);
  int first = 0, last = 0;
  auto number = [](std::string_view s, int& v) {
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc{} && p == s.data() + s.size() && v >= 0 &&
           v < kelvorn::content::kFloorCount;
  };
  if (!number(text.substr(0, dash), first)) return false;
  last = first;
  if (dash != std::string_view::npos && !number(text.substr(dash + 1), last)) return false;
  for (int f = first; f <= last; ++f) floors.insert(f);
  return first <= last;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelvorn;
  std::set<int> wanted;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      std::cout << kHelp;
      return 0;
    }
    if (arg == "--floor" && i + 1 < argc) {
      if (!parseFloors(argv[++i], wanted)) {
        std::cerr << "kelvorn-floorcheck: '" << argv[i] << "' is not a floor 0..50 or a range\n";
        return 2;
      }
    } else if (arg.starts_with("-") || !file.empty()) {
      std::cerr << "kelvorn-floorcheck: unexpected '" << arg << "' (see --help)\n";
      return 2;
    } else {
      file = arg;
    }
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
