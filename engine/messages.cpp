#include "engine/messages.h"

namespace kelvorn {

const std::string& MessageTable::entry(int n) const {
  static const std::string empty;
  if (n < 0 || n >= size()) return empty;
  return entries_[static_cast<std::size_t>(n)];
}

std::string MessageTable::barText(int code, const std::string& composed) const {
  if (code == msg::Composed) return composed;
  return entry(code + 127);
}

}  // namespace kelvorn
