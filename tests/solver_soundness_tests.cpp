// The route search's walker checked against a plain search: small crafted floors, each
// searched by the solver (the hero's reach found without playing his steps, dominance,
// its orders) and by a search that plays every single arrow step and item use through
// the rules and keeps every position apart. The walker must never claim a dead end
// where the plain search finds a route, and both must agree with the answer known by
// hand; a route the walker finds replays through the headless driver.
#include <deque>
#include <functional>
#include <set>

#include "tests/driver_scenario.h"
#include "commands/command_table.h"
#include "solver/search.h"

namespace kelvorn::commands {
namespace {

// A position as bytes, every value and cell included: the plain search's key.
std::string keyOf(const solve::Snapshot& s) {
  std::string key(reinterpret_cast<const char*>(s.state.v.data()), sizeof(s.state.v));
  key.append(reinterpret_cast<const char*>(s.state.extra.data()), sizeof(s.state.extra));
  key.append(reinterpret_cast<const char*>(s.floors.bytes().data()), s.floors.bytes().size());
  key.append(reinterpret_cast<const char*>(&s.zeno), sizeof(s.zeno));
  return key + std::to_string(s.files);
}

// Every arrow step and every item use from every position, each followed by every
// chain of answers, until `goalFloor` is reached or nothing new is left; Unknown past
// `limit` positions.
solve::Answer plainSearch(solve::Position& position, int goalFloor, std::size_t limit) {
  std::vector<std::string> moves;
  for (const Verb arrow : kArrowKeys) moves.push_back(line(arrow));
  for (int slot = 0; slot < kItemSlots; ++slot) moves.push_back(line(Verb::ClickItem, slot));
  std::set<std::string> seen{keyOf(position.snapshot())};
  std::deque<solve::Snapshot> todo{position.snapshot()};
  bool goal = false;
  // Plays `chain` from `from`, then each answer the game asks for in turn.
  std::set<std::string> asked;
  const std::function<void(const solve::Snapshot&, std::vector<std::string>)> follow =
      [&](const solve::Snapshot& from, std::vector<std::string> chain) {
        position.restore(from);
        std::vector<std::string> log;
        for (const std::string& c : chain) {
          if (!position.run(c, log) || position.game().state[gs::Life] <= 0) return;
          if (position.game().state[gs::Floor] == goalFloor) goal = true;
        }
        const std::vector<std::string> choices = position.choices();
        if (choices.empty()) {
          const solve::Snapshot s = position.snapshot();
          if (position.free() && seen.insert(keyOf(s)).second) todo.push_back(s);
          return;
        }
        std::string question = keyOf(position.snapshot());
        for (const std::string& c : choices) question += "\n" + c;
        if (!asked.insert(question).second) return;
        for (const std::string& c : choices) {
          chain.push_back(c);
          follow(from, chain);
          chain.pop_back();
        }
      };
  while (!todo.empty() && !goal && seen.size() <= limit) {
    const solve::Snapshot from = todo.front();
    todo.pop_front();
    asked.clear();
    for (const std::string& m : moves) follow(from, {m});
  }
  return goal ? solve::Answer::RouteFound
              : todo.empty() ? solve::Answer::DeadEnd : solve::Answer::Unknown;
}

class SolverSoundnessTest : public ScenarioTest {
 protected:
  // `floor` walled off but for rows 4 and 5, which `above` and `row` spell (see kCodes),
  // every other floor all wall; the hero holds the items of `slots`.
  void craft(int floor, const std::string& above, const std::string& row, int keys,
             std::initializer_list<int> slots) {
    static const std::string kCodes = ".H#UDykaoEVcM";
    const int tiles[] = {tile::Floor, tile::Floor, tile::Wall, tile::StairsUp, tile::StairsDown,
                         tile::Door,  29,          61,         34,             tile::Event,
                         95,          39,          151};
    prepare(floor, static_cast<int>(row.find('H')), 5, 1000, 100, 100);
    for (int f = 0; f < kFloors; ++f)
      for (int c = 0; c < kCells; ++c) source_.floors.setCell(f, c, tile::Wall);
    for (int x = 0; x < kBoardSide; ++x) {
      put(x, 4, tiles[kCodes.find(above.at(x))]);
      put(x, 5, tiles[kCodes.find(row.at(x))]);
    }
    source_.state[gs::YellowKeys] = keys;
    for (int slot = 0; slot < kItemSlots; ++slot) source_.state.itemSlot(slot) = 0;
    for (const int slot : slots) source_.state.itemSlot(slot) = slot == 7 ? 3 : 1;
  }
};

TEST_F(SolverSoundnessTest, TheWalkerAndThePlainSearchAgreeOnCraftedFloors) {
  static constexpr const char* kWalls = "###########";
  // Rows 4 and 5 of the floor: '.' floor, 'H' the hero, '#' wall, 'U' and 'D' stairs up and
  // down, 'y' a yellow door, 'k' a yellow key, 'a' a Green Slime, 'o' an offense gem,
  // 'E' the floor's event, 'V' the Vampire, 'c' the cross, 'M' Magician A, who casts
  // 200 life away from a hero who stops beside him (the hero has 1000).
  struct Case {
    const char* what;
    int floor, highest;
    const char *above, *row;
    int keys;
    std::initializer_list<int> slots;
    solve::Answer answer;
  } cases[] = {
      {"a key for the stairs' door", 4, 4, kWalls, "#y.kHa..yU#", 0, {}, solve::Answer::RouteFound},
      {"one key, two doors before the stairs", 4, 4, kWalls, "#H.y..y.U##", 1, {},
       solve::Answer::DeadEnd},
      // Floor 38's event turns cell 45 (row 4, column 1), the way to the stairs, to wall.
      {"the trap closes the way", 38, 38, "U.#########", "#.EH#######", 0, {},
       solve::Answer::DeadEnd},
      {"the mattock opens it again", 38, 38, "U.#########", "#.EH#######", 0, {5},
       solve::Answer::RouteFound},
      {"the orb of flying over walled stairs", 4, 5, kWalls, "#DH#####U##", 0, {2},
       solve::Answer::RouteFound},
      {"no orb, no way up", 4, 5, kWalls, "#DH#####U##", 0, {}, solve::Answer::DeadEnd},
      {"the warp staff past the wall", 4, 4, kWalls, "#H.#####.U#", 0, {7},
       solve::Answer::RouteFound},
      {"no staff, no way past", 4, 4, kWalls, "#H.#####.U#", 0, {}, solve::Answer::DeadEnd},
      {"the cross first, then the Vampire", 6, 6, kWalls, "#c.HV.U####", 0, {},
       solve::Answer::RouteFound},
      {"the Vampire without the cross", 6, 6, kWalls, "#..HV.U####", 0, {},
       solve::Answer::DeadEnd},
      {"a short way past the magicians", 4, 4, "##MM#######", "#H...U#####", 0, {},
       solve::Answer::RouteFound},
      {"too long a way past them", 4, 4, "##MMMMM####", "#H.....U###", 0, {},
       solve::Answer::DeadEnd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    craft(c.floor, c.above, c.row, c.keys, c.slots);
    source_.state[gs::HighestFloor] = c.highest;
    const SavedGame start{source_.floors, source_.state};
    solve::Position plainPosition(start, false);
    const solve::Answer plain = plainSearch(plainPosition, c.floor + 1, 20000);
    solve::Position walkerPosition(start, false);
    const solve::SolveResult walker =
        solve::solve(walkerPosition, {solve::Goal::Floor, c.floor + 1, 60, 100000, false, nullptr, {}});
    EXPECT_EQ(plain, c.answer);
    ASSERT_EQ(walker.answer, c.answer);
    if (walker.answer != solve::Answer::RouteFound) continue;
    const auto dumps = play(solve::script(walker.route) + "dump\n");
    ASSERT_FALSE(dumps.empty());
    EXPECT_EQ(dumps.back().state[gs::Floor], c.floor + 1);
  }
}

}  // namespace
}  // namespace kelvorn::commands
