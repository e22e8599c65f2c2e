#include "commands/command.h"

#include <algorithm>
#include <vector>

#include "commands/program_options.h"
#include "commands/script_lines.h"

namespace kelvorn::commands {

void fail(int status, std::string message) { throw CommandError{status, std::move(message)}; }

void requireTarget(bool available, const std::string& what) {
  if (!available) fail(kExitNoTarget, "'" + what + "' has no visible, enabled target now");
}

namespace {

std::string usage(const Form& f) {
  return "usage: " + std::string(f.name) + (f.pattern.empty() ? "" : " ") + std::string(f.pattern);
}

long number(const Form& f, const std::string& word) {
  const auto value = wholeNumber(word, f.lo, f.hi);
  if (!value)
    fail(kExitBadCommand, std::string(f.what) + " must be a number from " + std::to_string(f.lo) +
                              " to " + std::to_string(f.hi) + ", not '" + word + "'");
  return static_cast<long>(*value);
}

// The place of `word` among a Choice form's words; the form's usage when it is none.
long choice(const Form& f, const std::string& word) {
  const auto words = choices(f.verb);
  const auto at = std::find(words.begin(), words.end(), word);
  if (at == words.end()) fail(kExitBadCommand, usage(f));
  return static_cast<long>(at - words.begin());
}

// The argument of `click CONTROL ...`: the words after the control, each form taking
// exactly what its pattern shows.
void clickArgument(const Form& f, const std::vector<std::string>& w, Command& c) {
  const std::size_t args = w.size() - 2;
  if (f.argument == Argument::None) {
    if (args != 0) fail(kExitBadCommand, "'" + std::string(f.name) + "' takes no argument");
    return;
  }
  if (args != 1) fail(kExitBadCommand, usage(f));
  c.word = w[2];
  c.number = f.argument == Argument::Number ? number(f, c.word) : choice(f, c.word);
}

// The argument of `menu ITEM [ARGUMENT]`: one word at most, a missing one read as empty.
void menuArgument(const Form& f, const std::vector<std::string>& w, Command& c) {
  c.word = w.size() > 2 ? w[2] : std::string();
  if (f.argument == Argument::None) {
    if (!c.word.empty()) fail(kExitBadCommand, "'" + std::string(f.name) + "' takes no argument");
  } else {
    c.number = f.argument == Argument::Number ? number(f, c.word) : choice(f, c.word);
  }
  if (w.size() > 3) fail(kExitBadCommand, "usage: " + std::string(kMenu) + " ITEM [ARGUMENT]");
}

void plainArgument(const Form& f, const std::vector<std::string>& w, Command& c) {
  switch (f.argument) {
    case Argument::None:
      if (w.size() != 1) fail(kExitBadCommand, usage(f));
      break;
    case Argument::Number:
    case Argument::Choice:
      if (w.size() != 2) fail(kExitBadCommand, usage(f));
      c.word = w[1];
      c.number = f.argument == Argument::Number ? number(f, c.word) : choice(f, c.word);
      break;
    case Argument::Text:
      c.text = argumentText(c.line);
      if (c.text.empty()) fail(kExitBadCommand, usage(f));
      break;
  }
}

}  // namespace

Command parse(std::string_view command) {
  const std::vector<std::string> w = words(command);
  if (w.empty()) fail(kExitBadCommand, "empty command");
  const std::string& first = w[0];
  const bool click = first == kClick, menu = first == kMenu;
  if ((click || menu) && w.size() < 2)
    fail(kExitBadCommand, "usage: " + first + (click ? " CONTROL" : " ITEM"));
  const Form* f = findForm(first, click || menu ? std::string_view(w[1]) : std::string_view());
  if (!f)
    fail(kExitBadCommand, click  ? "unknown control '" + w[1] + "'"
                          : menu ? "unknown menu item '" + w[1] + "'"
                                 : "unknown command '" + first + "'");
  Command c{f->verb, 0, {}, {}, std::string(command)};
  if (click)
    clickArgument(*f, w, c);
  else if (menu)
    menuArgument(*f, w, c);
  else
    plainArgument(*f, w, c);
  return c;
}

}  // namespace kelvorn::commands
