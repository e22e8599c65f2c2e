// Standard MIDI files (format 1): a conductor track with tempo and meter, then one
// track per part with its program, volume, pan, reverb and notes.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/soundgen/tune.h"

namespace kelvorn::soundgen {

std::vector<std::uint8_t> encodeMidi(const Tune& tune);

}  // namespace kelvorn::soundgen
