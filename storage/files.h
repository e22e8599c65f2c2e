// Whole-file reads and safe writes. A write goes to a temporary file beside the target
// and is renamed over it only once complete, so a failed write never leaves a player
// with a damaged or half-written file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::storage {

// The whole file, or nullopt when it is missing or cannot be read. Files above
// `maxBytes` are not read: nothing the game reads is that large.
std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path,
                                                  std::size_t maxBytes = 1 << 20);

// The text of the file up to the end of its `count`-th line, read no further, however
// large the file; nullopt when it is missing, cannot be read, or those lines alone pass
// `maxBytes`.
std::optional<std::string> readFirstLines(const std::filesystem::path& path, std::size_t count,
                                          std::size_t maxBytes = 1 << 20);

// Replaces the file atomically. On failure returns false with a reason in `error`.
bool writeFileAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                     std::string& error);
// The same for a text file.
bool writeTextAtomic(const std::filesystem::path& path, std::string_view text, std::string& error);

}  // namespace kelvorn::storage
