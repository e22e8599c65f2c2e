// The sound generator: the tune and effect notations, the MIDI and WAV writers, and the
// files the build wrote for the game, read back with independent readers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "rules/music.h"
#include "tools/soundgen/effect.h"
#include "tools/soundgen/midi.h"
#include "tools/soundgen/sources.h"
#include "tools/soundgen/styles.h"
#include "tools/soundgen/tune.h"

using namespace kelvorn;
using namespace kelvorn::soundgen;
namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t be(const Bytes& b, size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = v << 8 | b.at(at + size_t(i));
  return v;
}

std::uint32_t le(const Bytes& b, size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = v << 8 | b.at(at + size_t(i));
  return v;
}

// What a standard MIDI file holds, as far as the game cares.
struct MidiSummary {
  int format = -1, division = 0, tempos = 0;
  std::vector<int> trackEnds;  // tick of each track's end-of-track event
  int noteOns = 0, noteOffs = 0, programs = 0;
  std::set<int> channels;
};

// Reads a whole MIDI file; fails the test (and returns what it has) on malformed data.
MidiSummary readMidi(const Bytes& b) {
  MidiSummary m;
  if (b.size() < 14 || be(b, 0, 4) != 0x4d546864 || be(b, 4, 4) != 6) {
    ADD_FAILURE() << "no MThd header";
    return m;
  }
  m.format = int(be(b, 8, 2));
  const int tracks = int(be(b, 10, 2));
  m.division = int(be(b, 12, 2));
  size_t at = 14;
  for (int t = 0; t < tracks; ++t) {
    if (at + 8 > b.size() || be(b, at, 4) != 0x4d54726b) {
      ADD_FAILURE() << "track " << t << " has no MTrk header";
      return m;
    }
    const size_t end = at + 8 + be(b, at + 4, 4);
    at += 8;
    int tick = 0, status = 0;
    bool ended = false;
    while (at < end && !ended) {
      std::uint32_t delta = 0;
      for (std::uint8_t c = 0x80; c & 0x80;) c = b.at(at++), delta = delta << 7 | (c & 0x7f);
      tick += int(delta);
      if (b.at(at) & 0x80) status = b.at(at++);
      if (status == 0xff) {
        const int type = b.at(at++), length = b.at(at++);
        if (type == 0x51) ++m.tempos;
        if (type == 0x2f) ended = true, m.trackEnds.push_back(tick);
        at += size_t(length);
        continue;
      }
      const int kind = status & 0xf0;
      m.channels.insert(status & 0x0f);
      if (kind == 0xc0 || kind == 0xd0) {
        m.programs += kind == 0xc0;
        at += 1;
        continue;
      }
      const int velocity = b.at(at + 1);
      if (kind == 0x90 && velocity > 0) ++m.noteOns;
      if (kind == 0x80 || (kind == 0x90 && velocity == 0)) ++m.noteOffs;
      at += 2;
    }
    EXPECT_TRUE(ended && at == end) << "track " << t << " does not end with its chunk";
    at = end;
  }
  EXPECT_EQ(at, b.size()) << "bytes after the last track";
  return m;
}

struct WavSummary {
  int channels = 0, rate = 0, bits = 0;
  std::vector<std::int16_t> samples;
};

WavSummary readWav(const Bytes& b) {
  WavSummary w;
  if (b.size() < 44 || be(b, 0, 4) != 0x52494646 || be(b, 8, 4) != 0x57415645 ||
      le(b, 4, 4) + 8 != b.size() || be(b, 12, 4) != 0x666d7420 || le(b, 20, 2) != 1 ||
      be(b, 36, 4) != 0x64617461 || le(b, 40, 4) + 44 != b.size()) {
    ADD_FAILURE() << "not a plain PCM WAV file";
    return w;
  }
  w.channels = int(le(b, 22, 2));
  w.rate = int(le(b, 24, 4));
  w.bits = int(le(b, 34, 2));
  for (size_t at = 44; at + 1 < b.size(); at += 2)
    w.samples.push_back(std::int16_t(std::uint16_t(le(b, at, 2))));
  return w;
}

Tune tune(const std::string& text) { return parseTune(text, "test.tune"); }

const std::string kHeader = "file t.mid\ntempo 120\nmeter 4/4\n";

}  // namespace

