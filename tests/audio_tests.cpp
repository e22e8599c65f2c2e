// The player on SDL's disk audio driver, which writes every mixed sample to a file in
// real time, so what the game would have sounded like can be read back and checked.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/player.h"
#include "tools/soundgen/midi.h"
#include "tools/soundgen/tune.h"

using kelvorn::audio::Player;
namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;  // the player opens 44.1 kHz, 16-bit stereo

// A fresh folder per test, with the disk driver writing into it.
class DiskAudio : public testing::Test {
 protected:
  void SetUp() override {
    folder =
        fs::temp_directory_path() / ("kelvorn-audio-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder / "midi");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", (folder / "out.raw").c_str(), 1);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Waits `ms` while the window loop would be polling; returns how often music restarted.
  static int run(Player& player, int ms) {
    int restarts = 0;
    for (const Uint32 end = SDL_GetTicks() + Uint32(ms); SDL_GetTicks() < end; SDL_Delay(5))
      restarts += player.poll();
    return restarts;
  }

  // Mono frames of what was played (call after the player is gone, so the file is whole).
  std::vector<int> frames() const {
    std::ifstream in(folder / "out.raw", std::ios::binary);
    const std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<int> out;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
      const auto sample = [&](size_t at) {
        return int(std::int16_t(
            std::uint16_t(std::uint8_t(bytes[at]) | std::uint8_t(bytes[at + 1]) << 8)));
      };
      out.push_back((sample(i) + sample(i + 2)) / 2);
    }
    return out;
  }

  // Loudness of a stretch of time, in seconds.
  static double rms(const std::vector<int>& f, double from, double to) {
    const size_t a = std::min(f.size(), size_t(from * kRate)),
                 b = std::min(f.size(), size_t(to * kRate));
    double sum = 0;
    for (size_t i = a; i < b; ++i) sum += double(f[i]) * f[i];
    return b > a ? std::sqrt(sum / double(b - a)) : 0;
  }

