// Saving, loading, the options file, the rankings and the holder chooser played through
// the headless driver, as a player reaches them from the menus: what is asked, what is
// written, what is refused, and that the game is never left worse than it was.
#include <gtest/gtest.h>


#include <filesystem>
#include <functional>
#include <sstream>
#include <string>

#include "tests/disk_full.h"
#include "storage/bytes.h"
#include "storage/files.h"
#include "storage/ranking_file.h"
#include "storage/save_file.h"
#include "commands/driver.h"

namespace kelvorn::commands {
namespace {

namespace fs = std::filesystem;

// The text of a string field of a `dump` line ("" when absent or when it holds escapes
// these tests do not need).
std::string field(const std::string& dump, const std::string& key) {
  const std::string start = "\"" + key + "\":\"";
  const auto at = dump.find(start);
  if (at == std::string::npos) return {};
  const auto from = at + start.size();
  return dump.substr(from, dump.find('"', from) - from);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

using kelvorn::testing::DiskFullAfter;

class SaveScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    holder_ = fs::temp_directory_path() /
              (std::string("kelvorn-save-scenario-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(holder_);
    fs::create_directories(holder_);
    start_ = holder_ / "start.dat";
    // A new game whose hero holds the orb of the hero, so the Save menu is enabled.
    Game source;
    source.startUp(std::nullopt);
    source.state.itemSlot(0) = 1;
    source.state[gs::Gold] = 120;
    storage::stampChecksums(source.state);
    std::string error;
    ASSERT_TRUE(storage::writeFileAtomic(start_, storage::encodeSave({source.floors, source.state}),
                                         error))
        << error;
  }
  void TearDown() override { fs::remove_all(holder_); }

  // A fresh driver on the holder (as a new start of the program), optionally loading the
  // prepared game, then `script`.
  int start(const std::string& script, bool loadPrepared = true,
            std::optional<bool> prologue = false) {
    out_.str("");
    err_.str("");
    driver_.emplace(DriverOptions{holder_, loadPrepared ? std::optional(start_) : std::nullopt,
                                  prologue},
                    out_, err_);
    driver_->startUp();
    return run(script);
  }
  int run(const std::string& script) {
    std::istringstream in(script);
    return driver_->run(in);
  }
  std::vector<std::string> dumps() const { return lines(out_.str()); }
  Game& game() { return driver_->game(); }
  std::optional<std::vector<std::uint8_t>> file(const std::string& name) const {
    return storage::readFile(holder_ / name);
  }
  void writeSlot(int n, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    ASSERT_TRUE(storage::writeFileAtomic(holder_ / ("save" + std::to_string(n) + ".dat"), bytes,
                                         error))
        << error;
  }

  fs::path holder_;
  fs::path start_;
  std::ostringstream out_, err_;
  std::optional<Driver> driver_;
};

TEST_F(SaveScenario, EmptySlotIsWrittenAtOnceUsedSlotAsksAndNoKeepsIt) {
  ASSERT_EQ(start("menu save 1\ndump\n"), kExitOk) << err_.str();
  ASSERT_EQ(dumps().size(), 1u);
  EXPECT_EQ(field(dumps()[0], "box"), "");
  EXPECT_EQ(field(dumps()[0], "message"), "Saved the Game.");
  const auto first = file("save1.dat");
  ASSERT_TRUE(first);
  const auto decoded = storage::decodeSave(*first);
  ASSERT_TRUE(decoded && decoded->valid);
  EXPECT_EQ(decoded->game.state, game().state);
  EXPECT_EQ(decoded->game.floors, game().floors);

  game().state[gs::Gold] = 999;
  game().bar.code = msg::None;
  ASSERT_EQ(run("menu save 1\ndump\nanswer no\ndump\n"), kExitOk) << err_.str();
  EXPECT_EQ(field(dumps()[1], "box"), "Overwrite. Is it true?");
  EXPECT_EQ(field(dumps()[2], "box"), "");
  EXPECT_NE(field(dumps()[2], "message"), "Saved the Game.");
  EXPECT_EQ(file("save1.dat"), first);
  EXPECT_TRUE(game().controls.saveEnabled) << "No gives the menus back";

  ASSERT_EQ(run("menu save 1\nanswer yes\ndump\n"), kExitOk) << err_.str();
  EXPECT_EQ(field(dumps()[3], "message"), "Saved the Game.");
  EXPECT_EQ(storage::decodeSave(*file("save1.dat"))->game.state[gs::Gold], 999);
  EXPECT_TRUE(storage::decodeSave(*file("save1.dat"))->valid);
}

// A line the driver does not understand changes nothing, even when its first words name
// an item that could act.
TEST_F(SaveScenario, AMenuLineWithAWordTooManyIsRefusedBeforeItActs) {
  EXPECT_EQ(start("menu save 1 now\n"), kExitBadCommand);
  EXPECT_NE(err_.str().find("line 1: usage: menu ITEM [ARGUMENT]"), std::string::npos)
      << err_.str();
  EXPECT_FALSE(file("save1.dat"));
}

TEST_F(SaveScenario, SaveChangeTheGameLoadAndCompare) {
  ASSERT_EQ(start("menu save 2\n"), kExitOk) << err_.str();
  const GameState savedState = game().state;
  const FloorStore savedFloors = game().floors;

  ASSERT_EQ(run("up\nwait\n"), kExitOk) << err_.str();
  game().state[gs::Gold] += 50;
  game().state[gs::YellowKeys] = 7;
  game().floors.setCell(3, 0, tile::Wall);
  const GameState changed = game().state;

  ASSERT_EQ(run("menu load 2\ndump\n"), kExitOk) << err_.str();
  EXPECT_EQ(field(dumps().back(), "message"), "Loaded the Game.");
  EXPECT_EQ(game().state, savedState);
  EXPECT_EQ(game().floors, savedFloors);
  EXPECT_TRUE(game().controls.saveEnabled);

  // The game as it stood before the load was kept as the undo copy.
  const auto undo = file("save0.dat");
  ASSERT_TRUE(undo);
  ASSERT_EQ(undo->size(), storage::kSaveFileSize);
  const auto undone = storage::decodeSave(*undo);
  EXPECT_EQ(undone->game.state.v, changed.v);
  EXPECT_EQ(undone->game.floors.cell(3, 0), tile::Wall);
}

// A slot the game cannot trust is refused with a box, whatever is wrong with it, and the
// game stays exactly the one before the command; the undo copy is still written.
TEST_F(SaveScenario, UnusableSlotsAreRefusedAndTheGameStaysAsItWas) {
  ASSERT_EQ(start("menu save 1\n"), kExitOk) << err_.str();
  const std::vector<std::uint8_t> good = *file("save1.dat");
  auto stamped = [&](const std::function<void(GameState&)>& change) {
    auto decoded = storage::decodeSave(good);
    change(decoded->game.state);
    storage::stampChecksums(decoded->game.state);
    return storage::encodeSave(decoded->game);
  };
  auto word = [](int i) { return 6273u + 4u * static_cast<unsigned>(i); };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"gold +1 after the sums", good});
  cases.back().bytes[word(gs::Gold)] += 1;
  cases.push_back({"life and offense swapped", good});
  for (unsigned k = 0; k < 4; ++k)
    std::swap(cases.back().bytes[word(gs::Life) + k], cases.back().bytes[word(gs::Offense) + k]);
  cases.push_back({"marker -3", stamped([](GameState& s) { s[gs::SaveVersion] = -3; })});
  cases.push_back({"floor 51", stamped([](GameState& s) { s[gs::Floor] = 51; })});
  cases.push_back({"hero column 11", stamped([](GameState& s) { s[gs::HeroX] = 11; })});
  cases.push_back({"negative keys", stamped([](GameState& s) { s[gs::RedKeys] = -2; })});
  cases.push_back({"item slot 5 = 7", stamped([](GameState& s) { s.itemSlot(5) = 7; })});
  cases.push_back({"one byte too many", good});
  cases.back().bytes.push_back(0);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeSlot(3, c.bytes);
    ASSERT_EQ(start("up\nwait\n"), kExitOk) << err_.str();
    const GameState before = game().state;
    const FloorStore floorsBefore = game().floors;
    ASSERT_EQ(run("menu load 3\ndump\nanswer ok\ndump\n"), kExitOk) << err_.str();
    EXPECT_EQ(field(dumps()[0], "box"), "Donot use this save data.");
    EXPECT_EQ(field(dumps()[1], "box"), "");
    EXPECT_EQ(game().state, before);
    EXPECT_EQ(game().floors, floorsBefore);
    EXPECT_TRUE(game().controls.loadEnabled);
    EXPECT_EQ(storage::decodeSave(*file("save0.dat"))->game.state, before);
  }
}

