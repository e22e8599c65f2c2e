// The tune notation of assets/sound/*.tune: a header (file, title, tempo, meter) and
// parts, each written either note by note or as a chord chart that a named style turns
// into notes (arpeggios, pads, bass lines). The notation is described in
// assets/sound/README.md.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::soundgen {

class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string& file, int line, const std::string& what)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

// MIDI ticks per quarter note.
inline constexpr int kTicksPerQuarter = 480;
inline constexpr int kTicksPerWhole = 4 * kTicksPerQuarter;
inline constexpr int kDrumChannel = 9;

struct Note {
  int start = 0, length = 0;  // ticks
  int pitch = 60;             // MIDI key; drum parts use General MIDI percussion keys
  int velocity = 90;
};

struct Part {
  std::string name;
  bool drums = false;
  int channel = 0;
  int program = 0;  // General MIDI program 0..127
  int volume = 100, pan = 64, reverb = 40;
  int length = 0;  // ticks; every part of a tune has the tune's length
  std::vector<Note> notes;
};

struct Tune {
  std::string file;   // name of the MIDI file, e.g. "b_067xgw.mid"
  std::string title;  // what the tune is for
  int tempo = 120;    // quarter notes per minute
  int beats = 4, unit = 4;
  std::vector<Part> parts;

  int barTicks() const { return beats * kTicksPerWhole / unit; }
  int length() const { return parts.empty() ? 0 : parts.front().length; }
  double seconds() const { return length() * 60.0 / (tempo * double(kTicksPerQuarter)); }
};

// Parses one tune; `source` names the file in error messages.
Tune parseTune(std::string_view text, const std::string& source);

}  // namespace kelvorn::soundgen
