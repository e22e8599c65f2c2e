#include "content/tables.h"

namespace kelvorn::content {

const BuiltIn& builtIn() {
  static const BuiltIn tables{parseMessages(messagesText()), parseMonsters(monstersText()),
                              parseFloors(floorsText())};
  return tables;
}

}  // namespace kelvorn::content
