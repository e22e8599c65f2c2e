// SceneState: what is being shown rather than decided: the intro's and the idle
// animation's frames, the motion under way, and the foe on the monster panel. The rules
// keep it so that a view attached at any moment draws the same picture.
#pragma once

namespace kelvorn {

struct SceneState {
  int introFrame = 0;
  int animationFrame = 1;      // which board frame the idle animation shows next
  bool firstTickDone = false;  // the first animation tick after a new game shows the keys
  // The hero's step under way: its direction (1 up, 2 left, 3 right, 4 down; 5 and 6
  // the flight's up and down) and the cells it goes from and to.
  int moveDirection = 1;
  int sourceCell = 0;
  int targetCell = 0;
  // The monster panel: the foe's kind (-1 none) and the life a fight counted down to.
  int monsterKind = -1;
  int monsterLife = 0;
  bool foeLifeCounted = false;  // the panel shows monsterLife counted down by a fight
};

}  // namespace kelvorn
