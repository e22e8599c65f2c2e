// The headless driver end to end: scripts in, dumps and exit statuses out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands/script_reader.h"
#include "storage/files.h"
#include "storage/save_file.h"
#include "commands/driver.h"

namespace kelvorn::commands {
namespace {

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    holder_ = std::filesystem::temp_directory_path() /
              (std::string("kelvorn-driver-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(holder_);
    std::filesystem::create_directories(holder_);
  }
  void TearDown() override { std::filesystem::remove_all(holder_); }

  // Starts a driver and plays `script`; returns the exit status.
  int play(const std::string& script, bool prologue = false,
           std::optional<std::filesystem::path> load = std::nullopt) {
    out_.str("");
    err_.str("");
    driver_.emplace(DriverOptions{holder_, load, prologue}, out_, err_);
    driver_->startUp();
    std::istringstream in(script);
    return driver_->run(in);
  }
  Game& game() { return driver_->game(); }

  std::filesystem::path holder_;
  std::ostringstream out_, err_;
  std::optional<Driver> driver_;
};

TEST_F(DriverTest, NewGameDumpShowsTheFirstGame) {
  ASSERT_EQ(play("wait\ndump\n"), kExitOk) << err_.str();
  const std::string dump = out_.str();
  EXPECT_EQ(dump.rfind("{\"state\":[1000,100,100,0,1,1,5,10,", 0), 0u) << dump;
  EXPECT_NE(dump.find("\"floor\":1,"), std::string::npos);
  EXPECT_NE(dump.find("\"cells\":[11,6,61,63,61,6,"), std::string::npos);
  EXPECT_NE(dump.find("\"floorLabel\":\"Tower  1 F\""), std::string::npos);
  EXPECT_NE(dump.find("\"pending\":0"), std::string::npos);
  EXPECT_EQ(dump.back(), '\n');
  EXPECT_EQ(dump.find('\n'), dump.size() - 1);  // one line
  EXPECT_EQ(game().state[gs::Facing], kFaceUp);
  EXPECT_EQ(game().state[gs::SaveVersion], -4);
  EXPECT_EQ(game().state[gs::SwordOwned0 + 4], 1);
  EXPECT_EQ(game().state[gs::ShieldOwned0 + 4], 1);
}

TEST_F(DriverTest, WaitPlaysTheIntroToItsEnd) {
  ASSERT_EQ(play("dump\nwait\ndump\n", true), kExitOk) << err_.str();
  std::istringstream lines(out_.str());
  std::string before, after;
  std::getline(lines, before);
  std::getline(lines, after);
  EXPECT_NE(before.find("\"intro\":true"), std::string::npos);
  EXPECT_NE(after.find("\"intro\":false"), std::string::npos);
  EXPECT_NE(after.find("\"controls\":[\"arrow up\""), std::string::npos);
}

TEST_F(DriverTest, CommentsBlankLinesAndCarriageReturnsAreIgnored) {
  EXPECT_EQ(play("# a route\n\n   \n  # indented comment\r\ndump\r\n"), kExitOk) << err_.str();
  EXPECT_FALSE(out_.str().empty());
}

TEST_F(DriverTest, MalformedLinesStopTheRunWithTheirLineNumber) {
  struct Case {
    const char* script;
    int status;
    const char* error;
  };
  const Case cases[] = {
      {"dump\njump\n", kExitBadCommand, "line 2: unknown command 'jump'"},
      {"tick\n", kExitBadCommand, "line 1: usage: tick MS"},
      {"tick -5\n", kExitBadCommand, "line 1: MS must be a number"},
      {"tick 10x\n", kExitBadCommand, "line 1: MS must be a number"},
      {"wait now\n", kExitBadCommand, "line 1: usage: wait"},
      {"click\n", kExitBadCommand, "line 1: usage: click CONTROL"},
      {"click button\n", kExitBadCommand, "line 1: unknown control 'button'"},
      {"click hint 25\n", kExitBadCommand, "line 1: N must be a number from 1 to 24"},
      {"click arrow sideways\n", kExitBadCommand, "usage: click arrow"},
      {"menu speed warp\n", kExitBadCommand, "usage: menu speed high|middle|low"},
      {"menu load 9\n", kExitBadCommand, "the slot must be a number from 1 to 8"},
      {"menu nothing\n", kExitBadCommand, "unknown menu item 'nothing'"},
      {"answer maybe\n", kExitBadCommand, "usage: answer yes|no|ok"},
      {"up now\n", kExitBadCommand, "usage: up"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(play(c.script), c.status) << c.script;
    EXPECT_NE(err_.str().find(c.error), std::string::npos) << c.script << " -> " << err_.str();
  }
}

TEST_F(DriverTest, ClicksAndAnswersWithoutATargetFail) {
  for (const char* script : {"click ok\n", "click yes\n", "answer yes\n", "answer ok\n",
                             "click item 0\n", "input hero\n", "input-cancel\n",
                             "select /tmp\n", "click rank 1\n"}) {
    EXPECT_EQ(play(script), kExitNoTarget) << script;
    EXPECT_NE(err_.str().find("line 1:"), std::string::npos) << script;
  }
}

// A route made of parts: included scripts play in place, named relative to the script
// that includes them; their failures name the file and stop the whole run.
TEST_F(DriverTest, IncludePlaysScriptsInPlaceRelativeToTheIncludingOne) {
  const auto write = [](const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
  };
  write(holder_ / "route" / "first.txt", "wait\ninclude parts/walk.txt\ndump\n");
  write(holder_ / "route" / "parts" / "walk.txt", "up\ninclude step.txt\n");
  write(holder_ / "route" / "parts" / "step.txt", "wait\n");
  write(holder_ / "route" / "parts" / "bad.txt", "wait\n\nwait now\n");
  write(holder_ / "route" / "parts" / "self.txt", "include self.txt\n");

  std::ifstream route(holder_ / "route" / "first.txt");
  driver_.emplace(DriverOptions{holder_, std::nullopt, false}, out_, err_);
  driver_->startUp();
  ASSERT_EQ(driver_->run(route, holder_ / "route"), kExitOk) << err_.str();
  EXPECT_EQ(game().state[gs::HeroY], 9);  // the included step up was played
  EXPECT_NE(out_.str().find("\"floor\":1,"), std::string::npos);

  struct Case {
    const char* script;
    int status;
    const char* error;
  };
  const Case cases[] = {
      {"include parts/bad.txt\ndump\n", kExitBadCommand, "parts/bad.txt line 3: usage: wait"},
      {"wait\ninclude parts/none.txt\n", kExitBadFile, "line 2: cannot read the included"},
      {"include parts/self.txt\n", kExitBadCommand, "more than 16 deep"},
      {"include\n", kExitBadCommand, "line 1: usage: include FILE"},
  };
  for (const Case& c : cases) {
    driver_.emplace(DriverOptions{holder_, std::nullopt, false}, out_, err_);
    driver_->startUp();
    out_.str("");
    err_.str("");
    std::istringstream in(c.script);
    EXPECT_EQ(driver_->run(in, holder_ / "route"), c.status) << c.script;
    EXPECT_NE(err_.str().find(c.error), std::string::npos) << c.script << " -> " << err_.str();
    EXPECT_TRUE(out_.str().empty()) << c.script;  // nothing after a failure is played
  }
}

TEST_F(DriverTest, OptionsMenusAreLockedWhileAScriptRuns) {
  ASSERT_EQ(play("wait\n"), kExitOk);
  game().stack.push(wsPause);
  game().timer2on();
  std::istringstream in("menu speed low\n");
  EXPECT_EQ(driver_->run(in), kExitNoTarget);
  std::istringstream after("wait\nmenu speed low\n");
  EXPECT_EQ(driver_->run(after), kExitOk) << err_.str();
  EXPECT_EQ(game().options[opt::Speed], 3);
}

TEST_F(DriverTest, GameStartAsksAndOnlyYesStartsAgain) {
  ASSERT_EQ(play("menu game-start\ndump\nanswer no\n"), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("\"box\":\"This game is over. Is it true?\""), std::string::npos);
  EXPECT_FALSE(game().question);

  ASSERT_EQ(play("wait\n"), kExitOk);
  game().state[gs::Gold] = 77;
  std::istringstream in("menu game-start\nanswer yes\n");
  ASSERT_EQ(driver_->run(in), kExitOk) << err_.str();
  EXPECT_EQ(game().state[gs::Gold], 0);
}

// Closing the rankings starts no step timer when nothing is pending: the orb of wisdom's
// grid, opened over them, keeps the keys until its own OK.
TEST_F(DriverTest, ClosingTheRankingsLeavesTheHintGridHoldingTheKeys) {
  ASSERT_EQ(play("wait\n"), kExitOk);
  game().state.itemSlot(1) = 1;  // the orb of wisdom
  game().unlockInput();
  std::istringstream in("menu ranking\nclick item 1\nclick rank-ok\nwait\nleft\n");
  ASSERT_EQ(driver_->run(in), kExitOk) << err_.str();
  EXPECT_EQ(game().state.heroCell(), cellIndex(5, 10)) << "the grid holds the keys";
  EXPECT_TRUE(game().controls.hintGridVisible);
  std::istringstream after("click hint-ok\nwait\nleft\nwait\n");
  ASSERT_EQ(driver_->run(after), kExitOk) << err_.str();
  EXPECT_EQ(game().state.heroCell(), cellIndex(4, 10));
  EXPECT_EQ(game().stack.count(), 0);
}

// A question asked over another one covers it; answering No brings the first back, so
// the input it holds is never left without a box to answer. A new game takes a question
// about the game it ends (to try it again, to save it) with it.
TEST_F(DriverTest, AQuestionAskedOverAnotherGivesItBackWhenAnswered) {
  const std::string tryAgain = "\"box\":\"You have no life point. Do you try again?\"";
  const std::string overwrite = "\"box\":\"Overwrite. Is it true?\"";
  struct Case {
    const char* name;
    std::string first;  // the script that leaves the first question showing
    std::string box;    // that question in a dump
  };
  const Case cases[] = {
      {"death", "left\nwait\n", tryAgain},
      {"overwrite", "menu save 1\nmenu save 1\n", overwrite},
  };
  for (const Case& c : cases) {
    for (const char* second : {"menu game-quit\nanswer no", "menu game-start\nanswer no",
                               "menu game-start\nanswer yes"}) {
      SCOPED_TRACE(std::string(c.name) + ", " + second);
      const bool newGame = std::string(second).ends_with("yes");
      std::filesystem::remove(holder_ / "save1.dat");
      ASSERT_EQ(play("wait\n"), kExitOk);
      game().state[gs::Life] = 1, game().state[gs::Offense] = 2, game().state[gs::Defense] = 0;
      game().floors.setCell(1, cellIndex(4, 10), 61);  // a Green Slime that kills him
      game().state[gs::ItemSlot0] = 1;  // the orb that lets him save
      game().unlockInput();
      std::istringstream in(c.first + "dump\n" + second + "\nwait\ndump\n" +
                            (newGame ? "" : "answer no\nwait\n"));
      ASSERT_EQ(driver_->run(in), kExitOk) << err_.str();
      std::istringstream dumps(out_.str());
      std::string before, after;
      std::getline(dumps, before), std::getline(dumps, after);
      EXPECT_NE(before.find(c.box), std::string::npos) << before;
      EXPECT_EQ(after.find(c.box) != std::string::npos, !newGame) << "the first question is back";
      EXPECT_FALSE(game().question);
      EXPECT_TRUE(game().controls.loadEnabled) << "the player can go on";
    }
  }
}

TEST_F(DriverTest, GameExitEndsTheRunAndIgnoresTheRest) {
  EXPECT_EQ(play("menu game-exit\nthis is not a command\n"), kExitOk) << err_.str();
  EXPECT_TRUE(game().quitRequested);
}

TEST_F(DriverTest, LoadInstallsAValidSaveAndKeepsTheUndoCopy) {
  Game source;
  source.startUp(std::nullopt);
  source.state[gs::Floor] = 2;
  source.state[gs::Gold] = 345;
  source.floors.setCell(2, 0, tile::Wall);
  storage::stampChecksums(source.state);
  std::string error;
  const auto file = holder_ / "mine.dat";
  ASSERT_TRUE(storage::writeFileAtomic(file, storage::encodeSave({source.floors, source.state}),
                                       error));

  ASSERT_EQ(play("wait\ndump\n", false, file), kExitOk) << err_.str();
  EXPECT_EQ(game().state[gs::Gold], 345);
  EXPECT_EQ(game().floors.cell(2, 0), tile::Wall);
  EXPECT_NE(out_.str().find("\"message\":\"Loaded the Game.\""), std::string::npos);
  EXPECT_NE(out_.str().find("\"floorLabel\":\"Tower  2 F\""), std::string::npos);

  // The game as it was before the load is kept as the undo copy.
  const auto undo = storage::readFile(holder_ / "save0.dat");
  ASSERT_TRUE(undo);
  ASSERT_EQ(undo->size(), storage::kSaveFileSize);
  EXPECT_EQ(storage::decodeSave(*undo)->game.state[gs::Gold], 0);
}

// A save the run cannot start from is refused with its reason before anything is
// played or written; the game stays a new one.
TEST_F(DriverTest, BadSaveFilesAreRefusedWithTheirReason) {
  Game fresh;
  fresh.startUp(std::nullopt);
  auto bytes = storage::encodeSave({fresh.floors, fresh.state});  // checksums never stamped
  bytes[6273] = 9;  // Life 9 in the file
  GameState dead = fresh.state;
  dead[gs::Floor] = 77;
  storage::stampChecksums(dead);
  std::string error;
  ASSERT_TRUE(storage::writeFileAtomic(holder_ / "bad.dat", bytes, error));
  ASSERT_TRUE(storage::writeFileAtomic(holder_ / "short.dat", std::span(bytes).first(100), error));
  ASSERT_TRUE(storage::writeFileAtomic(holder_ / "range.dat",
                                       storage::encodeSave({fresh.floors, dead}), error));
  std::filesystem::create_directories(holder_ / "folder.dat");

  const std::pair<const char*, const char*> cases[] = {
      {"bad.dat", "is damaged"},
      {"short.dat", "100 bytes where a save has 6957"},
      {"range.dat", "cannot be played"},
      {"none.dat", "No such file"},
      {"folder.dat", "is not a file"},
  };
  for (const auto& [file, reason] : cases) {
    driver_.emplace(DriverOptions{holder_, holder_ / file, false}, out_, err_);
    EXPECT_NE(driver_->startUp().find(reason), std::string::npos) << file;
    EXPECT_EQ(game().state, fresh.state) << file;
    EXPECT_EQ(game().floors, fresh.floors) << file;
    EXPECT_FALSE(std::filesystem::exists(holder_ / "save0.dat")) << file;
  }
}

// Lines that hold nothing but whitespace of any kind are blank, wherever they come.
TEST_F(DriverTest, LinesOfWhitespaceAreBlank) {
  for (const char* line : {"\v", "\f", "\r\r", "\r", " \t\v\f\r ", "\f# comment"}) {
    EXPECT_EQ(play(std::string(line) + "\nwait\n" + line + "\ndump\n" + line), kExitOk)
        << err_.str();
    EXPECT_EQ(out_.str().rfind("{\"state\":", 0), 0u);
  }
  // Any whitespace parts the words of a command.
  EXPECT_EQ(play("wait\nclick\varrow\fup\v\r\n"), kExitOk) << err_.str();
  EXPECT_EQ(game().state[gs::HeroY], 9);
}

// The limits of a run: each stops it with a line that says which limit was met, and
// what a line quotes is shown with its control bytes escaped.
TEST_F(DriverTest, ScriptLimitsStopTheRunAndSayWhichOne) {
  const auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(holder_ / name, std::ios::binary) << text;
  };
  // Ten lines, each including the next script twice, ten deep: far more than the limit.
  for (int i = 0; i < 10; ++i)
    write("loop" + std::to_string(i) + ".txt",
          i == 9 ? "dump\n" : "include loop" + std::to_string(i + 1) + ".txt\n" +
                                   "include loop" + std::to_string(i + 1) + ".txt\n");
  write("huge.txt", "");
  std::filesystem::resize_file(holder_ / "huge.txt", commands::kScriptFileLimit + 1);
  std::filesystem::create_directories(holder_ / "folder.txt");

  struct Case {
    std::string script;
    int status;
    const char* error;
  };
  const Case cases[] = {
      {std::string(commands::kLineLimit + 1, 'x') + "\n", kExitBadCommand,
       "line 1: longer than the limit of 4096 bytes"},
      {std::string(commands::kLineLimit, ' ') + "dump\n", kExitBadCommand, "line 1: longer"},
      {"include loop0.txt\n", kExitBadCommand, "line 1: the run has read its limit of 100 script"},
      {"include huge.txt\n", kExitBadFile, "larger than the limit of 16 MiB"},
      {"include folder.txt\n", kExitBadFile, "is not a file"},
      {"include /dev/zero\n", kExitBadFile, "is not a file"},
      {"ju\amp\x1b[2J\n", kExitBadCommand, "unknown command 'ju\\x07mp\\x1b[2J'"},
  };
  for (const Case& c : cases) {
    DriverOptions options{holder_, std::nullopt, false};
    options.lineLimit = 100;
    driver_.emplace(options, out_, err_);
    driver_->startUp();
    err_.str("");
    std::istringstream in(c.script);
    EXPECT_EQ(driver_->run(in, holder_), c.status) << c.error;
    EXPECT_NE(err_.str().find(c.error), std::string::npos) << c.error << " -> " << err_.str();
  }
}

TEST(DumpJson, EscapesTextSafely) {
  Game game;
  game.startUp(std::nullopt);
  game.bar.code = msg::Composed;
  game.bar.composed = "say \"hi\"\\\n\x01";
  const std::string json = dumpJson(game);
  EXPECT_NE(json.find(R"("message":"say \"hi\"\\\n\u0001")"), std::string::npos) << json;
}

}  // namespace
}  // namespace kelvorn::commands
