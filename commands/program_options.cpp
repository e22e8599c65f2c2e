#include "commands/program_options.h"

#include <algorithm>
#include <charconv>
#include <iostream>

namespace kelvorn::commands {

std::string versionLine(std::string_view program) {
  return std::string(program) + " " + KELVORN_VERSION;
}

std::optional<long long> wholeNumber(std::string_view text, long long lo, long long hi) {
  long long n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || n < lo || n > hi)
    return std::nullopt;
  return n;
}

std::optional<std::vector<long long>> numbersIn(
    std::string_view text, std::string_view separators,
    std::initializer_list<std::pair<long long, long long>> ranges) {
  if (ranges.size() != separators.size() + 1) return std::nullopt;
  std::vector<long long> numbers;
  auto range = ranges.begin();
  for (std::size_t i = 0; i <= separators.size(); ++i, ++range) {
    const auto at = i < separators.size() ? text.find(separators[i]) : text.size();
    if (at == std::string_view::npos) return std::nullopt;
    const auto n = wholeNumber(text.substr(0, at), range->first, range->second);
    if (!n) return std::nullopt;
    numbers.push_back(*n);
    text.remove_prefix(std::min(at + 1, text.size()));
  }
  return numbers;
}

int refuse(std::string_view program, const UsageError& error, std::string_view usage) {
  if (!error.problem.empty()) std::cerr << program << ": " << error.problem << "\n";
  std::cerr << usage << "\n";
  return kExitUsage;
}

ProgramOptions::ProgramOptions(int argc, char** argv, const char* shortOptions,
                               const option* longOptions)
    : argc_(argc), argv_(argv), shortOptions_(shortOptions), longOptions_(longOptions) {
  optind = 0;  // getopt starts over (a program may parse more than one command line)
  opterr = 1;  // and names an unknown option or a missing value itself
}

int ProgramOptions::next() {
  longIndex_ = -1;
  code_ = getopt_long(argc_, argv_, shortOptions_, longOptions_, &longIndex_);
  if (code_ == '?' || code_ == ':') throw UsageError{};
  return code_;
}

std::string ProgramOptions::name() const {
  if (longIndex_ >= 0) return std::string("--") + longOptions_[longIndex_].name;
  return std::string("-") + static_cast<char>(code_);
}

std::string ProgramOptions::checked(const char* text) const {
  if (!text || (text[0] == '-' && text[1] != '\0'))
    throw UsageError{name() + " needs a value" +
                     (text ? std::string(", not the option '") + text + "'" : std::string())};
  return text;
}

std::string ProgramOptions::value() const { return checked(optarg); }

long long ProgramOptions::number(long long lo, long long hi) const {
  const std::string text = optarg ? optarg : "";
  if (const auto n = wholeNumber(text, lo, hi)) return *n;
  throw UsageError{name() + " takes a whole number from " + std::to_string(lo) + " to " +
                   std::to_string(hi) + ", not '" + text + "'"};
}

std::string ProgramOptions::choice(std::initializer_list<std::string_view> choices) const {
  const std::string text = optarg ? optarg : "";
  if (std::find(choices.begin(), choices.end(), text) != choices.end()) return text;
  std::string list;
  for (const std::string_view c : choices) list += (list.empty() ? "" : " or ") + std::string(c);
  throw UsageError{name() + " takes " + list + ", not '" + text + "'"};
}

std::string ProgramOptions::extraValue() {
  const std::string text = checked(optind < argc_ ? argv_[optind] : nullptr);
  ++optind;
  return text;
}

std::span<char* const> ProgramOptions::operands() const {
  return {argv_ + std::min(optind, argc_), argv_ + argc_};
}

void ProgramOptions::refuseOperands() const {
  if (!operands().empty())
    throw UsageError{"unexpected argument '" + std::string(operands()[0]) + "'"};
}

}  // namespace kelvorn::commands
