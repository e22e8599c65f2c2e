// Save and options files: the exact byte layout, the checks that decide whether a file
// may be loaded, and that no file content whatsoever can crash the readers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>

#include "storage/bytes.h"
#include "storage/files.h"
#include "storage/options_file.h"
#include "storage/save_file.h"
#include "tests/disk_full.h"

namespace kelvorn::storage {
namespace {

SavedGame sampleGame() {
  SavedGame g;
  for (int i = 0; i < kFloorStoreSize; ++i) g.floors.bytes()[i] = static_cast<std::uint8_t>(i * 7);
  for (int i = 0; i < gs::kSize; ++i) g.state[i] = i * 1000 - 50'000;
  g.state[gs::SaveVersion] = gs::kSaveVersion;
  g.state.extra = {0, 0, 2, 1, 0, 0, 12};
  stampChecksums(g.state);
  return g;
}

TEST(SaveFile, LayoutIsFloorsThenStateThenTrailingWords) {
  const SavedGame g = sampleGame();
  const auto bytes = encodeSave(g);
  ASSERT_EQ(bytes.size(), kSaveFileSize);
  EXPECT_EQ(bytes[0], g.floors.bytes()[0]);
  EXPECT_EQ(bytes[6272], g.floors.bytes()[6272]);
  EXPECT_EQ(readI32(bytes, 6273), g.state[0]);
  EXPECT_EQ(readI32(bytes, 6273 + 4 * 157), -4);
  EXPECT_EQ(readI32(bytes, 6929), plainSum(g.state));
  EXPECT_EQ(readI32(bytes, 6933), alternatingSum(g.state));
  EXPECT_EQ(readI32(bytes, 6937), 2);  // stairs marker
  EXPECT_EQ(readI32(bytes, 6941), 1);  // recall flag
  EXPECT_EQ(readI32(bytes, 6953), 12);
  // Little-endian: -50000 is 0xFFFF3CB0.
  EXPECT_EQ(bytes[6273], 0xB0);
  EXPECT_EQ(bytes[6276], 0xFF);
}

TEST(SaveFile, RoundTripsExactly) {
  const SavedGame g = sampleGame();
  const auto decoded = decodeSave(encodeSave(g));
  ASSERT_TRUE(decoded);
  EXPECT_TRUE(decoded->valid);
  EXPECT_EQ(decoded->game.floors, g.floors);
  EXPECT_EQ(decoded->game.state, g.state);
}

TEST(SaveFile, ChecksumsGuardEveryStateValue) {
  const auto good = encodeSave(sampleGame());
  auto stateWord = [](int i) { return 6273u + 4u * static_cast<unsigned>(i); };

  auto plusOne = good;
  plusOne[stateWord(40)] += 1;
  EXPECT_FALSE(decodeSave(plusOne)->valid);

  // Swapping an even-indexed and an odd-indexed value keeps the plain sum but not the
  // alternating one; swapping two of equal parity passes both.
  auto swapWords = [&](int a, int b) {
    auto bytes = good;
    for (int k = 0; k < 4; ++k) std::swap(bytes[stateWord(a) + k], bytes[stateWord(b) + k]);
    return bytes;
  };
  EXPECT_FALSE(decodeSave(swapWords(2, 3))->valid);
  EXPECT_TRUE(decodeSave(swapWords(2, 4))->valid);

  auto floorsChanged = good;
  floorsChanged[100] ^= 0xff;  // floors are not covered by the sums
  EXPECT_TRUE(decodeSave(floorsChanged)->valid);
}

TEST(SaveFile, RejectsWrongVersionEvenWithMatchingSums) {
  SavedGame g = sampleGame();
  g.state[gs::SaveVersion] = -3;
  stampChecksums(g.state);
  EXPECT_FALSE(decodeSave(encodeSave(g))->valid);
}

TEST(SaveFile, ShortFilesCannotBeReadAndLongOnesAreNeverValid) {
  auto bytes = encodeSave(sampleGame());
  EXPECT_FALSE(decodeSave(std::span(bytes).first(kSaveFileSize - 1)));
  EXPECT_FALSE(decodeSave({}));
  bytes.push_back(0);
  const auto longer = decodeSave(bytes);
  ASSERT_TRUE(longer);
  EXPECT_FALSE(longer->valid);
}

TEST(SaveFile, RandomContentNeverCrashesTheReaderOrTheGame) {
  std::mt19937 rng(12345);
  Game game;
  game.startUp(std::nullopt);
  for (int round = 0; round < 200; ++round) {
    std::vector<std::uint8_t> bytes(round % 3 == 0 ? kSaveFileSize : rng() % 8000);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    if (round % 2 == 0 && bytes.size() == kSaveFileSize) {
      // Make the checks pass so the game's own range checks are exercised.
      auto d = decodeSave(bytes);
      d->game.state[gs::SaveVersion] = gs::kSaveVersion;
      stampChecksums(d->game.state);
      bytes = encodeSave(d->game);
    }
    const auto decoded = decodeSave(bytes);
    game.loadGame(decoded ? std::optional(decoded->game) : std::nullopt, decoded && decoded->valid);
    game.dialogs.notice.reset();
    game.advance(1000);
  }
  SUCCEED();
}

TEST(OptionsFile, NeedsTenBytesAndIgnoresTheRest) {
  const std::vector<std::uint8_t> nine(9, 1);
  EXPECT_FALSE(decodeOptions(nine));
  const std::vector<std::uint8_t> eleven{8, 10, 0, 3, 1, 0, 1, 1, 0, 0, 99};
  const auto block = decodeOptions(eleven);
  ASSERT_TRUE(block);
  EXPECT_EQ((*block)[opt::Speed], 3);
  EXPECT_EQ((*block)[9], 0);
}

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kelvorn-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(FilesTest, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
  std::string error;
  const std::vector<std::uint8_t> first{1, 2, 3}, second{9};
  ASSERT_TRUE(writeFileAtomic(dir_ / "a.dat", first, error)) << error;
  ASSERT_TRUE(writeFileAtomic(dir_ / "a.dat", second, error)) << error;
  EXPECT_EQ(readFile(dir_ / "a.dat"), second);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "a.dat.tmp"));
}