  // A one-bar tune of one second: a loud chord that stops before the bar line.
  void writeShortTune(const std::string& file) const {
    const kelvorn::soundgen::Tune tune = kelvorn::soundgen::parseTune(
        "file x.mid\ntempo 240\nmeter 4/4\npart organ program 19 velocity 120\n"
        "  C4+E4+G4:2. r:4 |\n",
        "short.tune");
    const std::vector<std::uint8_t> bytes = kelvorn::soundgen::encodeMidi(tune);
    std::ofstream(folder / file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }

  fs::path folder;
};

TEST_F(DiskAudio, EffectsAndATunePlayAudiblyWithoutClipping) {
  {
    Player player(KELVORN_BIN_DIR);
    ASSERT_TRUE(player.available());
    player.playEffect(3);  // a battle blow, preloaded
    run(player, 400);
    player.playEffect(9);  // the stairs, loaded on demand
    run(player, 800);
    player.playMusic(5);  // floors 1 to 10
    EXPECT_TRUE(player.musicPlaying());
    run(player, 2500);
  }
  const std::vector<int> f = frames();
  ASSERT_GT(f.size(), size_t(3.5 * kRate));
  EXPECT_GT(rms(f, 0.0, 0.25), 1000) << "the blow";
  EXPECT_GT(rms(f, 0.4, 0.9), 1000) << "the stairs";
  EXPECT_GT(rms(f, 1.6, 3.6), 500) << "the tune";
  const int peak =
      *std::max_element(f.begin(), f.end(), [](int a, int b) { return std::abs(a) < std::abs(b); });
  EXPECT_LT(std::abs(peak), 32000);
}

TEST_F(DiskAudio, MusicLoopsWithoutAGapUntilStoppedOrChanged) {
  writeShortTune("midi/a_046xgw.mid");  // the death tune
  {
    Player player(folder);
    ASSERT_TRUE(player.available());
    player.playMusic(14);
    EXPECT_EQ(run(player, 2600), 0) << "the loop needs no restart";
    EXPECT_TRUE(player.musicPlaying());
    // A track without a file replays the file set last.
    player.playMusic(0);
    EXPECT_TRUE(player.musicPlaying());
    // A change never counts as an ending, and after a stop nothing starts again.
    player.playMusic(14);
    player.closeMusic();
    EXPECT_EQ(run(player, 1500), 0);
    EXPECT_FALSE(player.musicPlaying());
  }
  const std::vector<int> f = frames();
  // Each second the chord sounds for three quarters and rests for the last one, counted
  // from its first sound (loading the synthesiser takes a moment).
  const auto onset = std::find_if(f.begin(), f.end(), [](int s) { return std::abs(s) > 2000; });
  ASSERT_NE(onset, f.end());
  const double start = double(onset - f.begin()) / kRate;
  for (int second = 0; second < 2; ++second) {
    const double at = start + second;
    EXPECT_GT(rms(f, at + 0.05, at + 0.6), 1000) << "the chord of loop " << second;
    EXPECT_LT(rms(f, at + 0.9, at + 0.98), rms(f, at + 0.05, at + 0.6) / 4) << "its rest";
    EXPECT_GT(rms(f, at + 1.0, at + 1.1), 1000) << "no gap before loop " << second + 1;
  }
  EXPECT_LT(rms(f, f.size() / double(kRate) - 0.8, f.size() / double(kRate)), 50)
      << "silence after the stop";
}

// The two volume sliders act apart: effects silenced leave the music playing, and the
// music silenced leaves nothing.
TEST_F(DiskAudio, MusicAndEffectsVolumesActApart) {
  writeShortTune("midi/a_046xgw.mid");
  fs::create_directories(folder / "wav");
  fs::copy_file(fs::path(KELVORN_BIN_DIR) / "wav" / "taisen.wav", folder / "wav" / "taisen.wav");
  {
    Player player(folder);
    ASSERT_TRUE(player.available());
    player.setVolumes(100, 0);
    player.playEffect(3);
    run(player, 400);
    player.playMusic(14);
    run(player, 1600);
    player.setVolumes(0, 100);
    run(player, 1000);  // long enough for the disk driver's queued frames to drain under load
  }
  const std::vector<int> f = frames();
  EXPECT_LT(rms(f, 0.0, 0.35), 50) << "the blow, its volume at 0";
  EXPECT_GT(rms(f, 0.6, 1.9), 500) << "the tune, its volume at 100";
  EXPECT_LT(rms(f, f.size() / double(kRate) - 0.2, f.size() / double(kRate)), 50)
      << "the tune, its volume at 0";
}

TEST_F(DiskAudio, MissingFilesAreSkippedSilently) {
  testing::internal::CaptureStderr();
  {
    Player player(folder);  // no wav files, no tunes
    ASSERT_TRUE(player.available());
    for (int n = 0; n <= 11; ++n) player.playEffect(n);
    player.playMusic(5);
    player.playMusicFile("midi/b_014xgw.mid");
    EXPECT_FALSE(player.musicPlaying());
    EXPECT_EQ(run(player, 300), 0);
  }
  // Nothing of ours; SDL announces its disk driver, which the game never uses.
  EXPECT_EQ(testing::internal::GetCapturedStderr().find("kelvorn:"), std::string::npos);
  const std::vector<int> f = frames();
  EXPECT_LT(rms(f, 0, 0.3), 1);
}

TEST(NoSoundDevice, OneLineOnStderrThenEverythingIsANoOp) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  testing::internal::CaptureStderr();
  {
    Player player(KELVORN_BIN_DIR);
    EXPECT_FALSE(player.available());
    player.reloadEffects();
    player.playEffect(1);
    player.playEffect(7);
    player.playMusic(5);
    EXPECT_FALSE(player.poll());
    EXPECT_FALSE(player.musicPlaying());
    player.closeMusic();
  }
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_EQ(err.rfind("kelvorn: no sound", 0), 0u) << err;
}

}  // namespace
