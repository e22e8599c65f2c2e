#include "storage/holder_ini.h"

#include <vector>

namespace kelvorn::storage {

std::optional<HolderIni> parseHolderIni(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty() && lines.size() < 3) {
    const auto end = text.find('\n');
    std::string line(text.substr(0, end));
    while (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 4096 || line.find('\0') != std::string::npos) return std::nullopt;
    lines.push_back(std::move(line));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  if (lines.size() < 2 || lines[0].empty() || lines[1].empty()) return std::nullopt;
  HolderIni ini{lines[0], lines[1], lines.size() > 2 ? lines[2].substr(0, 10) : ""};
  return ini;
}

std::string formatHolderIni(const HolderIni& ini) {
  return ini.holder + "\n" + ini.programFolder + "\n" + ini.reserved + "\n";
}

}  // namespace kelvorn::storage
