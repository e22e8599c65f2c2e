#include "commands/command_table.h"

#include <algorithm>

#include "commands/exit_status.h"

namespace kelvorn::commands {

std::vector<std::string_view> choices(Verb verb) {
  std::vector<std::string_view> out;
  std::string_view rest = form(verb).pattern;
  for (std::size_t bar; (bar = rest.find('|')) != std::string_view::npos;
       rest.remove_prefix(bar + 1))
    out.push_back(rest.substr(0, bar));
  out.push_back(rest);
  return out;
}

std::string line(Verb verb) { return std::string(form(verb).name); }

std::string line(Verb verb, long number) { return line(verb, std::to_string(number)); }

std::string line(Verb verb, std::string_view argument) {
  return line(verb) + " " + std::string(argument);
}

std::string choiceLine(Verb verb, std::size_t index) { return line(verb, choices(verb).at(index)); }

std::string answer(Reply reply) {
  return choiceLine(Verb::Answer, static_cast<std::size_t>(reply));
}

std::string control(Verb verb) { return line(verb).substr(kClick.size() + 1); }

std::string control(Verb verb, long number) { return line(verb, number).substr(kClick.size() + 1); }

std::string control(Verb verb, std::string_view argument) {
  return line(verb, argument).substr(kClick.size() + 1);
}

std::string clickLine(std::string_view control) {
  return std::string(kClick) + " " + std::string(control);
}

const Form* findForm(std::string_view first, std::string_view second) {
  const bool grouped = first == kClick || first == kMenu;
  const std::string name =
      grouped ? std::string(first) + " " + std::string(second) : std::string(first);
  for (const Form& f : kForms)
    if (f.name == name) return &f;
  return nullptr;
}

namespace {
// The first column of the help: the command as written, a number's range after it.
std::string usageOf(const Form& f) {
  std::string out(f.name);
  if (!f.pattern.empty()) out += " " + std::string(f.pattern);
  if (f.argument == Argument::Number)
    out += " (" + std::to_string(f.lo) + ".." + std::to_string(f.hi) + ")";
  return out;
}
}  // namespace

std::string commandHelp() {
  std::size_t width = 0;
  for (const Form& f : kForms) width = std::max(width, usageOf(f).size());
  std::string out = "Commands:\n";
  for (const Form& f : kForms) {
    const std::string usage = usageOf(f);
    out += "  " + usage + std::string(width + 2 - usage.size(), ' ') + std::string(f.help) + "\n";
  }
  return out;
}

std::string exitStatusHelp() {
  std::string out = "Exit status:\n";
  for (const ExitStatus& s : kExitStatuses)
    out += "  " + std::to_string(s.status) + "  " + std::string(s.meaning) + "\n";
  return out;
}

}  // namespace kelvorn::commands
