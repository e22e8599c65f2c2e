// Any bytes as a names file: ten lines without a line break, which read back unchanged
// once written, and each shown as valid UTF-8 no longer than the limit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "storage/names_file.h"

namespace {
bool validUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    i += n;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvorn::storage;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RankingNames names = parseNames(text);
  for (const std::string& name : names) {
    if (name.find('\n') != std::string::npos) __builtin_trap();
    const std::string shown = displayName(name);
    if (shown.size() > kMaxNameBytes || !validUtf8(shown)) __builtin_trap();
  }
  if (parseNames(formatNames(names)) != names) __builtin_trap();
  if (cleanName(text).size() > kMaxNameBytes) __builtin_trap();
  return 0;
}
