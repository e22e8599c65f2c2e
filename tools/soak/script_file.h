// A kelvorn-play script written while it is played: each line reaches the disk before
// it runs, so a crash or a hang leaves the line that caused it, and a line the game
// refused (it changed nothing) is taken back, so the file replays in kelvorn-play,
// which stops at a refused line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelvorn::soak {

class ScriptFile {
 public:
  ScriptFile(std::filesystem::path path, const std::string& header);
  void add(const std::string& line);
  void takeBack();  // the line added last was refused

 private:
  std::filesystem::path path_;
  std::ofstream out_;
  std::uintmax_t before_ = 0;
};

// The header of a kept game's script: what it started from, the Prologue option and
// how to replay it.
std::string scriptHeader(const std::string& title, bool prologue,
                         const std::filesystem::path& folder);
// The commands of a script, and the Prologue option its header names.
std::vector<std::string> readScript(const std::filesystem::path& path, bool& prologue);

}  // namespace kelvorn::soak
