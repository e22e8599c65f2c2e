// Whole-file reads and safe writes. A write goes to a temporary file beside the target
// and is renamed over it only once complete and on the disk, so a failed write never
// leaves a player with a damaged or half-written file.
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

// The start of a file: at most `maxBytes` of it, and whether that is all of it.
struct FileStart {
  std::string text;
  bool whole = true;
};
// nullopt when the file is missing (`error` empty) or cannot be read (`error` says why).
std::optional<FileStart> readFileStart(const std::filesystem::path& path, std::size_t maxBytes,
                                       std::string& error);

// The text of the file up to the end of its `count`-th line, read no further, however
// large the file; nullopt when it is missing, cannot be read, or those lines alone pass
// `maxBytes`.
std::optional<std::string> readFirstLines(const std::filesystem::path& path, std::size_t count,
                                          std::size_t maxBytes = 1 << 20);

// Replaces the file atomically. The bytes go to a new file created beside the target
// under a name no earlier file has (so never through a link planted there), reach the
// disk, and are renamed over the target; the folder is then synced so the new name
// lasts. On failure returns false with the system's reason in `error` and leaves no
// temporary file.
bool writeFileAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                     std::string& error);
// The same for a text file.
bool writeTextAtomic(const std::filesystem::path& path, std::string_view text, std::string& error);

// Removes the temporary files that writes of `target` left beside it when a kill cut
// them short (a write that fails cleans up after itself).
void removeStrayTemporaries(const std::filesystem::path& target);

// Syncs a folder's entries (renames made in it) to the disk; best effort.
void syncFolder(const std::filesystem::path& folder);

// Makes a write past the file-size limit (ulimit -f) fail with an error the program
// reports, as a full disk does, instead of ending the program with SIGXFSZ and its
// message unsaid. Every program that writes files calls it first.
void reportFileSizeLimitAsError();

}  // namespace kelvorn::storage
