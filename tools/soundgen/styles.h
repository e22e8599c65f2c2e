// Chord charts: chord symbols ("Am", "G7", "F/C", "Dsus4") and the styles that turn a
// chord held for a span of time into notes for a harmony or bass part.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/soundgen/tune.h"

namespace kelvorn::soundgen {

struct Chord {
  int root = 0;                // pitch class, C = 0
  int bass = 0;                // pitch class of the lowest note (the root unless "/X")
  std::vector<int> intervals;  // semitones above the root, starting with 0
};

// Parses a chord symbol; nullopt when it is not one.
std::optional<Chord> parseChord(std::string_view symbol);

// Pitch class of a note letter with an optional '#' or 'b' ("F#", "Bb"); -1 if none.
int pitchClass(std::string_view name);

struct StyleContext {
  int octave = 4;     // harmony: notes lie from C of this octave upwards; bass: root octave
  int velocity = 80;  // of the notes, with a small accent on each bar's first note
  int beat = kTicksPerQuarter;
  int bar = kTicksPerWhole;
};

// True for the names `renderStyle` knows.
bool knownStyle(std::string_view style);

// Appends the notes of `chord` held from `start` for `length` ticks in `style`.
void renderStyle(std::string_view style, const Chord& chord, int start, int length,
                 const StyleContext& context, std::vector<Note>& out);

}  // namespace kelvorn::soundgen