TEST_F(SaveScenario, MissingOrShortSlotSaysNobodySavedIt) {
  writeSlot(5, std::vector<std::uint8_t>(100, 0));
  for (const char* slot : {"4", "5"}) {
    ASSERT_EQ(start(std::string("menu load ") + slot + "\ndump\n"), kExitOk) << err_.str();
    const GameState before = storage::decodeSave(*file("save0.dat"))->game.state;
    EXPECT_EQ(field(dumps()[0], "message"), "Nobody saved that game yet.") << slot;
    EXPECT_EQ(field(dumps()[0], "box"), "") << slot;
    EXPECT_EQ(game().state, before) << slot;
  }
}

TEST_F(SaveScenario, OptionsSavedAreReadBackAtTheNextStart) {
  ASSERT_EQ(start("menu speed low\nmenu font big\nmenu control keyboard\nmenu sound\n"
                  "menu option-save\ndump\nanswer yes\ndump\nanswer ok\n"),
            kExitOk)
      << err_.str();
  EXPECT_EQ(field(dumps()[0], "box"), "Save options. Is it true?");
  EXPECT_EQ(field(dumps()[1], "box"), "Done.");
  const OptionBytes saved = game().options;
  const auto stored = file("option.dat");
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->size(), 10u);
  EXPECT_EQ(*stored, (std::vector<std::uint8_t>{12, 14, 0, 3, 1, 0, 0, 1, 0, 0}));

  ASSERT_EQ(start("dump\n", false, std::nullopt), kExitOk) << err_.str();
  EXPECT_EQ(game().options, saved);
  EXPECT_EQ(checkedSpeed(game().options), Speed::Low);
  EXPECT_EQ(checkedFont(game().options), FontChoice::Big);
}

