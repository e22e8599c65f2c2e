// The floor rules: what the initial map of each floor must hold for the story, the
// reactions and the characters to work, one rule per line of a text file with the
// reason in plain words. The grammar is described at the top of
// content/data/floor_rules.txt; parseRules throws content::ParseError with the line of
// the first fault.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvorn::floorcheck {

enum class Check {
  Arrives,      // the two header cells: `arrives UP DOWN`
  Enters,       // cells where the hero is put: `enters LIST`
  CellIs,       // `cell C is V`
  CellOneOf,    // `cell C is one of LIST`
  CellNot,      // `cell C is not LIST`
  CellMonster,  // `cell C is a monster`
  CellBlocked,  // `cell C is blocked`: the hero can never stand there
  CellBeaten,   // `cell C is beaten by life L offense O defense D`
  MetFrom,      // `cell C | code V met [only] from columns LIST`
  NotMetFrom,   // `code V not met from columns LIST`
  Count,        // `count LIST is | at least | at most N`
  AnyHolds,     // `one of LIST is V`
  BothHeld,     // `cells LIST hold both V and W`
  SumNot,       // `sum of LIST is not T`
  Altar,        // `has an altar`
  NoMonsters,   // `no monsters`
  Never,        // `never [even] LIST`
  Row,          // `row R is V V V V V V V V V V V`
  Opens,        // `opens LIST [after LIST]`
  Blocks,       // `blocks V`: the code acts as a wall on this floor
  Landing,      // `landing from floor LIST reaches TARGETS`
  Path,         // `[once ..] [without ..] [no-keys] [defense-below N] [from ..] reaches|misses ..`
  Unique,       // `building holds V once at floor F cell C`
};

enum class Bound { Exactly, AtLeast, AtMost };

// A walk the rule asks about: the map as it starts, changed by `once`, with `without`
// cells walled, from `from` (the floor's arrival cells when empty) to `targets`.
struct Path {
  std::vector<std::pair<int, int>> once;  // cell, code
  std::vector<int> without;
  std::vector<int> from;
  std::vector<int> targets;
  bool stairs = false;   // every stairs cell of the changed map is a target too
  bool noKeys = false;   // doors stay shut
  int defenseBelow = 0;  // when above 0, only monsters of lower defense can be fought
  bool misses = false;   // the targets must stay out of reach
};

struct Rule {
  int line = 0;
  std::string text;    // the rule as written, without its reason
  std::string reason;  // why it matters, in plain words
  std::vector<int> floors;
  Check check = Check::CellIs;
  int cell = -1;             // the cell a cell rule names; -1 when a code names the subject
  std::vector<int> cells;    // enters, sums, one-of and both sets, opened cells, row codes
  std::vector<int> codes;    // the codes compared, counted or forbidden
  std::vector<int> after;    // opens: the cells reached first; landing: the floors flown from
  std::vector<int> columns;  // met from: the hero's columns named
  int number = 0;            // count bound, sum, row, the unique thing's floor
  Bound bound = Bound::Exactly;
  bool only = false;        // met only from the columns
  int hero[3] = {0, 0, 0};  // beaten by: life, offense, defense
  Path path;                // path and landing rules
};

using Rules = std::vector<Rule>;

Rules parseRules(std::string_view text);

// The rules built into the checker.
std::string_view rulesText();

}  // namespace kelvorn::floorcheck
