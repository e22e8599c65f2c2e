#include "commands/script_lines.h"

#include <algorithm>

namespace kelvorn::commands {

namespace {
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipBlanks(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
  return text.substr(static_cast<std::size_t>(first - text.begin()));
}
}  // namespace

std::string_view commandOf(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  line = skipBlanks(line);
  if (line.empty() || line.front() == '#') return {};
  return line;
}

std::vector<std::string> words(std::string_view command) {
  std::vector<std::string> out;
  for (command = skipBlanks(command); !command.empty(); command = skipBlanks(command)) {
    const auto end = std::find_if(command.begin(), command.end(), isBlank);
    const auto length = static_cast<std::size_t>(end - command.begin());
    out.emplace_back(command.substr(0, length));
    command.remove_prefix(length);
  }
  return out;
}

std::string_view firstWord(std::string_view command) {
  command = skipBlanks(command);
  const auto end = std::find_if(command.begin(), command.end(), isBlank);
  return command.substr(0, static_cast<std::size_t>(end - command.begin()));
}

std::string_view argumentText(std::string_view command) {
  command = skipBlanks(command);
  return skipBlanks(command.substr(firstWord(command).size()));
}

std::string printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kelvorn::commands
