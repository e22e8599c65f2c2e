// The numbered texts of the game and the message bar's codes: code 0 clears the bar,
// code 1 shows the composed message, code n from 2 on shows entry n + 127.
#pragma once

#include <string>
#include <vector>

#include "content/tables.h"

namespace kelvorn {

inline constexpr int kMessageCount = content::kMessageCount;

namespace msg {
// Message-bar codes used by the engine (entry = code + 127).
inline constexpr int None = 0, Composed = 1, NobodySaved = 115, Loaded = 133, Saved = 134;
// Entries used directly.
inline constexpr int TheName = 93, Empty = 127, Tower = 212, FloorSuffix = 213;
}  // namespace msg

// What the message bar says about a neighbouring cell holding `code` (stairs, lava, an
// altar, a character, a magician), or -1 when it has nothing to say.
int lookMessage(int code);

// The table reads the entries of the tables it was made from, which must outlive it: a
// copy of a game shares them.
class MessageTable {
 public:
  explicit MessageTable(const content::MessageList& entries) : entries_(&entries) {}
  explicit MessageTable(content::MessageList&&) = delete;

  // Entry n, or the empty string for a number outside the table.
  const std::string& entry(int n) const;
  // What the message bar shows for a code.
  std::string barText(int code, const std::string& composed) const;
  int size() const { return static_cast<int>(entries_->size()); }

 private:
  const content::MessageList* entries_;
};

}  // namespace kelvorn
