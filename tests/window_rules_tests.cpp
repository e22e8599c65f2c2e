// The window's rules that need no window: where the picture goes in a screen of any
// size, what a key means after the player rebinds it, what the Save and Load menus
// say about a slot, how a damage figure is shortened to fit under a tile, and how a
// replay file is read.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "commands/script_reader.h"
#include "ui/damage_figures.h"
#include "ui/key_bindings.h"
#include "ui/replay_player.h"
#include "ui/scaling.h"
#include "ui/slot_label.h"

namespace kelvorn::ui {
namespace {

TEST(Scaling, WholeNumbersWithBarsUnlessTheyWouldLeaveTooMuchEmpty) {
  struct Case {
    int outW, outH, picW, picH;
    Rect place;
    int whole;
  } cases[] = {
      {640, 443, 640, 443, {0, 0, 640, 443}, 1},          // the window as opened
      {1920, 1080, 640, 443, {320, 97, 1280, 886}, 2},    // small set, full HD
      {3840, 2160, 800, 549, {720, 256, 2400, 1647}, 3},  // large set, 4K
      {1920, 1080, 800, 549, {173, 0, 1574, 1080}, 0},    // 1 of 1.97: smooth
      {1024, 768, 640, 443, {0, 29, 1024, 709}, 0},       // 1 of 1.6: smooth
      {500, 300, 640, 443, {33, 0, 433, 300}, 0},         // smaller than the picture
  };
  for (const Case& c : cases) {
    const PictureFit fit = fitPicture(c.outW, c.outH, c.picW, c.picH);
    EXPECT_EQ(fit.place, c.place) << c.outW << " x " << c.outH;
    EXPECT_EQ(fit.wholeScale, c.whole) << c.outW << " x " << c.outH;
    EXPECT_EQ(fit.smooth, c.whole == 0) << c.outW << " x " << c.outH;
  }
  // The pointer on the picture finds the picture's pixel; on a bar it falls outside.
  const PictureFit fit = fitPicture(1920, 1080, 640, 443);
  const PicturePoint p = toPicture(fit, 320 + 2 * 100 + 1, 97 + 2 * 50, 640, 443);
  EXPECT_FLOAT_EQ(p.x, 100.5f);
  EXPECT_FLOAT_EQ(p.y, 50);
  EXPECT_LT(toPicture(fit, 10, 500, 640, 443).x, 0);
}

class KeyBindingsTest : public ::testing::Test {
 protected:
  // Key names come from SDL's keyboard tables, which need the video subsystem.
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
  }
  static void TearDownTestSuite() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
};

TEST_F(KeyBindingsTest, BoundKeysTakeTheirActionsMeaningAndUnboundArrowsMeanNothing) {
  KeyBindings keys;
  struct Case {
    SDL_Keycode pressed, meaning;
  } defaults[] = {{SDLK_w, SDLK_UP},          {SDLK_KP_4, SDLK_LEFT}, {SDLK_d, SDLK_RIGHT},
                  {SDLK_KP_2, SDLK_DOWN},     {SDLK_UP, SDLK_UP},     {SDLK_KP_ENTER, SDLK_RETURN},
                  {SDLK_ESCAPE, SDLK_ESCAPE}, {SDLK_TAB, SDLK_TAB},   {SDLK_y, SDLK_y}};
  for (const Case& c : defaults) EXPECT_EQ(keys.translate(c.pressed), c.meaning) << c.pressed;

  // W moves from walking up to walking down, in place of the down arrow.
  ASSERT_TRUE(keys.bind(Action::Down, 0, SDLK_w));
  EXPECT_EQ(keys.translate(SDLK_w), SDLK_DOWN);
  EXPECT_EQ(keys.translate(SDLK_DOWN), SDLK_UNKNOWN) << "an arrow bound to nothing";
  EXPECT_EQ(keys.names(Action::Up), "Up, Keypad 8");
  EXPECT_EQ(keys.names(Action::Down), "W, S, Keypad 2");
  EXPECT_FALSE(keys.bind(Action::Up, 1, SDLK_F2)) << "the window's own keys are kept";
  EXPECT_EQ(keys.translate(SDLK_F2), SDLK_F2);
  // An action keeps its last key.
  EXPECT_TRUE(keys.clear(Action::Cancel, 0) == false);
  EXPECT_TRUE(keys.clear(Action::Up, 0));
  EXPECT_FALSE(keys.clear(Action::Up, 2));
  EXPECT_EQ(keys.names(Action::Up), "Keypad 8");
}

TEST_F(KeyBindingsTest, BindingsSurviveTheSettingsFileAndADamagedOneChangesNothing) {
  const auto path = std::filesystem::temp_directory_path() / "kelvorn-keys-settings.ini";
  KeyBindings keys;
  keys.bind(Action::Confirm, 2, SDLK_SPACE);
  keys.bind(Action::Left, 1, SDLK_j);
  storage::SettingsFile file(path);
  keys.store(file);
  KeyBindings read;
  read.load(file);
  for (int a = 0; a < kActions; ++a) EXPECT_EQ(read.names(Action(a)), keys.names(Action(a))) << a;

  // Only some actions in the file: the others keep their defaults, except for keys the
  // file gives elsewhere; unknown and reserved names are dropped.
  storage::SettingsFile partial(path);
  partial.setText("key.cancel.1", "W");
  partial.setText("key.cancel.2", "No Such Key");
  partial.setText("key.cancel.3", "F1");
  read = KeyBindings();
  read.load(partial);
  EXPECT_EQ(read.names(Action::Cancel), "W");
  EXPECT_EQ(read.names(Action::Up), "Up, Keypad 8");

  // A file that would leave an action without keys is not trusted at all.
  storage::SettingsFile broken(path);
  for (const char* slot : {"key.up.1", "key.up.2", "key.up.3"}) broken.setText(slot, "none");
  read.load(broken);
  EXPECT_EQ(read.names(Action::Cancel), "W") << "what was in force stays";
  EXPECT_EQ(read.names(Action::Up), "Up, Keypad 8");
}

TEST(SlotLabel, FloorLifeAndDateOrWhyNot) {
  setenv("TZ", "UTC", 1);
  tzset();
  storage::SlotSummary usable{true, true, 12, 4321, std::time_t(1714572180)};  // 2024-05-01 14:03
  storage::SlotSummary undated = usable;
  undated.written.reset();
  const std::pair<storage::SlotSummary, const char*> cases[] = {
      {usable, "Floor 12  Life 4321  2024-05-01 14:03"},
      {undated, "Floor 12  Life 4321"},
      {{true, false, 0, 0, std::time_t(0)}, "cannot be loaded"},
      {{}, "empty"},
  };
  for (const auto& [slot, text] : cases) EXPECT_EQ(slotDetails(slot), text);
}

// Figures stay within four characters, so one fits under a tile in either layout.
TEST(DamageFigures, CompactFigures) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0"},          {9999, "9999"},      {10000, "10k"},
      {999999, "999k"},  {1000000, "1.0M"},   {1290000, "1.2M"},
      {12345678, "12M"}, {999999999, "999M"}, {4200000000, "4.2G"},
      {-5, "0"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(compactFigure(n), text) << n;
}

class ReplayFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (std::string("kelvorn-replay-") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }
  std::filesystem::path folder_;
};

