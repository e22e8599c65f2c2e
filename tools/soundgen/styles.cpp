#include "tools/soundgen/styles.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kelvorn::soundgen {

namespace {

struct Quality {
  std::string_view suffix;
  std::vector<int> intervals;
};

// Longest suffixes first, so "maj7" is not read as "m" followed by junk.
const std::array<Quality, 13>& qualities() {
  static const std::array<Quality, 13> q{{
      {"maj7", {0, 4, 7, 11}},
      {"add9", {0, 4, 7, 14}},
      {"sus4", {0, 5, 7}},
      {"sus2", {0, 2, 7}},
      {"dim", {0, 3, 6}},
      {"aug", {0, 4, 8}},
      {"m7", {0, 3, 7, 10}},
      {"m6", {0, 3, 7, 9}},
      {"m9", {0, 3, 7, 14}},
      {"7", {0, 4, 7, 10}},
      {"6", {0, 4, 7, 9}},
      {"m", {0, 3, 7}},
      {"", {0, 4, 7}},
  }};
  return q;
}

// The chord's notes in close position from C of `octave` upwards (so each chord takes
// the inversion that lies nearest, and the voices move little from chord to chord).
std::vector<int> voicing(const Chord& chord, int octave) {
  std::vector<int> keys;
  const int base = 12 * (octave + 1);
  for (int i : chord.intervals) keys.push_back(base + (chord.root + i) % 12 + (i >= 12 ? 12 : 0));
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

int bassKey(const Chord& chord, int octave) { return 12 * (octave + 1) + chord.bass; }

int fifthAbove(const Chord& chord, int octave) {
  const int fifth = chord.intervals.size() > 2 ? chord.intervals[2] : 7;
  return bassKey(chord, octave) + ((chord.root + fifth - chord.bass) % 12 + 12) % 12;
}

void add(std::vector<Note>& out, int start, int length, int key, int velocity) {
  out.push_back({start, length, key, std::clamp(velocity, 1, 127)});
}

// One note every `step` ticks across the span, each chosen by `pick(index)`.
template <typename Pick>
void steps(std::vector<Note>& out, int start, int length, int step, int gate, int velocity, int bar,
           Pick pick) {
  for (int t = 0, i = 0; t < length; t += step, ++i) {
    const int accent = (start + t) % bar == 0 ? 8 : 0;
    add(out, start + t, std::min(step, length - t) * gate / 100, pick(i), velocity + accent);
  }
}

}  // namespace

int pitchClass(std::string_view name) {
  static constexpr std::array<int, 7> kLetters{9, 11, 0, 2, 4, 5, 7};  // A..G
  if (name.empty() || name[0] < 'A' || name[0] > 'G') return -1;
  int pc = kLetters[name[0] - 'A'];
  if (name.size() > 1 && name[1] == '#') pc += 1;
  if (name.size() > 1 && name[1] == 'b') pc += 11;
  return pc % 12;
}

std::optional<Chord> parseChord(std::string_view symbol) {
  std::string_view bassName;
  const auto slash = symbol.find('/');
  if (slash != std::string_view::npos) {
    bassName = symbol.substr(slash + 1);
    symbol = symbol.substr(0, slash);
    if (bassName.empty()) return std::nullopt;
  }
  Chord chord;
  chord.root = pitchClass(symbol);
  if (chord.root < 0) return std::nullopt;
  const size_t nameLength = symbol.size() > 1 && (symbol[1] == '#' || symbol[1] == 'b') ? 2 : 1;
  const std::string_view suffix = symbol.substr(nameLength);
  const auto q = std::find_if(qualities().begin(), qualities().end(),
                              [&](const Quality& x) { return x.suffix == suffix; });
  if (q == qualities().end()) return std::nullopt;
  chord.intervals = q->intervals;
  chord.bass = chord.root;
  if (!bassName.empty()) {
    chord.bass = pitchClass(bassName);
    const size_t bassLength =
        bassName.size() > 1 && (bassName[1] == '#' || bassName[1] == 'b') ? 2 : 1;
    if (chord.bass < 0 || bassName.size() != bassLength) return std::nullopt;
  }
  return chord;
}

bool knownStyle(std::string_view style) {
  for (std::string_view s : {"pad", "arp8", "arp12", "arp16", "pulse8", "beats", "afterbeat",
                             "root", "root4", "root8", "rootfifth", "walk", "downbeat"})
    if (s == style) return true;
  return false;
}

void renderStyle(std::string_view style, const Chord& chord, int start, int length,
                 const StyleContext& c, std::vector<Note>& out) {
  const std::vector<int> keys = voicing(chord, c.octave);
  const int bass = bassKey(chord, c.octave);
  const int v = c.velocity;
  if (style == "pad") {
    for (int k : keys) add(out, start, length, k, v);
  } else if (style == "arp8" || style == "arp12" || style == "arp16") {
    // Up and down through the chord with the lowest note an octave up on top.
    std::vector<int> cycle = keys;
    cycle.push_back(keys.front() + 12);
    for (int i = int(keys.size()) - 1; i > 0; --i) cycle.push_back(keys[i]);
    const int step = style == "arp8" ? c.beat / 2 : style == "arp12" ? c.beat / 3 : c.beat / 4;
    steps(out, start, length, step, 95, v, c.bar, [&](int i) { return cycle[i % cycle.size()]; });
  } else if (style == "pulse8" || style == "beats") {
    const int step = style == "pulse8" ? c.beat / 2 : c.beat;
    for (int k : keys) steps(out, start, length, step, 70, v, c.bar, [&](int) { return k; });
  } else if (style == "afterbeat") {
    // Chords on every beat but the first of each bar: the "pah pah" of a waltz.
    for (int t = 0; t < length; t += c.beat)
      if ((start + t) % c.bar != 0)
        for (int k : keys) add(out, start + t, std::min(c.beat, length - t) * 70 / 100, k, v);
  } else if (style == "root") {
    add(out, start, length, bass, v);
  } else if (style == "root4" || style == "root8") {
    const int step = style == "root4" ? c.beat : c.beat / 2;
    steps(out, start, length, step, 85, v, c.bar, [&](int) { return bass; });
  } else if (style == "rootfifth") {
    const int fifth = fifthAbove(chord, c.octave);
    steps(out, start, length, c.beat, 90, v, c.bar, [&](int i) { return i % 2 ? fifth : bass; });
  } else if (style == "walk") {
    const int fifth = fifthAbove(chord, c.octave);
    const std::array<int, 4> line{bass, fifth, bass + 12, fifth};
    steps(out, start, length, c.beat, 90, v, c.bar, [&](int i) { return line[i % 4]; });
  } else if (style == "downbeat") {
    add(out, start, std::min(length, c.beat * 2), bass, v);
  }
}

}  // namespace kelvorn::soundgen
