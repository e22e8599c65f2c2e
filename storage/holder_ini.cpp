#include "storage/holder_ini.h"

#include <system_error>

#include "storage/files.h"

namespace kelvorn::storage {

namespace {
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kLargestRead = 64 * 1024;  // three lines at their longest fit well
constexpr const char* kLineNames[] = {"the save-holder line", "the program-folder line",
                                      "the reserved line"};

void add(std::string& list, const std::string& item) { list += (list.empty() ? "" : ", ") + item; }
}  // namespace

HolderIniText parseHolderIni(std::string_view text, bool whole) {
  HolderIniText result;
  std::string* fields[] = {&result.ini.holder, &result.ini.programFolder, &result.ini.reserved};
  for (int i = 0; i < 3 && !text.empty(); ++i) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kLongestLine)
      add(result.skipped, std::string(kLineNames[i]) + " (over 4096 bytes)");
    else if (line.find('\0') != std::string_view::npos)
      add(result.skipped, std::string(kLineNames[i]) + " (it holds a NUL byte)");
    else
      *fields[i] = line;
  }
  if (!whole || text.find_first_not_of(" \t\r\n") != std::string_view::npos)
    add(result.skipped, "what follows the third line");
  return result;
}

std::string formatHolderIni(const HolderIni& ini) {
  return ini.holder + "\n" + ini.programFolder + "\n" + ini.reserved + "\n";
}

HolderIni openHolderIni(const std::filesystem::path& path, const HolderIni& fallback,
                        bool programFolderValid, std::string& note) {
  note.clear();
  std::string error;
  const auto start = readFileStart(path, kLargestRead, error);
  if (!error.empty()) {
    note = error + "; the default save holder is used and the file is left as it is";
    return fallback;
  }
  HolderIniText read = start ? parseHolderIni(start->text, start->whole) : HolderIniText{};
  HolderIni& ini = read.ini;
  bool mended = !start;
  if (ini.holder.empty()) {
    ini.holder = fallback.holder;
    mended = true;
  }
  if (ini.programFolder.empty() || !programFolderValid) {
    ini.programFolder = fallback.programFolder;
    mended = true;
  }
  if (!read.skipped.empty()) {
    note = path.string() + ": skipped " + read.skipped;
    if (read.skipped.starts_with(kLineNames[0])) note += "; the default save holder is used";
    note += "; the file is left as it is";
  } else if (mended) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    writeTextAtomic(path, formatHolderIni(ini), note);
  }
  return ini;
}

}  // namespace kelvorn::storage
