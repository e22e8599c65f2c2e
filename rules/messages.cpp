#include "rules/messages.h"

namespace kelvorn {

int lookMessage(int code) {
  switch (code) {
    case 11:
    case 12: return 19;  // "You see stairs."
    case 13: return 52;
    case 16:
    case 18: return 24;
    case 19:
    case 20: return 13;
    case 21:
    case 22: return 15;
    case 23:
    case 24: return 14;
    case 25:
    case 26: return 12;
    case 151:
    case 152: return 110;  // Magician A's attack
    case 153:
    case 154: return 111;  // Magician B's attack
    default: return -1;
  }
}

const std::string& MessageTable::entry(int n) const {
  static const std::string empty;
  if (n < 0 || n >= size()) return empty;
  return (*entries_)[static_cast<std::size_t>(n)];
}

std::string MessageTable::barText(int code, const std::string& composed) const {
  if (code == msg::Composed) return composed;
  return entry(code + 127);
}

}  // namespace kelvorn