// Lines of nothing but whitespace, of any kind, are blank; any whitespace parts words.
TEST_F(ReplayFileTest, LinesOfWhitespaceAreBlank) {
  std::string error;
  auto player = ReplayPlayer::open(
      write("r.txt", "\v\n\f\n\r\r\n \t\v\f\r\ntick\v5\f\nup\n\f# note\nclick\vok\r\n"), error);
  ASSERT_TRUE(player) << error;
  int advanced = 0;
  std::vector<std::string> commands;
  EXPECT_FALSE(player->play(
      100, [&](int ms) { advanced += ms; },
      [&](const std::string& c) { return commands.push_back(c), true; }));
  EXPECT_EQ(advanced, 5);
  EXPECT_EQ(commands, (std::vector<std::string>{"up", "click\vok"}));
}

// A replay that is no file, or passes a limit, is refused with the reason.
TEST_F(ReplayFileTest, UnusableFilesAndLimitsAreRefused) {
  std::filesystem::create_directories(folder_ / "folder.txt");
  std::filesystem::resize_file(write("huge.txt", ""), commands::kScriptFileLimit + 1);
  std::string manyLines;
  for (long i = 0; i <= commands::kRunLineLimit; ++i) manyLines += "up\n";
  const std::pair<std::filesystem::path, const char*> cases[] = {
      {folder_ / "folder.txt", "is not a file"},
      {"/dev/zero", "is not a file"},
      {folder_ / "none.txt", "No such file"},
      {folder_ / "huge.txt", "larger than the limit"},
      {write("long.txt", "up\n" + std::string(commands::kLineLimit + 1, 'x')),
       "line 2: longer than the limit"},
      {write("many.txt", manyLines), "line 1000001: the run has read its limit"},
      {write("tick.txt", "tick\vsoon\n"), "line 1: a tick needs a number"},
  };
  for (const auto& [file, reason] : cases) {
    std::string error;
    EXPECT_FALSE(ReplayPlayer::open(file, error)) << file;
    EXPECT_NE(error.find(reason), std::string::npos) << file << " -> " << error;
  }
}

}  // namespace
}  // namespace kelvorn::ui
