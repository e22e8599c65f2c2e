// All sound sources of a folder (effects.sfx and every *.tune) and writing the files
// the game plays: wav/NAME.wav for each effect and midi/FILE for each tune.
#pragma once

#include <string>
#include <vector>

#include "tools/soundgen/effect.h"
#include "tools/soundgen/tune.h"

namespace kelvorn::soundgen {

struct Sources {
  std::vector<Effect> effects;
  std::vector<Tune> tunes;  // in the order of their source file names
};

// Loads and checks every source; throws SourceError (or std::runtime_error for files
// that cannot be read, or two sources writing the same file).
Sources loadSources(const std::string& folder);

// Writes OUT/wav and OUT/midi; false (with a line on stderr) when a file cannot be written.
bool writeSounds(const Sources& sources, const std::string& out);

}  // namespace kelvorn::soundgen
