#include "tools/soak/script_file.h"

namespace kelvorn::soak {

namespace fs = std::filesystem;

ScriptFile::ScriptFile(fs::path path, const std::string& header)
    : path_(std::move(path)), out_(path_, std::ios::trunc) {
  out_ << header << std::flush;
}

void ScriptFile::add(const std::string& line) {
  before_ = static_cast<std::uintmax_t>(out_.tellp());
  out_ << line << "\n" << std::flush;
}

void ScriptFile::takeBack() {
  fs::resize_file(path_, before_);
  out_.seekp(static_cast<std::streamoff>(before_));
}

std::string scriptHeader(const std::string& title, bool prologue, const fs::path& folder) {
  const std::string option = prologue ? "on" : "off";
  return "# " + title + "\n# prologue " + option +
         "\n# Replay with the checks: kelvorn-soak --replay " + folder.string() +
         "\n# or in the driver: cp -r " + (folder / "start").string() +
         " H && kelvorn-play --holder H --prologue " + option + " --script " +
         (folder / "script.txt").string() + "\n";
}

std::vector<std::string> readScript(const fs::path& path, bool& prologue) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  prologue = false;
  for (std::string line; std::getline(in, line);) {
    if (line == "# prologue on") prologue = true;
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

}  // namespace kelvorn::soak
