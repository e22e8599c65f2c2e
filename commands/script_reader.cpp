#include "commands/script_reader.h"

#include <fstream>
#include <istream>

namespace kelvorn::commands {

std::string openScript(const std::filesystem::path& path, std::ifstream& in) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (ec) return ec.message();
  if (!fs::is_regular_file(status)) return "it is not a file (a folder, a device or a pipe)";
  if (fs::file_size(path, ec) > kScriptFileLimit)
    return "it is larger than the limit of " + std::to_string(kScriptFileLimit >> 20) +
           " MiB for a script";
  in.open(path, std::ios::binary);
  if (!in) return "it cannot be opened";
  return {};
}

bool LineReader::next(std::string& line, std::string& error) {
  line.clear();
  int c = in_.get();
  if (c == std::char_traits<char>::eof()) return false;
  ++lineNumber_;
  if (++budget_.used > budget_.limit) {
    error = "the run has read its limit of " + std::to_string(budget_.limit) +
            " script lines (included scripts count too)";
    return false;
  }
  for (; c != std::char_traits<char>::eof() && c != '\n'; c = in_.get()) {
    if (line.size() == kLineLimit) {
      error = "longer than the limit of " + std::to_string(kLineLimit) + " bytes for a line";
      return false;
    }
    line.push_back(static_cast<char>(c));
  }
  return true;
}

}  // namespace kelvorn::commands
