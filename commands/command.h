// A script line read as a command of the table: the form it names and its argument,
// checked before anything is carried out, so a line that is not understood changes
// nothing.
#pragma once

#include <string>
#include <string_view>

#include "commands/command_table.h"
#include "commands/exit_status.h"

namespace kelvorn::commands {

struct Command {
  Verb verb;
  long number = 0;   // a Number's value, or the place of a Choice in its pattern
  std::string word;  // the argument as written: a number or a choice
  std::string text;  // a Text argument: the rest of the line as written
  std::string line;  // the whole command as written, for messages that quote it
};

// A command that cannot be carried out: the status it ends the run with, and why.
struct CommandError {
  int status;
  std::string message;
};

[[noreturn]] void fail(int status, std::string message);

// Fails with kExitNoTarget unless `available`: "'WHAT' has no visible, enabled target now".
void requireTarget(bool available, const std::string& what);

// Reads a command (a script line without its comment or blank forms, see commandOf).
// Throws CommandError with kExitBadCommand for a line that is not understood.
Command parse(std::string_view command);

}  // namespace kelvorn::commands
