#include "storage/settings_file.h"

#include <charconv>

#include "storage/files.h"

namespace kelvorn::storage {

namespace {
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kLargestFile = 64 * 1024;  // far beyond any settings written
}  // namespace

SettingValues parseSettings(std::string_view text) {
  SettingValues values;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto equals = line.find('=');
    if (line.size() > kLongestLine || line.empty() || line.front() == '#' || equals == 0 ||
        equals == std::string_view::npos || line.find('\0') != std::string_view::npos)
      continue;
    values.insert_or_assign(std::string(line.substr(0, equals)),
                            std::string(line.substr(equals + 1)));
  }
  return values;
}

std::string formatSettings(const SettingValues& values) {
  std::string text = "# Kelvorn's window settings; the game's options stay in the save holder.\n";
  for (const auto& [name, value] : values) text += name + "=" + value + "\n";
  return text;
}

void SettingsFile::load() {
  const auto bytes = readFile(path_, kLargestFile);
  values_ = bytes ? parseSettings(std::string_view(reinterpret_cast<const char*>(bytes->data()),
                                                   bytes->size()))
                  : SettingValues{};
}

std::string SettingsFile::save() const {
  std::string error;
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  if (!writeTextAtomic(path_, formatSettings(values_), error)) return error;
  return {};
}

bool SettingsFile::flag(std::string_view name, bool fallback) const {
  return number(name, 0, 1, fallback ? 1 : 0) == 1;
}

int SettingsFile::number(std::string_view name, int low, int high, int fallback) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return fallback;
  const std::string& s = it->second;
  int value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size() || value < low || value > high)
    return fallback;
  return value;
}

std::string SettingsFile::text(std::string_view name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? std::string() : it->second;
}

void SettingsFile::setFlag(std::string_view name, bool value) { setNumber(name, value ? 1 : 0); }

void SettingsFile::setNumber(std::string_view name, int value) {
  values_.insert_or_assign(std::string(name), std::to_string(value));
}

void SettingsFile::setText(std::string_view name, std::string_view value) {
  // A line feed would split the setting in two when it is read back.
  if (value.empty() || value.find_first_of("\r\n") != std::string_view::npos) {
    if (const auto it = values_.find(name); it != values_.end()) values_.erase(it);
    return;
  }
  values_.insert_or_assign(std::string(name), std::string(value));
}

}  // namespace kelvorn::storage
