// kelvorn-soundgen: turns the readable sound sources of assets/sound into the files the
// game plays, the effects into WAV files and the tunes into MIDI files.
//
//   kelvorn-soundgen SOUND_DIR OUT_DIR            writes OUT_DIR/wav and OUT_DIR/midi
//   kelvorn-soundgen --list SOUND_DIR             prints every tune's length and parts
#include <cstdio>
#include <exception>
#include <string>

#include "tools/soundgen/sources.h"

using namespace kelvorn::soundgen;

namespace {

int list(const Sources& s) {
  for (const Effect& e : s.effects)
    std::printf("wav/%-14s %5.2f s  %zu voices\n", (e.name + ".wav").c_str(), e.length,
                e.voices.size());
  for (const Tune& t : s.tunes) {
    std::printf("midi/%-13s %5.1f s  %3d bars  %s\n", t.file.c_str(), t.seconds(),
                t.length() / t.barTicks(), t.title.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--list") return list(loadSources(argv[2]));
    if (argc == 3) return writeSounds(loadSources(argv[1]), argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: kelvorn-soundgen [--list] SOUND_DIR [OUT_DIR]\n");
    return 2;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvorn-soundgen: %s\n", e.what());
    return 1;
  }
}