TEST_F(SaveScenario, NoToSaveOptionAndInitializeOptionLeaveTheFileAlone) {
  ASSERT_EQ(start("menu option-save\nanswer no\n"), kExitOk) << err_.str();
  EXPECT_FALSE(file("option.dat"));

  ASSERT_EQ(start("menu font tiny\nmenu speed high\nmenu option-save\nanswer yes\nanswer ok\n"),
            kExitOk)
      << err_.str();
  const auto stored = file("option.dat");
  ASSERT_TRUE(stored);
  ASSERT_EQ(run("menu option-init\ndump\nanswer yes\n"), kExitOk) << err_.str();
  EXPECT_EQ(field(dumps()[0], "box"), "Initialize options. Is it true?");
  EXPECT_EQ(game().options, initialOptions());
  EXPECT_EQ(file("option.dat"), stored);

  ASSERT_EQ(start("", false, std::nullopt), kExitOk) << err_.str();
  EXPECT_EQ(checkedFont(game().options), FontChoice::Tiny);
  EXPECT_EQ(checkedSpeed(game().options), Speed::High);
}

// A save or options write that fails keeps the old file, says why and never claims
// success.
TEST_F(SaveScenario, AFailedWriteKeepsTheOldFileAndReportsIt) {
  ASSERT_EQ(start("menu save 1\nmenu option-save\nanswer yes\nanswer ok\n"), kExitOk)
      << err_.str();
  const auto slotBefore = file("save1.dat");
  const auto optionsBefore = file("option.dat");
  game().state[gs::Gold] = 4242;
  game().bar.code = msg::None;
  {
    DiskFullAfter full(4);
    ASSERT_EQ(run("menu save 1\nanswer yes\ndump\nanswer ok\nmenu speed low\nmenu option-save\n"
                  "answer yes\ndump\nanswer ok\n"),
              kExitOk)
        << err_.str();
  }
  const auto d = dumps();
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(field(d[0], "box").rfind("The game was not saved: ", 0), 0u) << d[0];
  EXPECT_NE(field(d[0], "message"), "Saved the Game.");
  EXPECT_EQ(field(d[1], "box").rfind("The options were not saved: ", 0), 0u) << d[1];
  EXPECT_EQ(file("save1.dat"), slotBefore);
  EXPECT_EQ(file("option.dat"), optionsBefore);
  EXPECT_TRUE(game().controls.saveEnabled);
}

