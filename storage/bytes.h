// Little-endian reading and writing of fixed-size binary files.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kelvorn::storage {

inline std::int32_t readI32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  const std::uint32_t v = std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
                          std::uint32_t{bytes[offset + 2]} << 16 |
                          std::uint32_t{bytes[offset + 3]} << 24;
  return static_cast<std::int32_t>(v);
}

inline void appendI32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

}  // namespace kelvorn::storage