// A write that fails gives the system's reason for the call that failed, keeps the old
// file and leaves no temporary file behind.
TEST_F(FilesTest, FailedWriteKeepsTheOldFileAndSaysWhy) {
  std::string error;
  ASSERT_TRUE(writeFileAtomic(dir_ / "file", std::vector<std::uint8_t>{1}, error)) << error;
  ASSERT_TRUE(writeFileAtomic(dir_ / "old.dat", std::vector<std::uint8_t>{1}, error)) << error;
  // A folder in the way of the rename.
  std::filesystem::create_directories(dir_ / "b.dat" / "inside");
  const struct {
    std::filesystem::path target;
    std::size_t size;
    int reason;
  } cases[] = {{dir_ / "missing-folder" / "a.dat", 1, ENOENT},
               {dir_ / "file" / "a.dat", 1, ENOTDIR},
               {dir_ / "b.dat", 1, EISDIR},
               {dir_ / "old.dat", 100, EFBIG}};
  for (const auto& c : cases) {
    bool written = true;
    {
      kelvorn::testing::DiskFullAfter full(8);
      written = writeFileAtomic(c.target, std::vector<std::uint8_t>(c.size, 2), error);
    }
    EXPECT_FALSE(written) << c.target;
    EXPECT_NE(error.find(std::strerror(c.reason)), std::string::npos) << error;
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "b.dat"));
  EXPECT_EQ(readFile(dir_ / "old.dat"), std::vector<std::uint8_t>{1});
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"b.dat", "file", "old.dat"}));
}

// Links planted where a write could put its temporary file (the old fixed name, names a
// guess could give) or at the target itself are never written through: the file they
// point to stays as it was, and so do they.
TEST_F(FilesTest, AWriteNeverFollowsALinkPlantedBesideIt) {
  namespace fs = std::filesystem;
  const std::vector<std::uint8_t> victimBytes{7, 7, 7}, saved{1, 2, 3};
  std::string error;
  ASSERT_TRUE(writeFileAtomic(dir_ / "victim", victimBytes, error)) << error;
  const std::string pid = std::to_string(::getpid());
  const std::vector<std::string> planted = {
      "a.dat.tmp",  "a.dat." + pid + ".tmp",      "a.dat.tmp." + pid,
      ".a.dat.tmp", "a.dat.0000000000000000.tmp", "a.dat"};
  for (const std::string& name : planted) fs::create_symlink(dir_ / "victim", dir_ / name);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(writeFileAtomic(dir_ / "a.dat", saved, error)) << error;
  EXPECT_EQ(readFile(dir_ / "victim"), victimBytes);
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "a.dat")));
  EXPECT_EQ(readFile(dir_ / "a.dat"), saved);
  for (std::size_t i = 0; i + 1 < planted.size(); ++i)
    EXPECT_TRUE(fs::is_symlink(dir_ / planted[i])) << planted[i];
}

TEST_F(FilesTest, ReadingMissingFoldersAndOversizedFilesGivesNothing) {
  EXPECT_FALSE(readFile(dir_ / "none.dat"));
  EXPECT_FALSE(readFile(dir_));
  std::string error;
  ASSERT_TRUE(writeFileAtomic(dir_ / "big.dat", std::vector<std::uint8_t>(100, 0), error));
  EXPECT_FALSE(readFile(dir_ / "big.dat", 99));
  EXPECT_TRUE(readFile(dir_ / "big.dat", 100));
}

}  // namespace
}  // namespace kelvorn::storage
