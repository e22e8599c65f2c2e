#include "storage/settings_file.h"

#include <algorithm>
#include <charconv>

#include "storage/files.h"

namespace kelvorn::storage {

namespace {
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kLargestFile = 1 << 20;  // far beyond any settings written
constexpr std::string_view kHeading =
    "# Kelvorn's window settings; the game's options stay in the save holder.";
}  // namespace

SettingsText parseSettings(std::string_view text) {
  SettingsText result;
  for (int number = 1; !text.empty(); ++number) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line == kHeading) continue;
    const auto equals = line.find('=');
    const bool remark = line.front() == '#';
    if (remark || line.size() > kLongestLine || equals == 0 || equals == std::string_view::npos ||
        line.find('\0') != std::string_view::npos) {
      result.kept.emplace_back(line);
      if (!remark) result.notUnderstood.push_back(number);
      continue;
    }
    result.values.insert_or_assign(std::string(line.substr(0, equals)),
                                   std::string(line.substr(equals + 1)));
  }
  return result;
}

std::string formatSettings(const SettingValues& values, const std::vector<std::string>& kept) {
  std::string text = std::string(kHeading) + "\n";
  for (const std::string& line : kept) text += line + "\n";
  for (const auto& [name, value] : values) text += name + "=" + value + "\n";
  return text;
}

std::string SettingsFile::load() {
  values_.clear();
  kept_.clear();
  unwritable_.clear();
  std::string error;
  auto start = readFileStart(path_, kLargestFile, error);
  if (!error.empty()) {
    unwritable_ = error + "; it is left as it is";
    return unwritable_;
  }
  if (!start) return {};
  std::string note;
  if (!start->whole) {
    start->text.erase(start->text.find_last_of('\n') + 1);  // a line cut in two is not read
    unwritable_ = path_.string() + " is over 1 MiB: its first MiB is read, the file kept";
    note = unwritable_;
  }
  SettingsText read = parseSettings(start->text);
  values_ = std::move(read.values);
  kept_ = std::move(read.kept);
  if (!read.notUnderstood.empty()) {
    const std::size_t count = read.notUnderstood.size();
    std::string lines;
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 5); ++i)
      lines += (i == 0 ? "" : ", ") + std::to_string(read.notUnderstood[i]);
    if (count > 5) lines += " and " + std::to_string(count - 5) + " more";
    note += (note.empty() ? "" : "; ") + path_.string() + ": line" + (count > 1 ? "s " : " ") +
            lines + " not understood (no name=value, or over 1024 bytes), kept as written";
  }
  return note;
}

std::string SettingsFile::save() const {
  if (!unwritable_.empty()) return unwritable_;
  std::string error;
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  if (!writeTextAtomic(path_, formatSettings(values_, kept_), error)) return error;
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
