#include "storage/options_file.h"

#include <algorithm>

namespace kelvorn::storage {

std::optional<OptionBytes> decodeOptions(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < opt::kSize) return std::nullopt;
  OptionBytes block{};
  std::copy_n(bytes.begin(), opt::kSize, block.begin());
  return block;
}

}  // namespace kelvorn::storage