TEST(TuneNotation, DurationsRepeatsAndBarLines) {
  const Tune t = tune(kHeader +
                      "part a program 73\n"
                      "  C4:4. D4:8 E4:2 | ( F#4:12 G4 A4 )x2 Bb4:4+8 r:8 | r:1 |\n");
  const Part& a = t.parts[0];
  ASSERT_EQ(a.notes.size(), 10u);
  EXPECT_EQ(a.notes[0].length, 720);  // dotted quarter
  EXPECT_EQ(a.notes[3].pitch, 66);    // F#4, sharp not read as a comment
  EXPECT_EQ(a.notes[3].length, 160);  // eighth-note triplet
  EXPECT_EQ(a.notes[6].pitch, 66);    // the repeat starts again
  EXPECT_EQ(a.notes[9].pitch, 70);
  EXPECT_EQ(a.notes[9].length, 720);  // a quarter tied to an eighth
  EXPECT_EQ(a.length, 3 * 1920);
  EXPECT_DOUBLE_EQ(t.seconds(), 6.0);
  // The octave carries over to the following notes; chords sound together.
  const Tune c = tune(kHeader + "part a\n  G3:2 A+C4:2 |\n");
  EXPECT_EQ(c.parts[0].notes[1].pitch, 57);
  EXPECT_EQ(c.parts[0].notes[2].pitch, 60);
  EXPECT_EQ(c.parts[0].notes[2].start, 960);
}

