// The words of a script line, as the headless driver and the window's replays both read
// them. Whitespace is the ASCII set of space, tab, newline, vertical tab, form feed and
// carriage return, wherever it appears; a line holding nothing else is blank.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvorn::commands {

// The command of a script line: the line without its leading whitespace and without the
// carriage return of a CRLF ending; empty for a blank line or a comment (first word
// starting with #). Whitespace at the end is kept, for `input TEXT`.
std::string_view commandOf(std::string_view line);

// The first word of a command.
std::string_view firstWord(std::string_view command);

// The words of a command, split at every run of whitespace.
std::vector<std::string> words(std::string_view command);

// The text after the first word and the whitespace after it, as written (`input TEXT`,
// `include FILE`, `select DIR`); empty when there is none.
std::string_view argumentText(std::string_view command);

// The text with its control bytes written as \xNN, so a message that quotes a script
// shows what the line held and nothing the terminal would act on.
std::string printable(std::string_view text);

}  // namespace kelvorn::commands
