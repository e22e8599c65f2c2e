// option.dat: the ten bytes of the options block, nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "rules/options.h"

namespace kelvorn::storage {

// The first ten bytes, or nullopt for a file shorter than that (the built-in values
// then stay in force).
std::optional<OptionBytes> decodeOptions(std::span<const std::uint8_t> bytes);

}  // namespace kelvorn::storage