TEST(TuneNotation, MistakesAreReportedWithTheirLine) {
  auto error = [](const std::string& text) {
    try {
      tune(text);
    } catch (const SourceError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_NE(error(kHeader + "part a\n  C4:4 D4 E4 |\n").find("test.tune:5: bar holds 1440"),
            std::string::npos);
  EXPECT_NE(error(kHeader + "part a\n  C4:1 |\npart b\n  C4:1 | D4:1 |\n").find("not as long"),
            std::string::npos);
  EXPECT_NE(error(kHeader + "part a\n  C4:1 | D4:2\n").find("does not end on a bar line"),
            std::string::npos);
  EXPECT_NE(error(kHeader + "part a style arp8\n  | Hm |\n").find(":5: not a chord"),
            std::string::npos);
  EXPECT_NE(error(kHeader + "part a style swing\n").find("unknown style"), std::string::npos);
  EXPECT_NE(error(kHeader + "part a drums\n  cowbell:1 |\n").find("unknown drum"),
            std::string::npos);
  EXPECT_NE(error(kHeader + "part a\n  ( C4:1 |\n").find("without ')'"), std::string::npos);
  EXPECT_NE(error(kHeader + "part a\n  @verse\n").find("no chart named"), std::string::npos);
  EXPECT_NE(error("tempo 90\npart a\n  C4:1 |\n").find("file NAME.mid"), std::string::npos);
}

TEST(TuneNotation, ChordSymbols) {
  const Chord am = *parseChord("Am");
  EXPECT_EQ(am.root, 9);
  EXPECT_EQ(am.intervals, (std::vector<int>{0, 3, 7}));
  const Chord fs7 = *parseChord("F#m7");
  EXPECT_EQ(fs7.root, 6);
  EXPECT_EQ(fs7.intervals, (std::vector<int>{0, 3, 7, 10}));
  const Chord slash = *parseChord("Bbmaj7/D");
  EXPECT_EQ(slash.root, 10);
  EXPECT_EQ(slash.bass, 2);
  EXPECT_EQ(slash.intervals.back(), 11);
  for (const char* bad : {"", "H", "Cx", "C/", "C/Dbb", "cm"}) EXPECT_FALSE(parseChord(bad)) << bad;
}

TEST(TuneNotation, ChartsBecomeChordToneAccompaniment) {
  const Tune t = tune(
      "file t.mid\ntempo 120\nmeter 3/4\n"
      "chart main\n  | C | G7 - Am |\n"
      "part arp style arp8 octave 4\n  @main\n"
      "part waltz style afterbeat\n  @main\n"
      "part bass style downbeat octave 2\n  @main\n");
  const Part& arp = t.parts[0];
  ASSERT_EQ(arp.notes.size(), 12u);  // six eighths a bar
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(std::set<int>({60, 64, 67, 72}).count(arp.notes[size_t(i)].pitch));
  for (size_t i : {10u, 11u})  // the last beat belongs to Am
    EXPECT_TRUE(std::set<int>({60, 64, 69, 72}).count(arp.notes[i].pitch)) << i;
  EXPECT_EQ(arp.notes[6].pitch, 62);  // G7 from C4 upwards starts on its D
  for (const Note& n : t.parts[1].notes) EXPECT_NE(n.start % 1440, 0) << "no chord on beat one";
  const Part& bass = t.parts[2];
  ASSERT_EQ(bass.notes.size(), 3u);  // C, G7 (held over two beats), Am
  EXPECT_EQ(bass.notes[0].pitch, 36);
  EXPECT_EQ(bass.notes[1].pitch, 43);
  EXPECT_EQ(bass.notes[2].start, 1440 + 960);
  EXPECT_EQ(t.parts[1].length, t.parts[0].length);
}

TEST(MidiWriter, FormatOneWithATrackPerPartEndingTogether) {
  const Tune t = tune(kHeader +
                      "part melody program 73\n  C5:2 D5:2 | E5:1 |\n"
                      "part drums drums\n  kick:4 hat hat hat | kick:2 r:2 |\n"
                      "part bass program 33 style root octave 2\n  | C | G |\n");
  const MidiSummary m = readMidi(encodeMidi(t));
  EXPECT_EQ(m.format, 1);
  EXPECT_EQ(m.division, kTicksPerQuarter);
  EXPECT_EQ(m.tempos, 1);
  EXPECT_EQ(m.trackEnds, std::vector<int>(4, 2 * 1920));
  EXPECT_EQ(m.noteOns, 3 + 5 + 2);
  EXPECT_EQ(m.noteOffs, m.noteOns);
  EXPECT_EQ(m.programs, 2);  // no program change on the drum channel
  EXPECT_EQ(m.channels, (std::set<int>{0, 1, 9}));
}

TEST(EffectNotation, RendersToTheStatedLengthAndPeak) {
  const std::vector<Effect> effects = parseEffects(
      "# two voices\neffect ping length 0.25 peak 0.5\n"
      "voice bell from 880 len 0.2 decay 10\nvoice noise from 2000 to 500 at 0.1 len 0.3\n",
      "t.sfx");
  ASSERT_EQ(effects.size(), 1u);
  const std::vector<float> samples = renderEffect(effects[0]);
  ASSERT_EQ(samples.size(), size_t(0.25 * kSampleRate + 0.5));
  float peak = 0;
  for (float s : samples) peak = std::max(peak, std::abs(s));
  EXPECT_NEAR(peak, 0.5f, 1e-4);
  EXPECT_LT(std::abs(samples.back()), 0.01f);  // faded out, no click at the end
  const WavSummary w = readWav(encodeWav(samples));
  EXPECT_EQ(w.channels, 1);
  EXPECT_EQ(w.rate, kSampleRate);
  EXPECT_EQ(w.bits, 16);
  EXPECT_EQ(w.samples.size(), samples.size());
  EXPECT_THROW(parseEffects("effect x\nvoice saw from 100\n", "t.sfx"), SourceError);
  EXPECT_THROW(parseEffects("voice sine from 100\n", "t.sfx"), SourceError);
  EXPECT_THROW(parseEffects("effect x length 1\n", "t.sfx"), SourceError);
}

// The files the build wrote beside the programs, against the sources they came from.
class GeneratedSounds : public testing::Test {
 protected:
  static void SetUpTestSuite() { sources = new Sources(loadSources(KELVORN_SOUND_DIR)); }
  static void TearDownTestSuite() { delete sources; }
  static inline Sources* sources = nullptr;
  const fs::path bin{KELVORN_BIN_DIR};
};

TEST_F(GeneratedSounds, EveryTuneTheGameNamesExistsAndHasItsSourceLength) {
  std::map<std::string, const Tune*> byFile;
  for (const Tune& t : sources->tunes) byFile[t.file] = &t;
  std::vector<std::string> files{"b_014xgw.mid"};  // the ending's tune
  for (int track = 1; track <= 21; ++track)
    if (!trackFile(track).empty()) files.push_back(fs::path(trackFile(track)).filename().string());
  ASSERT_EQ(files.size(), 17u);
  EXPECT_EQ(byFile.size(), 17u) << "a tune the game never plays";
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(byFile.count(file)) << "no source writes it";
    const Tune& t = *byFile[file];
    const MidiSummary m = readMidi(readFile(bin / "midi" / file));
    EXPECT_EQ(m.format, 1);
    EXPECT_EQ(m.trackEnds, std::vector<int>(t.parts.size() + 1, t.length()));
    EXPECT_GT(m.noteOns, 50);
    EXPECT_GE(t.parts.size(), 3u) << "melody, harmony and bass at least";
    EXPECT_GT(t.seconds(), 15);
  }
}

TEST_F(GeneratedSounds, BandTunesLastLongEnoughBeforeTheyLoop) {
  for (int floor : {0, 1, 11, 21, 31, 41, 50}) {
    const std::string file = fs::path(trackFile(trackForFloor(floor))).filename().string();
    const auto t = std::find_if(sources->tunes.begin(), sources->tunes.end(),
                                [&](const Tune& x) { return x.file == file; });
    ASSERT_NE(t, sources->tunes.end()) << file;
    EXPECT_GE(t->seconds(), 45) << file;
  }
}

TEST_F(GeneratedSounds, EffectsAreShortDistinctAndNeitherSilentNorClipped) {
  const std::set<std::string> scene{"3f", "20f"};
  std::set<std::string> names;
  std::set<std::vector<std::int16_t>> seen;
  for (const Effect& e : sources->effects) {
    SCOPED_TRACE(e.name);
    names.insert(e.name);
    const WavSummary w = readWav(readFile(bin / "wav" / (e.name + ".wav")));
    EXPECT_EQ(w.samples.size(), size_t(e.samples()));
    EXPECT_LT(e.length, scene.count(e.name) ? 3.0 : 1.0);
    int peak = 0;
    for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32000);
    EXPECT_TRUE(seen.insert(w.samples).second) << "sounds like another effect";
  }
  EXPECT_EQ(names,
            (std::set<std::string>{"open", "get", "taisen", "zeno", "3f", "20f", "kai", "kai2"}));
}
