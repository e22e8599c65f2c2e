// Shortening the script of a finding: replays run in a child process each, so a replay
// that crashes (a sanitizer's stop, an abort) or hangs is an outcome like any other,
// and a crash can be shortened as well as a broken invariant.
#pragma once

#include <bitset>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvorn::soak {

// How a replay ended. Two outcomes are the same when the same invariant broke, whatever
// was seen when it did.
struct Outcome {
  enum Kind { Clean, Broken, Stopped, Hung } kind = Clean;
  std::string invariant;  // the invariant broken
  std::string detail;     // and what was seen
  bool operator==(const Outcome& o) const { return kind == o.kind && invariant == o.invariant; }
  std::string text() const;
};

// A kept game: start/ (the save holder before the first command), its Prologue option
// and the unknown codes its saves may bring in.
struct KeptGame {
  std::filesystem::path folder;
  bool prologue = false;
  std::bitset<256> loadable;
};

// Replays `lines` in a child process over a fresh copy of the kept game's holder; the
// lines the game accepted go to `record` as they are played.
Outcome replayApart(const KeptGame& game, const std::vector<std::string>& lines,
                    const std::filesystem::path& record);

// Leaves out stretches of commands, longest first, as long as the replay still ends
// in `target`, for at most `seconds`.
struct Shortened {
  std::vector<std::string> lines;  // the shortest script found, of accepted lines only
  Outcome outcome;                 // how it ends (Clean: not even the whole script did)
};
Shortened shrink(const KeptGame& game, const std::vector<std::string>& lines, const Outcome& target,
                 double seconds);

}  // namespace kelvorn::soak
