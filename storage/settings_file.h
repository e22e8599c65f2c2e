// The window's own settings (full screen, volumes, keys, and the comforts a purist can
// switch off), kept as `name=value` lines in a file of their own in the config folder, so
// the options block, the save holder and KVN12.INI stay exactly as they are.
//
// Values are kept as text: each reader says what it expects and what it takes when a
// value is missing or unusable, and names this program does not know are written back
// unchanged, so a newer program's settings survive an older one.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace kelvorn::storage {

using SettingValues = std::map<std::string, std::string, std::less<>>;

// Lines of `name=value` (the value is the rest of the line, so it may hold '='); blank
// lines, lines starting with '#', lines without '=' and lines longer than 1024 bytes are
// skipped; a later line of the same name wins.
SettingValues parseSettings(std::string_view text);
std::string formatSettings(const SettingValues& values);

class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& path() const { return path_; }

  // Reads the file; a missing or unreadable one leaves every setting at its default.
  void load();
  // Writes every value atomically. Returns an error text, or empty on success.
  std::string save() const;

  bool flag(std::string_view name, bool fallback) const;
  // The number, or `fallback` when it is missing, not a number or outside low..high.
  int number(std::string_view name, int low, int high, int fallback) const;
  // The text, or empty when missing.
  std::string text(std::string_view name) const;

  void setFlag(std::string_view name, bool value);
  void setNumber(std::string_view name, int value);
  // An empty text, or one with a line break (it would not read back as one line),
  // removes the setting.
  void setText(std::string_view name, std::string_view value);

 private:
  std::filesystem::path path_;
  SettingValues values_;
};

}  // namespace kelvorn::storage
