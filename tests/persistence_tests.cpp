// The save holder's files as the game relies on them: which slots may be loaded, which
// ranking tables are trusted, what the ranking window writes back, how names files and
// KVN12.INI of any shape are read, the order in which a new holder receives its files,
// and that a write which fails half-way never costs the player his old file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>

#include "storage/autosaves.h"
#include "storage/bytes.h"
#include "storage/files.h"
#include "storage/holder_chooser.h"
#include "storage/holder_host.h"
#include "storage/holder_ini.h"
#include "storage/names_file.h"
#include "storage/ranking_board.h"
#include "storage/ranking_file.h"
#include "storage/save_file.h"
#include "storage/save_holder.h"
#include "storage/settings_file.h"
#include "tests/disk_full.h"

namespace kelvorn::storage {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }
std::string textOf(const std::optional<std::vector<std::uint8_t>>& bytes) {
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

// A game as a new start leaves it: every value in range.
SavedGame newGame() {
  static const SavedGame game = [] {
    Game g;
    g.startUp(std::nullopt);
    return SavedGame{g.floors, g.state};
  }();
  return game;
}

using kelvorn::testing::DiskFullAfter;

class HolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           (std::string("kelvorn-persistence-") +
            ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    holder_ = SaveHolder(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  void writeRaw(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::string error;
    ASSERT_TRUE(writeFileAtomic(path, bytes, error)) << error;
  }

  fs::path dir_;
  SaveHolder holder_{fs::path()};
};

// ---- Save slots --------------------------------------------------------------------

struct SlotCase {
  const char* what;
  std::function<void(GameState&)> change;
  bool usable;
};

class SlotValidation : public HolderTest {};

// Every value the game indexes with is checked even when the checksums are right, so a
// slot edited by hand (or by a fault) can never be loaded into a crash.
TEST_F(SlotValidation, MarkerAndRangesDecideWhetherAStampedSlotLoads) {
  const SlotCase cases[] = {
      {"unchanged", [](GameState&) {}, true},
      {"orb of the hero granted", [](GameState& s) { s.itemSlot(0) = 2; }, true},
      {"floor 50 and hero in the corner",
       [](GameState& s) { s[gs::Floor] = 50, s[gs::HeroX] = 10, s[gs::HeroY] = 10; }, true},
      {"marker -3", [](GameState& s) { s[gs::SaveVersion] = -3; }, false},
      {"marker 0", [](GameState& s) { s[gs::SaveVersion] = 0; }, false},
      {"floor 51", [](GameState& s) { s[gs::Floor] = 51; }, false},
      {"floor -1", [](GameState& s) { s[gs::Floor] = -1; }, false},
      {"highest floor 51", [](GameState& s) { s[gs::HighestFloor] = 51; }, false},
      {"hero column 11", [](GameState& s) { s[gs::HeroX] = 11; }, false},
      {"hero row -1", [](GameState& s) { s[gs::HeroY] = -1; }, false},
      {"negative yellow keys", [](GameState& s) { s[gs::YellowKeys] = -1; }, false},
      {"negative blue keys", [](GameState& s) { s[gs::BlueKeys] = -5; }, false},
      {"negative red keys", [](GameState& s) { s[gs::RedKeys] = INT32_MIN; }, false},
      {"item slot 5 = 7", [](GameState& s) { s.itemSlot(5) = 7; }, false},
      {"item slot 14 = -1", [](GameState& s) { s.itemSlot(14) = -1; }, false},
      {"sword level 6", [](GameState& s) { s[gs::SwordLevel] = 6; }, false},
      {"shield level -1", [](GameState& s) { s[gs::ShieldLevel] = -1; }, false},
      {"facing 0", [](GameState& s) { s[gs::Facing] = 0; }, false},
      {"facing 5", [](GameState& s) { s[gs::Facing] = 5; }, false},
  };
  for (const SlotCase& c : cases) {
    SavedGame game = newGame();
    c.change(game.state);
    ASSERT_EQ(holder_.writeSlot(4, game), "") << c.what;
    const SlotRead read = holder_.readSlot(4);
    ASSERT_TRUE(read.game) << c.what;
    EXPECT_EQ(read.valid, c.usable) << c.what;
  }
}

TEST_F(SlotValidation, MissingShortAndBadlySummedSlots) {
  EXPECT_FALSE(holder_.slotExists(1));
  EXPECT_FALSE(holder_.readSlot(1).game);

  const auto good = encodeSave(newGame());
  writeRaw(dir_ / "save1.dat", std::vector<std::uint8_t>(good.begin(), good.begin() + 6956));
  EXPECT_TRUE(holder_.slotExists(1));
  EXPECT_FALSE(holder_.readSlot(1).game) << "a short file is read as no save at all";

  SavedGame stale = newGame();
  stale.state[gs::Gold] = 500;  // changed after its check words were last computed
  ASSERT_EQ(holder_.writeHandOver(stale), "");
  fs::rename(dir_ / "save0.dat", dir_ / "save2.dat");
  const SlotRead unstamped = holder_.readSlot(2);
  ASSERT_TRUE(unstamped.game);
  EXPECT_FALSE(unstamped.valid);

  fs::create_directory(dir_ / "save3.dat");  // a folder where a slot should be
  EXPECT_FALSE(holder_.readSlot(3).game);
}

// The Save and Load menus' labels come from a summary that reads a slot as a load would
// and leaves its bytes as they were.
TEST_F(SlotValidation, SummariesTellEmptyDamagedAndUsableSlotsApart) {
  SavedGame game = newGame();
  game.state[gs::Floor] = 12;
  game.state[gs::Life] = 4321;
  ASSERT_EQ(holder_.writeSlot(1, game), "");
  const auto good = encodeSave(game);
  writeRaw(dir_ / "save2.dat", std::vector<std::uint8_t>(good.begin(), good.begin() + 100));
  const auto before = readFile(dir_ / "save1.dat");
  const std::time_t now = std::time(nullptr);

  struct Case {
    int slot;
    bool present, usable;
    std::int32_t floor, life;
  } cases[] = {{1, true, true, 12, 4321}, {2, true, false, 0, 0}, {3, false, false, 0, 0}};
  for (const Case& c : cases) {
    const SlotSummary s = holder_.summary(c.slot);
    EXPECT_EQ(s.present, c.present) << "slot " << c.slot;
    EXPECT_EQ(s.usable, c.usable) << "slot " << c.slot;
    EXPECT_EQ(s.floor, c.floor) << "slot " << c.slot;
    EXPECT_EQ(s.life, c.life) << "slot " << c.slot;
    EXPECT_EQ(s.written.has_value(), c.present) << "slot " << c.slot;
    if (s.written) {
      EXPECT_LE(std::abs(*s.written - now), 60) << "slot " << c.slot;
    }
  }
  EXPECT_EQ(readFile(dir_ / "save1.dat"), before);
}

// ---- Window settings -----------------------------------------------------------------

// The window's settings read back as written; whatever the file holds, each setting
// falls back to its default rather than to a wrong value, and names this program does
// not know are kept for the program that wrote them.
TEST_F(HolderTest, SettingsSurviveARoundTripAndDamagedValuesFallBack) {
  SettingsFile written(dir_ / "config" / "settings.ini");
  written.setFlag("full-screen", true);
  written.setNumber("music-volume", 35);
  written.setText("key.up.2", "=");
  written.setText("key.up.3", "two\nlines");
  ASSERT_EQ(written.save(), "");
  std::string error;
  const std::string damaged = textOf(readFile(written.path())) +
                              "effects-volume=150\nkeep-keys=yes\nfrom-a-later-version=7\r\n"
                              "=nameless\nno equals sign\n# a remark=1\n";
  ASSERT_TRUE(writeTextAtomic(written.path(), damaged, error)) << error;

  SettingsFile read(written.path());
  read.load();
  EXPECT_TRUE(read.flag("full-screen", false));
  EXPECT_EQ(read.number("music-volume", 0, 100, 100), 35);
  EXPECT_EQ(read.number("effects-volume", 0, 100, 80), 80) << "out of range";
  EXPECT_TRUE(read.flag("keep-keys", true)) << "not a number";
  EXPECT_FALSE(read.flag("click-to-walk", false)) << "missing";
  EXPECT_EQ(read.text("key.up.2"), "=");
  EXPECT_EQ(read.text("key.up.3"), "") << "a value must stay on one line";
  EXPECT_EQ(read.text("from-a-later-version"), "7");
  EXPECT_EQ(read.text("# a remark"), "");
  ASSERT_EQ(read.save(), "");
  EXPECT_NE(textOf(readFile(written.path())).find("from-a-later-version=7\n"), std::string::npos);

  SettingsFile missing(dir_ / "nowhere" / "settings.ini");
  missing.load();
  EXPECT_EQ(missing.number("music-volume", 0, 100, 100), 100);
}

// Whatever shape settings.ini has, the key bindings in it are read, and the next change
// writes back every line it held (or, when it could not be read whole, nothing at all);
// what was not understood or not read is said.
struct SettingsCase {
  const char* name;
  std::string file;
  bool rewritten;    // false: the file stays byte for byte as it was
  const char* note;  // a part of what load() says, "" for nothing
};

TEST_F(HolderTest, SettingsOfAnyShapeLoseNoLine) {
  std::string past64k;
  for (int i = 0; i < 3000; ++i)
    past64k += "from-a-later-version." + std::to_string(i) + "=value\n";
  const std::string past1m = "key.up.1=W\n" + std::string(1 << 20, '#') + "\nkey.up.2=I\n";
  const SettingsCase cases[] = {
      {"plain", "key.up.1=W\nfull-screen=1\n", true, ""},
      {"odd lines",
       "# my remark\nkey.up.1=W\nno equals sign\n=nameless\nlong=" + std::string(2000, 'x') + "\n" +
           std::string("nul\0line=1\n", 11),
       true, "lines 3, 4, 5, 6 not understood"},
      {"over 64 KiB", past64k + "key.up.1=W\n", true, ""},
      {"over 1 MiB", past1m, false, "over 1 MiB"},
  };
  const fs::path path = dir_ / "settings.ini";
  for (const SettingsCase& c : cases) {
    writeRaw(path, bytesOf(c.file));
    SettingsFile settings(path);
    const std::string note = settings.load();
    if (*c.note == '\0')
      EXPECT_EQ(note, "") << c.name;
    else
      EXPECT_NE(note.find(c.note), std::string::npos) << c.name << ": " << note;
    EXPECT_EQ(settings.text("key.up.1"), "W") << c.name;
    settings.setNumber("music-volume", 35);
    EXPECT_EQ(settings.save() == "", c.rewritten) << c.name;
    const std::string after = textOf(readFile(path, 4 << 20));
    if (!c.rewritten) {
      EXPECT_EQ(after, c.file) << c.name;
      continue;
    }
    EXPECT_NE(after.find("music-volume=35\n"), std::string::npos) << c.name;
    for (std::string_view rest = c.file; !rest.empty();) {
      const auto end = rest.find('\n');
      const std::string_view line = rest.substr(0, end == rest.npos ? end : end + 1);
      rest.remove_prefix(line.size());
      EXPECT_NE(after.find(line), std::string::npos) << c.name << ": lost " << line.substr(0, 40);
    }
  }
  // A file that cannot be read is not replaced.
  fs::remove(path);
  fs::create_directories(path / "in-the-way");
  SettingsFile unreadable(path);
  EXPECT_NE(unreadable.load(), "");
  EXPECT_NE(unreadable.save(), "");
  EXPECT_TRUE(fs::is_directory(path / "in-the-way"));
  fs::remove_all(path);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_NE(SettingsFile(path).load(), "") << "a pipe is refused, not waited on";
}

// ---- Ranking tables ----------------------------------------------------------------

RankingRows sampleRows() {
  RankingRows rows;
  for (int i = 0; i < 10; ++i) rows[i] = {200 - 7 * i, 3000 - 100 * i, 40 + i, 60 - i};
  return rows;
}

// The version word of each ranking differs, so a table copied over another ranking's
// file (with its sums intact) is not shown as that ranking.
TEST(RankingFile, EachRankingAcceptsOnlyItsOwnVersionWord) {
  for (int fileOf = 1; fileOf <= 5; ++fileOf) {
    const auto bytes = encodeRanking(sampleRows(), fileOf, gs::kSaveVersion);
    EXPECT_EQ(readI32(bytes, 4 * 71), -400 - fileOf);
    for (int n = 1; n <= 5; ++n) {
      const RankingLookup lookup = decodeRanking(bytes, n, gs::kSaveVersion);
      if (n == fileOf) {
        EXPECT_EQ(lookup.problem, "") << fileOf << " as " << n;
        EXPECT_EQ(lookup.rows, sampleRows());
      } else {
        EXPECT_EQ(lookup.problem, kRankingVersionAbnormal) << fileOf << " as " << n;
        EXPECT_EQ(lookup.rows, temporaryRanking(n));
      }
    }
  }
}

TEST(RankingFile, DamagedShortAndForeignTablesGiveTheTemporaryRanking) {
  const auto good = encodeRanking(sampleRows(), 2, gs::kSaveVersion);
  struct Case {
    const char* what;
    std::function<void(std::vector<std::uint8_t>&)> change;
    const char* problem;
  };
  const Case cases[] = {
      {"a place value +1", [](auto& b) { b[4 * (6 * 3 + 1)] += 1; }, kRankingAbnormal},
      {"a row check +1", [](auto& b) { b[4 * (6 * 9 + 5)] += 1; }, kRankingAbnormal},
      {"a column sum +1", [](auto& b) { b[4 * (6 * 10 + 0)] += 1; }, kRankingAbnormal},
      {"an alternating sum +1", [](auto& b) { b[4 * (6 * 11 + 4)] += 1; }, kRankingAbnormal},
      {"two places swapped",
       [](auto& b) { std::swap_ranges(b.begin(), b.begin() + 24, b.begin() + 24); },
       kRankingAbnormal},
      {"one byte short", [](auto& b) { b.pop_back(); }, kRankingOld},
      {"empty", [](auto& b) { b.clear(); }, kRankingOld},
      {"version word of another format",
       [](auto& b) {
         const auto other = encodeRanking(sampleRows(), 2, -5);
         b.assign(other.begin(), other.end());
       },
       kRankingVersionAbnormal},
      {"version word -402 plus 100", [](auto& b) { b[4 * 71] += 100; }, kRankingVersionAbnormal},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    c.change(bytes);
    const RankingLookup lookup = decodeRanking(bytes, 2, gs::kSaveVersion);
    EXPECT_EQ(lookup.problem, c.problem) << c.what;
    EXPECT_EQ(lookup.rows, temporaryRanking(2)) << c.what;
  }
  // A file that does not exist yet is not damaged: the temporary table, quietly.
  EXPECT_EQ(decodeRanking(std::nullopt, 2, gs::kSaveVersion).problem, "");
  EXPECT_EQ(decodeRanking(std::nullopt, 2, gs::kSaveVersion).rows, temporaryRanking(2));
  // A longer file is read from its first 288 bytes.
  auto longer = good;
  longer.push_back(1);
  EXPECT_EQ(decodeRanking(longer, 2, gs::kSaveVersion).problem, "");
}

TEST(RankingFile, ChecksWrapAtThirtyTwoBits) {
  RankingRows rows = sampleRows();
  rows[0] = {INT32_MAX, INT32_MAX, INT32_MIN, INT32_MAX};
  const auto bytes = encodeRanking(rows, 5, gs::kSaveVersion);
  ASSERT_EQ(bytes.size(), kRankingFileSize);
  const RankingLookup lookup = decodeRanking(bytes, 5, gs::kSaveVersion);
  EXPECT_EQ(lookup.problem, "");
  EXPECT_EQ(lookup.rows, rows);
}

TEST(RankingFile, TemporaryValuesFallInNineEqualSteps) {
  struct Ends {
    int life1, stat1, life10, stat10;
  };
  const Ends ends[5] = {{500, 25, 50, 16},
                        {1000, 50, 100, 5},
                        {10000, 500, 1000, 50},
                        {5000, 200, 500, 110},
                        {10000, 500, 1000, 50}};
  for (int n = 1; n <= 5; ++n) {
    const RankingRows rows = temporaryRanking(n);
    const Ends& e = ends[n - 1];
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(rows[i].points, 100 - 10 * i);
      EXPECT_EQ(rows[i].life, e.life1 + (e.life10 - e.life1) / 9 * i) << n << " place " << i + 1;
      EXPECT_EQ(rows[i].offense, e.stat1 + (e.stat10 - e.stat1) / 9 * i) << n << " place " << i + 1;
      EXPECT_EQ(rows[i].defense, rows[i].offense);
    }
  }
  EXPECT_EQ(temporaryRanking(5), temporaryRanking(3));
}

// ---- The ranking window ------------------------------------------------------------

class RankingBoardTest : public HolderTest {
 protected:
  // The game handed over after a fairy's judgement at checkpoint `n`, as the game writes
  // it (check words as they stand, not recomputed).
  void handOver(int n, int place, bool stamped = true) {
    SavedGame game = newGame();
    GameState& s = game.state;
    s[gs::Gold] = 4321;
    s[gs::LastScore] = 150, s[gs::Life] = 2222, s[gs::Offense] = 77, s[gs::Defense] = 66;
    s[gs::RankWon] = place, s[gs::Checkpoint] = n;
    if (stamped) stampChecksums(s);
    ASSERT_EQ(holder_.writeHandOver(game), "");
  }
  void storeRanking(int n) {
    ASSERT_EQ(holder_.writeRanking(n, sampleRows(), gs::kSaveVersion), "");
    RankingNames names;
    for (int i = 0; i < 10; ++i) names[i] = "Old " + std::to_string(i + 1);
    ASSERT_EQ(holder_.writeNames(n, names), "");
  }
  GameState handedBack() {
    const auto bytes = readFile(dir_ / "save0.dat");
    EXPECT_TRUE(bytes);
    return bytes ? decodeSave(*bytes)->game.state : GameState{};
  }
};

TEST_F(RankingBoardTest, PlaceTenReplacesOnlyTheLastEntry) {
  storeRanking(2);
  handOver(2, 10);
  RankingBoard board(holder_);
  board.open();
  ASSERT_EQ(board.current(), 2);
  ASSERT_TRUE(board.nameRequested());
  board.enterName("Newcomer");
  EXPECT_TRUE(board.notices.empty());

  const RankingLookup stored = holder_.readRanking(2, gs::kSaveVersion);
  ASSERT_EQ(stored.problem, "");
  RankingRows expected = sampleRows();
  expected[9] = {150, 2222, 77, 66};
  EXPECT_EQ(stored.rows, expected);
  const auto names = holder_.readNames(2);
  ASSERT_TRUE(names);
  for (int i = 0; i < 9; ++i) EXPECT_EQ((*names)[i], "Old " + std::to_string(i + 1));
  EXPECT_EQ((*names)[9], "Newcomer");
}

TEST_F(RankingBoardTest, PlaceOneMovesEveryEntryDownAndDropsTheOldTenth) {
  storeRanking(4);
  handOver(4, 1);
  RankingBoard board(holder_);
  board.open();
  board.enterName("Champion");
  const RankingLookup stored = holder_.readRanking(4, gs::kSaveVersion);
  const auto names = holder_.readNames(4);
  ASSERT_TRUE(names);
  EXPECT_EQ(stored.rows[0], (RankingRow{150, 2222, 77, 66}));
  EXPECT_EQ((*names)[0], "Champion");
  for (int i = 1; i < 10; ++i) {
    EXPECT_EQ(stored.rows[i], sampleRows()[i - 1]) << "place " << i + 1;
    EXPECT_EQ((*names)[i], "Old " + std::to_string(i)) << "place " << i + 1;
  }
}

// Whatever the player does with the name box, the ranking is written and the hand-over
// fields are cleared, so the same place is never registered twice.
TEST_F(RankingBoardTest, CancelAndEmptyNameWriteBothFilesAndClearTheHandOver) {
  for (const std::optional<std::string>& answer :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    storeRanking(1);
    fs::remove(dir_ / "option1.dat");  // written again even though nothing is registered
    fs::remove(dir_ / "option11.dat");
    handOver(1, 3);
    RankingBoard board(holder_);
    board.open();
    ASSERT_TRUE(board.nameRequested());
    board.enterName(answer);
    EXPECT_FALSE(board.nameRequested());

    EXPECT_EQ(holder_.readRanking(1, gs::kSaveVersion).rows, temporaryRanking(1));
    EXPECT_TRUE(fs::exists(dir_ / "option1.dat"));
    EXPECT_TRUE(fs::exists(dir_ / "option11.dat"));
    const GameState back = handedBack();
    EXPECT_EQ(back[gs::LastScore], 0);
    EXPECT_EQ(back[gs::RankWon], 0);
    EXPECT_EQ(back[gs::Checkpoint], 0);
    EXPECT_EQ(back[gs::Gold], 4321) << "the rest of the handed-over game is kept";
    EXPECT_EQ(back[gs::Life], 2222);
  }
}

// The game hands itself over without recomputing its check words; the window must still
// see the checkpoint and the place it won.
TEST_F(RankingBoardTest, HandOverAsTheGameWritesItStillRegisters) {
  storeRanking(3);
  handOver(3, 5, /*stamped=*/false);
  RankingBoard board(holder_);
  board.open();
  EXPECT_EQ(board.current(), 3);
  EXPECT_TRUE(board.nameRequested());
}

TEST_F(RankingBoardTest, AnUnplayableHandOverOpensNoRanking) {
  storeRanking(3);
  SavedGame game = newGame();
  game.state[gs::Checkpoint] = 3, game.state[gs::RankWon] = 1, game.state[gs::Floor] = 99;
  stampChecksums(game.state);
  ASSERT_EQ(holder_.writeHandOver(game), "");
  RankingBoard board(holder_);
  board.open();
  EXPECT_FALSE(board.shown());
  EXPECT_FALSE(board.nameRequested());
}

TEST_F(RankingBoardTest, ClearAsksFirstAndOnlyYesRestoresTheStartingList) {
  storeRanking(5);
  handOver(0, 0);
  RankingBoard board(holder_);
  board.open();
  EXPECT_FALSE(board.shown());
  EXPECT_FALSE(board.clearEnabled());
  board.askClear();
  EXPECT_FALSE(board.clearAsked()) << "Clear is disabled until a ranking is shown";

  board.select(5);
  ASSERT_TRUE(board.clearEnabled());
  EXPECT_EQ(board.rows(), sampleRows());
  const auto before = readFile(dir_ / "option5.dat");
  board.askClear();
  ASSERT_TRUE(board.clearAsked());
  board.answerClear(false);
  EXPECT_EQ(readFile(dir_ / "option5.dat"), before);
  EXPECT_EQ(board.rows(), sampleRows());

  board.askClear();
  board.answerClear(true);
  EXPECT_EQ(board.rows(), temporaryRanking(5));
  EXPECT_EQ(board.names(), defaultNames(5));
  const RankingLookup stored = holder_.readRanking(5, gs::kSaveVersion);
  EXPECT_EQ(stored.problem, "");
  EXPECT_EQ(stored.rows, temporaryRanking(5));
  EXPECT_EQ(holder_.readNames(5), defaultNames(5));
  EXPECT_EQ(defaultNames(5)[0], "Zeno");
  EXPECT_EQ(defaultNames(1)[9], "Iron Shield");
}

// A fresh holder shows the temporary table with no box at all, in the window and in
// the fairy's check alike; a table that is there but damaged or short is reported.
TEST_F(RankingBoardTest, MissingFilesAreQuietDamagedOnesAreNoticed) {
  handOver(0, 0);
  RankingBoard fresh(holder_);
  fresh.open();
  fresh.select(3);
  EXPECT_TRUE(fresh.notices.empty()) << fresh.notices.front();
  EXPECT_EQ(fresh.rows(), temporaryRanking(3));
  EXPECT_EQ(fresh.names(), RankingNames{});
  HolderHost host(dir_);
  EXPECT_EQ(host.judgementRanking(3, gs::kSaveVersion).problem, "");

  writeRaw(dir_ / "option2.dat", std::vector<std::uint8_t>(288, 1));
  writeRaw(dir_ / "option4.dat", std::vector<std::uint8_t>(100, 0));
  fs::create_directory(dir_ / "option41.dat");  // a names "file" that cannot be read
  RankingBoard board(holder_);
  board.open();
  board.select(2);
  ASSERT_EQ(board.notices, std::deque<std::string>{kRankingAbnormal});
  EXPECT_EQ(board.rows(), temporaryRanking(2));
  board.notices.clear();
  board.select(4);
  EXPECT_EQ(board.notices,
            (std::deque<std::string>{kRankingOld, "The names of this ranking could not be read."}));
  EXPECT_EQ(host.judgementRanking(4, gs::kSaveVersion).problem, kRankingOld);
  // Showing does not repair the file: only a registration or Clear writes it.
  EXPECT_EQ(readFile(dir_ / "option2.dat"), std::vector<std::uint8_t>(288, 1));
}

// Registering a place moves the other players' lines down exactly as they were: long,
// not UTF-8, with trailing blanks or a carriage return, in a file of any size.
TEST_F(RankingBoardTest, RegisteringKeepsEveryOtherNameByteForByte) {
  ASSERT_EQ(holder_.writeRanking(1, sampleRows(), gs::kSaveVersion), "");
  const std::vector<std::string> lines = {std::string(70, 'x'),
                                          "A\xFF"
                                          "B\xC3(",
                                          "Blanks  ",
                                          "Windows\r",
                                          std::string("nul\0in", 6),
                                          "",
                                          "Six",
                                          "Seven",
                                          "Eight",
                                          "Nine"};
  std::string file;
  for (const std::string& line : lines) file += line + "\n";
  for (int i = 0; i < 5000; ++i) file += "a line after the tenth, past 64 KB\n";
  writeRaw(dir_ / "option11.dat", bytesOf(file));
  handOver(1, 1);
  RankingBoard board(holder_);
  board.open();
  EXPECT_TRUE(board.notices.empty());
  EXPECT_EQ(displayName(board.names()[1]), "A?B?(");
  EXPECT_EQ(displayName(board.names()[3]), "Windows");
  board.enterName("Champion");

  std::string expected = "Champion\n";
  for (int i = 0; i < 9; ++i) expected += lines[i] + "\n";
  EXPECT_EQ(textOf(readFile(dir_ / "option11.dat")), expected);
}

// ---- Names files and KVN12.INI -----------------------------------------------------

// Any text gives its first ten lines as they are, and shows each one safely.
TEST(NamesFile, AnyTextGivesTenLinesShownSafely) {
  struct Case {
    const char* what;
    std::string text;
    std::function<void(const RankingNames&)> check;
  };
  const Case cases[] = {
      {"three lines", "Ann\nBob\nCid",
       [](const RankingNames& n) {
         EXPECT_EQ(n[2], "Cid");
         for (int i = 3; i < 10; ++i) EXPECT_EQ(n[i], "");
       }},
      {"twelve lines", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n",
       [](const RankingNames& n) { EXPECT_EQ(n[9], "10"); }},
      {"CRLF", "Ann\r\nBob\r\n",
       [](const RankingNames& n) {
         EXPECT_EQ(n[0], "Ann\r");
         EXPECT_EQ(displayName(n[1]), "Bob");
       }},
      {"overlong", std::string(5000, 'x') + "\nB",
       [](const RankingNames& n) {
         EXPECT_EQ(n[0], std::string(5000, 'x'));
         EXPECT_EQ(displayName(n[0]), std::string(kMaxNameBytes, 'x'));
         EXPECT_EQ(n[1], "B");
       }},
      {"shown cut inside a character", std::string(63, 'a') + "\xC3\xA9",
       [](const RankingNames& n) { EXPECT_EQ(displayName(n[0]), std::string(63, 'a')); }},
      {"invalid UTF-8",
       "A\xFF"
       "B\xC3(\xE2\x82\n\xF0\x9F\x98\x80",
       [](const RankingNames& n) {
         EXPECT_EQ(displayName(n[0]), "A?B?(??");
         EXPECT_EQ(displayName(n[1]), "\xF0\x9F\x98\x80");
       }},
      {"NUL and tabs", std::string("a\0b\tc", 5),
       [](const RankingNames& n) { EXPECT_EQ(displayName(n[0]), "a b c"); }},
      {"empty", "", [](const RankingNames& n) { EXPECT_EQ(n, RankingNames{}); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RankingNames names = parseNames(c.text);
    c.check(names);
    // What is read is written back unchanged.
    EXPECT_EQ(parseNames(formatNames(names)), names);
  }
}

TEST(NamesFile, TypedNamesLoseLineBreaksSoTheFileKeepsTenLines) {
  RankingNames names = defaultNames(2);
  names[0] = "two\nlines";
  const RankingNames back = parseNames(formatNames(names));
  EXPECT_EQ(back[0], "two lines");
  EXPECT_EQ(back[9], "Blue Crystal");
}

// KVN12.INI as start-up finds it, in every shape: what the game takes from it, and
// whether it is written. A player's holder is never replaced by the default for a
// damaged or missing line elsewhere, and a file is rewritten only when that loses
// nothing it held; what was skipped is said.
struct IniCase {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file
  bool programFolderValid;
  HolderIni taken;
  std::optional<std::string> written;  // nullopt: the file is left as it was
  const char* note;                    // a part of the note, "" for none
};

TEST_F(HolderTest, HolderIniOfAnyShapeKeepsThePlayersHolder) {
  const HolderIni fallback{"/default", "/prog", ""};
  const std::string longLine(5000, 'p');
  std::string junk = "/h\r\n/p\r\nreserved-and-more\r\n";
  for (int i = 0; i < 1000; ++i) junk += "junk " + std::to_string(i) + "\n";
  const std::string huge = "/h\n/p\nr\n" + std::string(2 << 20, 'x');
  const IniCase cases[] = {
      {"missing", std::nullopt, true, fallback, "/default\n/prog\n\n", ""},
      {"empty", "", true, fallback, "/default\n/prog\n\n", ""},
      {"whole", "/h\n/p\nrsv\n", true, {"/h", "/p", "rsv"}, std::nullopt, ""},
      {"no last line break", "/a b\n/c", true, {"/a b", "/c", ""}, std::nullopt, ""},
      {"holder line only", "/h\n", true, {"/h", "/prog", ""}, "/h\n/prog\n\n", ""},
      {"empty holder line", "\n/p\n", true, {"/default", "/p", ""}, "/default\n/p\n\n", ""},
      {"program moved", "/h\n/p\nr\n", false, {"/h", "/prog", "r"}, "/h\n/prog\nr\n", ""},
      {"long holder line",
       longLine + "\n/p\n",
       true,
       {"/default", "/p", ""},
       std::nullopt,
       "save-holder line (over 4096 bytes); the default save holder is used"},
      {"NUL in the holder",
       std::string("/ho\0lder\n/p\n", 12),
       true,
       {"/default", "/p", ""},
       std::nullopt,
       "NUL byte"},
      {"long program line",
       "/h\n" + longLine + "\n",
       true,
       {"/h", "/prog", ""},
       std::nullopt,
       "program-folder line (over 4096 bytes); the file is left"},
      {"lines after the third",
       junk,
       false,
       {"/h", "/prog", "reserved-and-more"},
       std::nullopt,
       "what follows the third line"},
      {"over 1 MiB", huge, true, {"/h", "/p", "r"}, std::nullopt, "what follows the third line"},
  };
  for (const IniCase& c : cases) {
    const fs::path path = dir_ / "config" / "KVN12.INI";
    fs::remove_all(dir_ / "config");
    if (c.file) {
      fs::create_directories(path.parent_path());
      writeRaw(path, bytesOf(*c.file));
    }
    std::string note;
    const HolderIni ini = openHolderIni(path, fallback, c.programFolderValid, note);
    EXPECT_EQ(ini.holder, c.taken.holder) << c.name;
    EXPECT_EQ(ini.programFolder, c.taken.programFolder) << c.name;
    EXPECT_EQ(ini.reserved, c.taken.reserved) << c.name;
    EXPECT_EQ(textOf(readFile(path, 4 << 20)), c.written ? *c.written : *c.file) << c.name;
    if (*c.note == '\0')
      EXPECT_EQ(note, "") << c.name;
    else
      EXPECT_NE(note.find(c.note), std::string::npos) << c.name << ": " << note;
  }

  // A file that cannot be read is not replaced either.
  fs::create_directories(dir_ / "KVN12.INI");
  std::string note;
  EXPECT_EQ(openHolderIni(dir_ / "KVN12.INI", fallback, true, note).holder, "/default");
  EXPECT_NE(note.find("left as it is"), std::string::npos) << note;
  EXPECT_TRUE(fs::is_directory(dir_ / "KVN12.INI"));
  EXPECT_EQ(formatHolderIni({"/a b", "/c", ""}), "/a b\n/c\n\n");
}

// ---- The holder chooser ------------------------------------------------------------

class HolderChooserTest : public HolderTest {
 protected:
  void SetUp() override {
    HolderTest::SetUp();
    from_ = dir_ / "old";
    to_ = dir_ / "new";
    fs::create_directories(from_);
    for (const char* name : kHolderFiles)
      writeRaw(from_ / name, bytesOf(std::string("of ") + name));
    writeRaw(from_ / "save1.dat", bytesOf("slot"));
    writeRaw(from_ / "save0.dat", bytesOf("undo"));
    writeRaw(dir_ / "KVN12.INI", bytesOf(formatHolderIni({from_.string(), "/prog", "rsv"})));
  }
  HolderChooser chooser() {
    return HolderChooser(parseHolderIni(textOf(readFile(dir_ / "KVN12.INI"))).ini,
                         dir_ / "KVN12.INI");
  }
  fs::path from_, to_;
};

TEST_F(HolderChooserTest, OkCopiesTheElevenFilesButNoSlotAndRewritesTheIni) {
  HolderChooser c = chooser();
  ASSERT_EQ(c.make(to_), "");
  EXPECT_EQ(c.selected(), fs::absolute(to_).lexically_normal());
  ASSERT_EQ(c.confirm(), "");
  for (const char* name : kHolderFiles)
    EXPECT_EQ(textOf(readFile(to_ / name)), std::string("of ") + name);
  EXPECT_FALSE(fs::exists(to_ / "save1.dat"));
  EXPECT_FALSE(fs::exists(to_ / "save0.dat"));
  EXPECT_EQ(textOf(readFile(dir_ / "KVN12.INI")),
            formatHolderIni({c.selected().string(), "/prog", "rsv"}));
  EXPECT_EQ(textOf(readFile(from_ / "option.dat")), "of option.dat")
      << "the old holder keeps its files";
}

// The copy follows a fixed order and stops at the first file it cannot write: the files
// before it are in the new holder, those after it are not, and KVN12.INI still names the
// old holder.
TEST_F(HolderChooserTest, AFailedCopyStopsInOrderAndKeepsTheOldIni) {
  const std::vector<std::string> order(std::begin(kHolderFiles), std::end(kHolderFiles));
  EXPECT_EQ(order,
            (std::vector<std::string>{"option.dat", "option1.dat", "option11.dat", "option2.dat",
                                      "option21.dat", "option3.dat", "option31.dat", "option4.dat",
                                      "option41.dat", "option5.dat", "option51.dat"}));
  const auto iniBefore = readFile(dir_ / "KVN12.INI");
  for (std::size_t blocked = 0; blocked < order.size(); ++blocked) {
    fs::remove_all(to_);
    fs::create_directories(to_ / order[blocked] / "in-the-way");
    HolderChooser c = chooser();
    ASSERT_TRUE(c.select(to_));
    EXPECT_NE(c.confirm(), "") << order[blocked];
    for (std::size_t i = 0; i < order.size(); ++i) {
      if (i == blocked) continue;
      EXPECT_EQ(fs::is_regular_file(to_ / order[i]), i < blocked)
          << "blocked " << order[blocked] << ", file " << order[i];
    }
    EXPECT_EQ(readFile(dir_ / "KVN12.INI"), iniBefore);
  }
}

TEST_F(HolderChooserTest, SelectingTheOldHolderOrANonFolderChangesNothing) {
  HolderChooser c = chooser();
  EXPECT_FALSE(c.select(from_ / "option.dat"));
  EXPECT_FALSE(c.select(dir_ / "nowhere"));
  ASSERT_TRUE(c.select(from_));
  EXPECT_EQ(c.confirm(), "");
  EXPECT_EQ(textOf(readFile(from_ / "option.dat")), "of option.dat");
  const auto files = c.files();
  EXPECT_NE(std::find(files.begin(), files.end(), "save1.dat"), files.end());
  EXPECT_NE(c.make(from_ / "option.dat" / "sub"), "");
}

// ---- Writes that fail --------------------------------------------------------------

TEST_F(HolderTest, AWriteThatRunsOutOfSpaceKeepsTheOldFileAndSaysWhy) {
  SavedGame game = newGame();
  game.state[gs::Gold] = 1;
  ASSERT_EQ(holder_.writeSlot(6, game), "");
  ASSERT_EQ(holder_.writeOptions({8, 10, 0, 3, 1, 0, 0, 0, 0, 0}), "");
  const auto slotBefore = readFile(dir_ / "save6.dat");
  const auto optionsBefore = readFile(dir_ / "option.dat");

  game.state[gs::Gold] = 2;
  std::string slotError, optionsError, rankingError;
  {
    DiskFullAfter full(4);
    slotError = holder_.writeSlot(6, game);
    optionsError = holder_.writeOptions({10, 12, 0, 1, 0, 1, 0, 0, 0, 0});
    rankingError = holder_.writeRanking(1, sampleRows(), gs::kSaveVersion);
  }
  EXPECT_NE(slotError, "");
  EXPECT_NE(optionsError, "");
  EXPECT_NE(rankingError, "");
  EXPECT_EQ(readFile(dir_ / "save6.dat"), slotBefore);
  EXPECT_EQ(readFile(dir_ / "option.dat"), optionsBefore);
  EXPECT_FALSE(fs::exists(dir_ / "option1.dat"));
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_NE(entry.path().extension(), ".tmp") << "no temporary file is left behind";
}

// A save that cannot be written says the system's reason for the call that failed: a
// holder that cannot be made is not reported as a missing file. The tests run as root,
// whom permissions do not stop, so the holders are placed where no one can write: below a
// file, and in /sys when there is one.
TEST_F(HolderTest, AFailedSaveSaysWhyInTheSystemsWords) {
  writeRaw(dir_ / "file", bytesOf("x"));
  std::vector<std::pair<fs::path, int>> cases = {{dir_ / "file" / "holder", ENOTDIR}};
  const fs::path sys = "/sys/kelvorn-holder";
  if (::mkdir(sys.c_str(), 0755) == 0)
    ::rmdir(sys.c_str());
  else if (errno != ENOENT)
    cases.emplace_back(sys / "savedat", errno);
  for (const auto& [folder, reason] : cases) {
    const std::string error = SaveHolder(folder).writeSlot(1, newGame());
    EXPECT_NE(error.find(std::strerror(reason)), std::string::npos) << error;
  }
}

TEST_F(RankingBoardTest, AFailedRankingSaveIsNoticedAndKeepsTheOldTable) {
  storeRanking(1);
  handOver(1, 2);
  const auto before = readFile(dir_ / "option1.dat");
  RankingBoard board(holder_);
  board.open();
  {
    DiskFullAfter full(4);
    board.enterName("Lost");
  }
  ASSERT_FALSE(board.notices.empty());
  EXPECT_NE(board.notices.front().find("The ranking was not saved"), std::string::npos);
  EXPECT_EQ(readFile(dir_ / "option1.dat"), before);
}

// ---- Autosaves ----------------------------------------------------------------------

SavedGame onFloor(int floor) {
  SavedGame game = newGame();
  game.state[gs::Floor] = game.state[gs::HighestFloor] = floor;
  return game;
}

// Three autosaves roll, the newest first; Continue takes the newest, and the save
// holder beside them is left as it was.
TEST_F(HolderTest, AutosavesKeepTheLastThreeNewestFirst) {
  ASSERT_EQ(holder_.writeSlot(1, onFloor(7)), "");
  const auto slotBefore = readFile(holder_.slotPath(1));
  const Autosaves autosaves(dir_ / "autosaves");
  EXPECT_FALSE(autosaves.newest());
  for (int floor = 1; floor <= 4; ++floor) ASSERT_EQ(autosaves.write(onFloor(floor)), "");
  for (int n = 1; n <= Autosaves::kCount; ++n)
    EXPECT_EQ(readSavedGame(autosaves.path(n)).game->state[gs::Floor], 5 - n);
  EXPECT_FALSE(fs::exists(autosaves.path(4)));
  ASSERT_TRUE(autosaves.newest());
  EXPECT_EQ(autosaves.newest()->file, autosaves.path(1));
  EXPECT_EQ(autosaves.newest()->summary.floor, 4);
  EXPECT_EQ(readFile(holder_.slotPath(1)), slotBefore);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// An autosave cut short loses none before it: a write that fails leaves all three as
// they were, and a rotation stopped half-way leaves every game readable, the new one
// offered first.
TEST_F(HolderTest, AnAutosaveCutShortLosesNothing) {
  const Autosaves autosaves(dir_);
  for (int floor = 1; floor <= 3; ++floor) ASSERT_EQ(autosaves.write(onFloor(floor)), "");
  std::vector<std::optional<std::vector<std::uint8_t>>> before;
  for (int n = 1; n <= 3; ++n) before.push_back(readFile(autosaves.path(n)));
  std::string error;
  {
    DiskFullAfter full(4);
    error = autosaves.write(onFloor(9));
  }
  EXPECT_NE(error, "");
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(readFile(autosaves.path(n)), before[n - 1]);
  EXPECT_EQ(autosaves.newest()->summary.floor, 3);

  // Cut after the new game was written and the oldest two moved down.
  ASSERT_EQ(writeSavedGame(dir_ / "autosave.new", onFloor(4)), "");
  fs::rename(autosaves.path(2), autosaves.path(3));
  fs::rename(autosaves.path(1), autosaves.path(2));
  EXPECT_EQ(autosaves.newest()->summary.floor, 4);
  ASSERT_EQ(autosaves.write(onFloor(5)), "");
  for (int n = 1; n <= 3; ++n)
    EXPECT_EQ(readSavedGame(autosaves.path(n)).game->state[gs::Floor], 6 - n);
}

// A kill in the middle of an autosave (here the file-size signal, not ignored) leaves
// its temporary file; the next autosave clears it, and no other file.
TEST_F(HolderTest, AnAutosaveClearsWhatAKilledOneLeft) {
  const Autosaves autosaves(dir_);
  ASSERT_EQ(autosaves.write(onFloor(1)), "");
  writeRaw(dir_ / "autosave.new.notes.tmp", bytesOf("not ours"));
  const pid_t child = fork();
  if (child == 0) {
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_DFL);
    autosaves.write(onFloor(2));
    std::_Exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
  auto temporaries = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.path().extension() == ".tmp") names.push_back(entry.path().filename().string());
    return names;
  };
  ASSERT_EQ(temporaries().size(), 2u);
  ASSERT_EQ(autosaves.write(onFloor(3)), "");
  EXPECT_EQ(temporaries(), std::vector<std::string>{"autosave.new.notes.tmp"});
  EXPECT_EQ(autosaves.newest()->summary.floor, 3);
}

}  // namespace
}  // namespace kelvorn::storage
