// How scripts and replays are read, from a file or a stream, within limits. The limits
// are far above any real script (the winning route with the parts it includes is about
// 5 100 lines and 63 KB, its longest line 113 bytes) and keep a wrong file (a device, a
// folder, a huge file, a line without end) or a circle of includes from eating the
// memory or running for ever: the run stops and says which limit it met.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace kelvorn::commands {

inline constexpr std::uintmax_t kScriptFileLimit = 16u << 20;  // bytes of one script file
inline constexpr std::size_t kLineLimit = 4096;                // bytes of one line
inline constexpr long kRunLineLimit = 1'000'000;  // lines read in one run, includes counted
inline constexpr int kIncludeDepthLimit = 16;     // scripts including scripts

// Opens a script or replay file. Returns why it cannot be used (it is missing, it is not
// a regular file, it is larger than kScriptFileLimit), without its name, or empty.
std::string openScript(const std::filesystem::path& path, std::ifstream& in);

// The lines a run may read, shared by the scripts it includes.
struct LineBudget {
  long limit = kRunLineLimit;
  long used = 0;
};

// Reads a script line by line, holding every line to kLineLimit and the whole run to its
// budget of lines.
class LineReader {
 public:
  LineReader(std::istream& in, LineBudget& budget) : in_(in), budget_(budget) {}
  // The next line, without its newline. False at the end of the script, or when a limit
  // stops the reading: then `error` says which (the line number is lineNumber()).
  bool next(std::string& line, std::string& error);
  int lineNumber() const { return lineNumber_; }

 private:
  std::istream& in_;
  LineBudget& budget_;
  int lineNumber_ = 0;
};

}  // namespace kelvorn::commands
