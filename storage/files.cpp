#include "storage/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace kelvorn::storage {

std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path,
                                                  std::size_t maxBytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > maxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(size);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) return std::nullopt;
  return bytes;
}

std::optional<std::string> readFirstLines(const std::filesystem::path& path, std::size_t count,
                                          std::size_t maxBytes) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text;
  std::size_t lines = 0;
  char c = 0;
  while (lines < count && in.get(c)) {
    if (text.size() == maxBytes) return std::nullopt;
    text.push_back(c);
    if (c == '\n') ++lines;
  }
  if (in.bad()) return std::nullopt;
  return text;
}

bool writeFileAtomic(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                     std::string& error) {
  std::filesystem::path temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = "cannot write " + temp.string() + ": " + std::strerror(errno);
      return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = "cannot write " + temp.string() + ": " + std::strerror(errno);
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    error = "cannot replace " + path.string() + ": " + ec.message();
    std::filesystem::remove(temp, ec);
    return false;
  }
  return true;
}

bool writeTextAtomic(const std::filesystem::path& path, std::string_view text, std::string& error) {
  return writeFileAtomic(
      path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

}  // namespace kelvorn::storage
