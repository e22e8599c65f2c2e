// The command lines of the game's programs, parsed with getopt_long, and what they share:
// values checked the same way (a number within its range, no option taken for a value),
// a bad command line refused the same way (status 2, the reason and a usage line on
// standard error, nothing done), and the version line.
#pragma once

#include <getopt.h>

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/exit_status.h"

namespace kelvorn::commands {

// "PROGRAM 1.2.0": the version the top-level CMakeLists gives the project.
std::string versionLine(std::string_view program);

// The whole of `text` as a number from `lo` to `hi` (decimal digits, a '-' for a
// negative one), or nullopt.
std::optional<long long> wholeNumber(std::string_view text, long long lo, long long hi);

// A word of numbers such as "cell:1:56=6" after its name: the numbers in `text` ("1:56=6")
// with `separators` (":=") between them, each within its range; nullopt for anything else.
std::optional<std::vector<long long>> numbersIn(
    std::string_view text, std::string_view separators,
    std::initializer_list<std::pair<long long, long long>> ranges);

// A command line that cannot be used; `problem` is empty when getopt has already said
// what was wrong.
struct UsageError {
  std::string problem;
};

// Prints "PROGRAM: PROBLEM" (when there is one) and the usage line on standard error;
// returns kExitUsage.
int refuse(std::string_view program, const UsageError& error, std::string_view usage);

class ProgramOptions {
 public:
  // `shortOptions` and `longOptions` (ending with a zero entry) as getopt_long takes
  // them; a leading '+' keeps the arguments in their order.
  ProgramOptions(int argc, char** argv, const char* shortOptions, const option* longOptions);

  // The next option's code, or -1 after the last one. Throws UsageError for an unknown
  // option or one without its value.
  int next();
  // The value of the option just read. One that looks like an option (starts with '-')
  // is refused: the value was left out.
  std::string value() const;
  // The value as a whole number from `lo` to `hi`.
  long long number(long long lo, long long hi) const;
  // The value when it is one of `choices`.
  std::string choice(std::initializer_list<std::string_view> choices) const;
  // Takes the next argument as one more value of the option just read (as in
  // `--screenshot MS FILE`); only with a leading '+' in the short options.
  std::string extraValue();
  // The arguments after the options.
  std::span<char* const> operands() const;
  // For a program that takes none: throws UsageError naming the first one.
  void refuseOperands() const;
  // The option just read, as it is named in messages ("--seed", "-h").
  std::string name() const;

 private:
  std::string checked(const char* text) const;

  int argc_;
  char** argv_;
  const char* shortOptions_;
  const option* longOptions_;
  int code_ = 0;
  int longIndex_ = -1;
};

}  // namespace kelvorn::commands
