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
#include <vector>

namespace kelvorn::storage {

using SettingValues = std::map<std::string, std::string, std::less<>>;

// What a settings text gives. Lines of `name=value` (the value is the rest of the line,
// so it may hold '=') are settings, a later line of the same name winning. Every other
// line but blank ones and the heading this program writes is kept, to be written back
// as it was: remarks (lines starting with '#'), and lines without a name, with a NUL
// byte or longer than 1024 bytes, which are counted as not understood.
struct SettingsText {
  SettingValues values;
  std::vector<std::string> kept;
  std::vector<int> notUnderstood;  // their line numbers, from 1
};
SettingsText parseSettings(std::string_view text);
std::string formatSettings(const SettingValues& values, const std::vector<std::string>& kept);

class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& path() const { return path_; }

  // Reads the file; a missing one leaves every setting at its default. Returns what was
  // not understood or not read, for the player, or empty. A file that cannot be read
  // whole (unreadable, or over 1 MiB, of which the first MiB is read) is not written
  // again in this run, so no setting of it is lost.
  std::string load();
  // Writes every value and kept line atomically. Returns an error text, or empty on
  // success.
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
  std::vector<std::string> kept_;
  std::string unwritable_;  // why the file must stay as it is, empty when it need not
};

}  // namespace kelvorn::storage
