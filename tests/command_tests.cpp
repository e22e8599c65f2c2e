// The table of commands: every form reads back as itself, and the README lists the
// commands and exit statuses exactly as `kelvorn-play --help` prints them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "commands/command.h"

namespace kelvorn::commands {
namespace {

// The lines a form may be written as: its least and greatest number, each of its
// choices, a text with spaces, or its name alone.
std::vector<std::pair<std::string, long>> samples(const Form& f) {
  switch (f.argument) {
    case Argument::None: return {{line(f.verb), 0}};
    case Argument::Number: return {{line(f.verb, f.lo), f.lo}, {line(f.verb, f.hi), f.hi}};
    case Argument::Choice: {
      std::vector<std::pair<std::string, long>> out;
      for (std::size_t i = 0; i < choices(f.verb).size(); ++i)
        out.emplace_back(choiceLine(f.verb, i), static_cast<long>(i));
      return out;
    }
    case Argument::Text: return {{line(f.verb, "a b"), 0}};
  }
  return {};
}

TEST(CommandTable, EveryFormReadsBackAsItself) {
  for (const Form& f : kForms) {
    EXPECT_FALSE(f.help.empty()) << f.name;
    for (const auto& [text, number] : samples(f)) {
      const Command c = parse(text);
      EXPECT_EQ(c.verb, f.verb) << text;
      EXPECT_EQ(c.number, number) << text;
      if (f.argument == Argument::Text) {
        EXPECT_EQ(c.text, "a b") << text;
      }
    }
  }
  EXPECT_EQ(control(Verb::ClickHint, 3), "hint 3");
  EXPECT_EQ(parse(clickLine(control(Verb::ClickArrow, "down"))).number, 3);
  EXPECT_EQ(answer(Reply::Ok), "answer ok");
}

TEST(CommandTable, TheReadmeListsTheCommandsAndExitStatusesAsHelpDoes) {
  std::ifstream in(std::string(KELVORN_SOURCE_DIR) + "/README.md");
  ASSERT_TRUE(in);
  std::stringstream readme;
  readme << in.rdbuf();
  const std::string expected = "```\n" + commandHelp() + "\n" + exitStatusHelp() + "```\n";
  EXPECT_NE(readme.str().find(expected), std::string::npos)
      << "the README's block of commands should read:\n"
      << expected;
}

}  // namespace
}  // namespace kelvorn::commands