TEST_F(SaveScenario, RankingMenuShowsTemporaryListsAndClearWritesTheStartingOne) {
  ASSERT_EQ(start("menu ranking\ndump\nclick rank 3\ndump\n"
                  "click rank-clear\ndump\nanswer yes\ndump\nclick rank-ok\n"),
            kExitOk)
      << err_.str();
  const auto d = dumps();
  ASSERT_EQ(d.size(), 4u);
  EXPECT_NE(d[0].find("\"ranking\":{\"current\":0,\"clear\":false,\"rows\":[]}"),
            std::string::npos)
      << d[0];
  EXPECT_EQ(field(d[1], "box"), "") << "a ranking not written yet is no fault";
  EXPECT_NE(d[1].find("{\"name\":\"\",\"points\":100,\"life\":10000,\"offense\":500"),
            std::string::npos)
      << d[1];
  EXPECT_EQ(field(d[2], "box"), "Initialize this data. Is it true?");
  EXPECT_NE(d[3].find("{\"name\":\"Magic Master\",\"points\":100"), std::string::npos) << d[3];
  EXPECT_EQ(storage::decodeRanking(file("option3.dat"), 3, gs::kSaveVersion).problem, "");
  EXPECT_TRUE(file("option31.dat"));

  // The menu hands the game over with no place won, and the window gives it back so.
  const auto back = storage::decodeSave(*file("save0.dat"))->game.state;
  EXPECT_EQ(back[gs::RankWon], 0);
  EXPECT_EQ(back[gs::Checkpoint], 0);
  EXPECT_EQ(back[gs::Gold], 120);
}

TEST_F(SaveScenario, ANewHolderReceivesTheOptionsAndTakesTheNextSave) {
  const fs::path second = holder_ / "second";
  ASSERT_EQ(start("menu font small\nmenu option-save\nanswer yes\nanswer ok\nmenu save 1\n"
                  "menu holder\nclick holder-make\ninput " +
                  second.string() + "\ndump\nclick holder-ok\nmenu save 2\n"),
            kExitOk)
      << err_.str();
  EXPECT_NE(dumps()[0].find("\"holder\":{\"selected\":\"" + second.string() + "\""),
            std::string::npos)
      << dumps()[0];
  EXPECT_EQ(storage::readFile(second / "option.dat"), file("option.dat"));
  EXPECT_FALSE(fs::exists(second / "save1.dat")) << "save slots stay in the old holder";
  EXPECT_TRUE(fs::exists(second / "save2.dat"));
  EXPECT_FALSE(file("save2.dat"));
}

}  // namespace
}  // namespace kelvorn::commands
