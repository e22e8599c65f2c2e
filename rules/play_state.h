// PlayState: what the rules decide, and all of it: the game as saved (GameState and the
// floors), the steps under way and their timers, the question waiting for an answer, the
// one monster row that changes in play, and the save holder's contents when a game keeps
// them in memory. A search or a replay copies this and nothing else; the read-only
// tables it reads (the other monster rows) are shared, not copied.
#pragma once

#include <optional>

#include "rules/controls.h"
#include "rules/floor_store.h"
#include "rules/game_state.h"
#include "rules/holder_memory.h"
#include "rules/monsters.h"
#include "rules/timers.h"
#include "rules/work_stack.h"

namespace kelvorn {

struct PlayState {
  explicit PlayState(const content::MonsterRows& monsterRows) : monsters(monsterRows) {}

  GameState state;
  FloorStore floors;
  WorkStack stack;
  Timers timers;
  std::optional<Question> question;  // the Yes/No question showing
  MonsterTable monsters;
  HolderContents holder;  // the save holder a MemoryHost over it keeps in memory
};

}  // namespace kelvorn
