// The frame of a game played through the headless driver: the capture on floor 3 and
// the prison start with its wake-up calls, the first game's ending up to the back side
// and into the second game, the second game's ending into the third, and a death in a
// later game that starts a first one again.
#include "tests/driver_scenario.h"

namespace kelvorn::commands {
namespace {

long intField(const std::string& line, const std::string& key) {
  const auto at = line.find("\"" + key + "\":");
  return at == std::string::npos ? -1 : std::stol(line.substr(at + key.size() + 3));
}
bool flag(const std::string& line, const std::string& key) {
  return line.find("\"" + key + "\":true") != std::string::npos;
}
std::string textField(const std::string& line, const std::string& key) {
  const auto at = line.find("\"" + key + "\":\"");
  if (at == std::string::npos) return {};
  const auto from = at + key.size() + 4;
  return line.substr(from, line.find('"', from) - from);
}

// The hero steps up onto floor 3's event cell in a first game and in a second: Zeno's
// welcome, the capture, then the prison on floor 2 and the wake-up calls (messages 0, 0,
// 1 and 2, DialogKinds 11, 11, 12, 13); the last OK starts play with nothing left queued.
TEST_F(ScenarioTest, CaptureLeadsToThePrisonAndItsWakeUpCalls) {
  struct Case {
    int levelBoost;
    long life, offense, defense;  // in the prison
    long sacredOwned;             // the sacred sword's and shield's flags there
    long highestFloor;            // a later game keeps a higher one for its flights
  };
  for (const Case& c : {Case{0, 400, 10, 10, 0, 2}, Case{43, 5000, 700, 600, 1, 3}}) {
    SCOPED_TRACE(c.levelBoost);
    prepare(3, 4, 9, 5000, 700, 600);
    put(4, 8, tile::Event);
    source_.state[gs::LevelBoost] = c.levelBoost;
    source_.state[gs::SwordOwned0 + 4] = source_.state[gs::ShieldOwned0 + 4] = 1;
    source_.state.itemSlot(0) = source_.state.itemSlot(4) = 1;
    std::string script = "up\nwait\ndump\nclick ok\nwait\ndump\nclick ok\nwait\ndump\n";
    for (int i = 0; i < 4; ++i) script += "click ok\nwait\ndump\n";
    const auto dumps = play(script + "right\nwait\ndump\n");
    ASSERT_EQ(dumps.size(), 8u);

    const std::string& welcome = dumps[0].line;
    EXPECT_EQ(intField(welcome, "dialogKind"), 20);
    EXPECT_EQ(textField(welcome, "okCaption"), "What?");
    EXPECT_EQ(cellIndex(dumps[0].state[gs::HeroX], dumps[0].state[gs::HeroY]), 92);
    EXPECT_EQ(dumps[0].cells[92], tile::Floor);
    EXPECT_EQ(dumps[0].state[gs::Floor], 3);

    EXPECT_EQ(intField(dumps[1].line, "dialogKind"), 21);  // "What? Oh!"
    EXPECT_EQ(dumps[1].state[gs::Floor], 3);

    // The wake-up calls, each waiting for its OK, in the prison with the panels back.
    const int kinds[] = {11, 11, 12, 13};
    for (int i = 0; i < 4; ++i) {
      const Dump& d = dumps[2 + i];
      EXPECT_EQ(intField(d.line, "dialogKind"), kinds[i]) << "call " << i;
      EXPECT_TRUE(d.offers("ok")) << "call " << i;
      EXPECT_FALSE(d.offers("arrow up")) << "call " << i;
      EXPECT_FALSE(flag(d.line, "scene")) << "call " << i;
      EXPECT_EQ(d.state[gs::Floor], 2);
    }
    const Dump& play = dumps[6];
    EXPECT_EQ(play.pending, 0);
    EXPECT_EQ(play.dialog, "");
    EXPECT_TRUE(play.offers("arrow up"));
    EXPECT_EQ(textField(play.line, "okCaption"), "OK");
    const std::vector<long>& s = play.state;
    EXPECT_EQ(s[gs::Floor], 2);
    EXPECT_EQ(s[gs::HighestFloor], c.highestFloor);
    EXPECT_EQ(cellIndex(s[gs::HeroX], s[gs::HeroY]), cellIndex(2, 7));
    EXPECT_EQ(s[gs::BoardHold], 0);
    EXPECT_EQ(s[gs::Life], c.life);
    EXPECT_EQ(s[gs::Offense], c.offense);
    EXPECT_EQ(s[gs::Defense], c.defense);
    EXPECT_EQ(s[gs::SwordLevel], 0);
    EXPECT_EQ(s[gs::ShieldLevel], 0);
    EXPECT_EQ(s[gs::SwordOwned0 + 4], c.sacredOwned);
    EXPECT_EQ(s[gs::ShieldOwned0 + 4], c.sacredOwned);
    EXPECT_EQ(s[gs::ItemSlot0 + 4], c.levelBoost == 0 ? 1 : 0);  // a later game loses its items
    EXPECT_EQ(s[gs::EventFlags0 + 9], 1);                        // Zeno's welcome was read
    // Play has begun: the hero walks.
    EXPECT_EQ(cellIndex(dumps[7].state[gs::HeroX], dumps[7].state[gs::HeroY]), cellIndex(3, 7));
  }
}

// Zeno met on floor 50: in a first game the ending's pictures hold at the thanks screen
// until the back side is clicked, which starts the second game; in the second game he is
// fought, and his fall leads straight into the third. Either way the new game starts on
// floor 1 with the hero's stats kept.
TEST_F(ScenarioTest, EndingsLeadIntoTheNextGames) {
  struct Case {
    int levelBoost;
    const char* script;
    long nextBoost, nextCarryOver;
  };
  const Case cases[] = {
      {0, "up\nwait\ndump\nclick back-side\nwait\ndump\n", 43, 0},
      {43, "up\nwait\ndump\nclick ok\nwait\ndump\n", 43, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.levelBoost);
    prepare(50, 5, 6, 100000, 60000, 30000);
    put(5, 5, tile::Zeno);
    source_.state[gs::LevelBoost] = c.levelBoost;
    source_.state[gs::Gold] = 77;
    const auto dumps = play(c.script);
    ASSERT_EQ(dumps.size(), 2u);
    const std::string& held = dumps[0].line;
    if (c.levelBoost == 0) {  // the thanks screen and the back-side control
      EXPECT_TRUE(flag(held, "scene"));
      EXPECT_EQ(textField(held, "sceneText"), Game::kThanks);
      EXPECT_TRUE(dumps[0].offers("back-side"));
      EXPECT_GT(dumps[0].pending, 0);
    } else {  // Zeno beaten: the last speech, then the next game at once
      EXPECT_EQ(intField(held, "dialogKind"), 72);
      EXPECT_EQ(dumps[0].cells[cellIndex(5, 5)], tile::Floor);
      EXPECT_FALSE(dumps[0].offers("back-side"));
    }
    const Dump& next = dumps[1];
    EXPECT_EQ(next.state[gs::LevelBoost], c.nextBoost);
    EXPECT_EQ(next.state[gs::CarryOver], c.nextCarryOver);
    EXPECT_EQ(next.state[gs::Floor], 1);
    EXPECT_EQ(next.state[gs::Life], 100000);  // stats are kept into a later game
    EXPECT_EQ(next.state[gs::Gold], c.nextCarryOver == 1 ? 77 + 500 : 0);
    EXPECT_FALSE(flag(next.line, "scene"));
    EXPECT_EQ(textField(next.line, "sceneText"), "");
    EXPECT_EQ(next.pending, 0);
    EXPECT_TRUE(next.offers("arrow up"));
  }
}

// A death in the second game: answering Yes to the question starts a first game.
TEST_F(ScenarioTest, DeathInASecondGameStartsAFirstGame) {
  prepare(3, 5, 5, 100, 100, 100);
  source_.state[gs::LevelBoost] = 43;
  put(7, 5, 153);  // Magician B, whose magic costs 100 x 44 life here
  const auto dumps = play("right\nwait\ndump\nanswer yes\nwait\ndump\n");
  ASSERT_EQ(dumps.size(), 2u);
  EXPECT_EQ(dumps[0].state[gs::Life], 0);
  EXPECT_EQ(dumps[1].state[gs::LevelBoost], 0);
  EXPECT_EQ(dumps[1].state[gs::CarryOver], 0);
  EXPECT_EQ(dumps[1].state[gs::Life], 1000);
  EXPECT_EQ(dumps[1].state[gs::Floor], 1);
}

}  // namespace
}  // namespace kelvorn::commands
