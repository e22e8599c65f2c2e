// The story's scenes and bosses, each played from a prepared game: the game is loaded
// as a saved game is, the hero presses his key, every dialogue is answered with OK,
// and the floor, the hero and the dialogues shown are compared with what the scene or
// the boss's fall promises.
#include <array>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "view/game_drawing.h"
#include "tests/rules_fixture.h"

namespace kelvorn {
namespace {

// A game or the state it must end in, in a short notation:
//   "F@C key*N"   the hero on floor F, cell C, presses key (N times; "*N" optional);
//                 in an expectation, where he ends ("F@-": anywhere on floor F)
//   "a b c=T"     cells a, b, c of the hero's floor hold TileCode T
//   "f:c=T"       cell c of floor f holds T         "#i=v"    GameState[i] is v
//   "plain:f"     floor f is plain floor first      "zeno=L"  Zeno's life in the table
// Codes: 4 gate, 6 floor, 7 event cell, 8 wall, 11 stairs up, 21 thief, 23 fairy,
// 29/30 keys, 33/34/35 elixir and crystals, 77 Skeleton C, 81 Skeleton A, 83 Big Bat,
// 91 Zeno, 93 Magic Sergeant, 95 Vampire, 133 Golden Knight.
struct Notation {
  int floor = -1, cell = -1, key = 0, presses = 1, zeno = 0;
  std::vector<std::array<int, 3>> cells;  // floor (-1: the hero's), cell, code
  std::vector<std::pair<int, int>> values;
  std::vector<int> plain;
};

Notation read(const std::string& text) {
  static const std::pair<const char*, int> kKeys[] = {{"up", fixture::kUp},
                                                      {"down", fixture::kDown},
                                                      {"left", fixture::kLeft},
                                                      {"right", fixture::kRight}};
  Notation n;
  std::istringstream in(text);
  std::vector<int> pending;
  for (std::string w; in >> w;) {
    const auto at = w.find('@'), eq = w.find('='), colon = w.find(':');
    const int value = eq == std::string::npos ? 0 : std::stoi(w.substr(eq + 1));
    if (at != std::string::npos) {
      n.floor = std::stoi(w);
      n.cell = w[at + 1] == '-' ? -1 : std::stoi(w.substr(at + 1));
    } else if (w.rfind("plain:", 0) == 0) {
      n.plain.push_back(std::stoi(w.substr(6)));
    } else if (w.rfind("zeno=", 0) == 0) {
      n.zeno = value;
    } else if (w[0] == '#') {
      n.values.push_back({std::stoi(w.substr(1)), value});
    } else if (colon != std::string::npos) {
      n.cells.push_back({std::stoi(w), std::stoi(w.substr(colon + 1)), value});
    } else if (std::isdigit(static_cast<unsigned char>(w[0]))) {
      pending.push_back(std::stoi(w));
      if (eq == std::string::npos) continue;
      for (const int c : pending) n.cells.push_back({-1, c, value});
      pending.clear();
    } else {
      for (const auto& [name, code] : kKeys)
        if (w.rfind(name, 0) == 0) n.key = code;
      if (const auto star = w.find('*'); star != std::string::npos)
        n.presses = std::stoi(w.substr(star + 1));
      EXPECT_NE(n.key, 0) << "unknown word " << w;
    }
  }
  EXPECT_TRUE(pending.empty()) << text;
  return n;
}

struct Story {
  const char* name;
  std::string game;         // the prepared game
  std::string dialogues;    // shown, in order: "n", or "n:Caption" when OK says more
  std::string end;          // the state it ends in
  std::string atOnce = {};  // cells right after the key, before any step runs
};

class StoryTest : public fixture::RulesTest {
 protected:
  void prepare(const Notation& n) {
    restart();
    for (const int f : n.plain)
      for (int c = 0; c < kCells; ++c) game.floors.setCell(f, c, tile::Floor);
    onFloor(n.floor, cellColumn(n.cell), cellRow(n.cell));
    hero(100000, 5000, 5000);
    for (const auto& [f, c, t] : n.cells)
      game.floors.setCell(f < 0 ? n.floor : f, c, static_cast<TileCode>(t));
    for (const auto& [i, v] : n.values) game.state[i] = v;
    ASSERT_EQ(game.loadGame(SavedGame{game.floors, game.state}, true), Game::LoadResult::Loaded);
  }
  // Plays until the game waits for the player, answering each dialogue with OK.
  std::string playOut() {
    std::string shown;
    for (int guard = 0; guard < 100; ++guard) {
      finish();
      const Controls& c = game.controls;
      if (!c.windowVisible || !c.okVisible) break;
      shown += (shown.empty() ? "" : " ") + std::to_string(game.dialogs.dialogKind - 10) +
               (c.okCaption == "OK" ? "" : ":" + c.okCaption);
      game.pressOk();
    }
    return shown;
  }
  void expectCells(const Notation& n) {
    for (const auto& [f, c, t] : n.cells)
      EXPECT_EQ(game.floors.cell(f < 0 ? floor() : f, c), t) << "floor " << f << " cell " << c;
  }
};

TEST_F(StoryTest, ScenesAndBossesEndAsTheStoryTells) {
  const Story stories[] = {
      {"floor 10: the army surrounds the hero and shuts every gate",
       "10@60 up 22 23 24 30 31 32 34 42=77 38=81 36 40=4 59 61=8 49=7", "13",
       "10@49 37 38 39 48 50 59 60 61=77 5=81 27 71 36 40=4"},
      {"floor 10: the ring beaten opens gate 27 with the challenge",
       "10@49 down 60=77 5=81 27 71 36 40=4", "14", "10@60 27=6 71=4"},
      {"floor 10: the leader beaten: fairy, rewards, stairs, the thief's cell",
       "10@16 up 5=81 71 36 40=4", "15",
       "10@5 36 40 71=6 27=23 22 23 24=34 30 31 32=35 33 34 35=33 41 42 43=29 115=11 93=7"},
      {"floor 10: cell 93 after the army brings the thief, not the army again",
       "10@82 down 93=7 #103=1", "17", "10@93 93 99 104=6"},
      {"floor 15: the gate shuts behind the hero", "15@93 up 82=7", "", "15@82 93=4"},
      {"floor 20: the bats merge into the Vampire", "20@93 up 48 49 50 59 61 70 71 72=83 82=7 27=4",
       "20:What?", "20@82 48 49 50 59 61 70 71 72=6 60=95 93=4"},
      {"floor 20: the Vampire beaten", "20@71 up 60=95 27 93=4", "21",
       "20@60 27 93=6 49=23 47 58 69=34 51 62 73=35 81 82 83=33 37 38 39=29 5=11"},
      {"floor 23: a touched maze cell becomes a wall, the next step meets it",
       "23@49 right*2 50 51=7", "", "23@49 50=8 51=7"},
      {"floor 24, first game: carried to floor 50, the thief becomes Zeno, no battle",
       "24@16 up 5=7 50:49=21 #156=1", "48 49", "50@71 49=91 #156=0 #0=100000 zeno=8000"},
      {"floor 24, second game at par: eight dialogues, Zeno falls, the next game",
       "24@16 up 5=7 50:49=21 #159=43 #0=132000 #1=10560 #2=13200",
       "48 49 50 51 52 53 54 55 56 57 62", "1@- #159=43 #160=1"},
      {"floor 25: the master's door shuts", "25@104 up 93=7 60=145", "23", "25@93 104=4"},
      {"floor 25: the master beaten before the princess leaves floor 24 shut",
       "25@71 up 60=77 104=4 24:4=6 24:6=6 24:5=6 24:16=8 24:27=8 24:38=8", "",
       "25@60 104=6 71=23 80 81 82 83 84=30 24:4=6 24:6=6 24:5=6 24:16=8 24:27=8 24:38=8"},
      {"floor 25: the master beaten after the princess opens floor 24",
       "25@71 up 60=77 104=4 #116=1 24:4=6 24:6=6 24:5=6 24:16=8 24:27=8 24:38=8", "",
       "25@60 104=6 71=23 24:4=8 24:6=8 24:5=7 24:16=6 24:27=6 24:38=6"},
      {"floor 30: both gates shut", "30@71 up 60=7", "", "30@60 38 71=4"},
      {"floor 32: arrival, the knight's forced battle and his retreat", "31@5 left 4=11 plain:32",
       "30 31", "32@104 9 60 104=6 #155=1"},
      {"floor 32: a leftover event code after the arrival is plain floor", "32@71 up 60=7 #155=1",
       "", "32@60 60 104=6"},
      {"floor 33: on cell 107 a wall rises on 106", "33@118 up 107 53=7", "",
       "33@107 106=8 53=7 42=6"},
      {"floor 33: on cell 53 gates shut on 42 and 86", "33@64 up 107 53=7", "",
       "33@53 42 86=4 107=7"},
      {"floor 38: a wall rises on 45", "38@55 right 56=7", "", "38@56 45=8"},
      {"floor 40: the army refills only floor cells, attacks, and the knight flees",
       "40@82 up 71=7 14=29", "34 35 36 37 38 39",
       "40@71 12 13 14=34 18 19 20=35 35 36 37=33 39 40 41=29 60=23 5=11 82 16 71=6 #150=1",
       "35 36 37=141 39 40 41=139 12 13=137 18 19 20=135 14=29 16=133"},
      {"floor 42: Zeno and four sergeants strike the Golden Knight down",
       "41@5 left 4=11 plain:42 42:82=133 35:103=21", "41 42 43 44",
       "42@104 60 71 81 82 83 93=6 35:103=6 #131=1"},
      {"floor 43: the sergeant walks off and walls rise on 6 and 9", "43@18 up 7=7 8=93", "",
       "43@7 8=6 10=93 6 9=8"},
      {"floor 48: a sergeant takes the event cell", "48@1 left 0=7", "", "48@1 0=93"},
      {"floor 49: Zeno rises behind the shut gate with his ring", "49@71 up 60=7", "45",
       "49@60 15 16 17 26 28 37 38 39=93 27=91 71=4"},
      {"floor 49: the four edges beaten first seal Zeno", "49@49 up 15 17 37 39 38=93 #41=1", "46",
       "49@38 #156=1 zeno=800"},
      {"floor 49: a corner beaten first leaves Zeno whole", "49@49 up 17 37 39 38=93 #41=1", "",
       "49@38 #156=0 zeno=8000"},
      {"floor 49: Zeno beaten: guards vanish, rewards, the fairy, gate 71",
       "49@16 down 15 17 37 39=93 27=91 71=4", "46",
       "49@27 48 49 50=33 34 35 36=34 40 41 42=35 15=30 17=46 37 39 71=6 16=23"},
      {"floor 50 in a later game: only Zeno can be fought", "50@71 up 60=61 #159=43", "",
       "50@71 60=61 #160=0"},
  };
  // Every story is played by the rules alone, then again with the view drawing each
  // step: the game must end the same both ways.
  struct Ending {
    GameState state;
    FloorStore floors;
    std::string bar;
    bool operator==(const Ending&) const = default;
  };
  std::vector<Ending> headless;
  GameDrawing view(viewedGame(game));
  for (const bool drawing : {false, true}) {
    if (drawing) {
      view.setLayout(makeLayout(false), blankSheets(32));
      game.attachView(&view);
    }
    for (std::size_t n = 0; n < std::size(stories); ++n) {
      const Story& s = stories[n];
      SCOPED_TRACE(::testing::Message() << s.name << (drawing ? ", drawn" : ""));
      const Notation given = read(s.game), end = read(s.end), atOnce = read(s.atOnce);
      prepare(given);
      std::string shown;
      for (int k = 0; k < given.presses; ++k) {
        game.keyDown(given.key);
        if (k == 0) {
          expectCells(atOnce);
        }
        const std::string more = playOut();
        shown += (shown.empty() || more.empty() ? "" : " ") + more;
      }
      EXPECT_EQ(shown, s.dialogues);
      EXPECT_FALSE(game.question.has_value()) << "the hero died";
      EXPECT_EQ(floor(), end.floor);
      if (end.cell >= 0) {
        EXPECT_EQ(heroCell(), end.cell);
      }
      expectCells(end);
      for (const auto& [i, v] : end.values) EXPECT_EQ(game.state[i], v) << "index " << i;
      if (end.zeno != 0) {
        EXPECT_EQ(game.monsters[kind::Zeno].life, end.zeno);
      }
      EXPECT_EQ(game.stack.count(), 0);
      const Ending ending{game.state, game.floors, bar()};
      if (!drawing)
        headless.push_back(ending);
      else
        EXPECT_TRUE(ending == headless[n]) << "drawing changed how the story ends";
    }
  }
}

}  // namespace
}  // namespace kelvorn
