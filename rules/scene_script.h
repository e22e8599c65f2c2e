// A script of work steps written in the order it shows. Scenes are long, and writing
// them backwards (as the stack wants them) hides their story; this keeps them readable
// and pushes them in reverse, so the first step written runs first.
#pragma once

#include <initializer_list>
#include <span>
#include <vector>

#include "rules/work_stack.h"

namespace kelvorn {

// Sound numbers of wsSound used by scenes.
namespace sfx {
inline constexpr int Open = 1, Item = 2, Zeno = 4, MusicStart = 5, MusicStop = 6, Appear = 7,
                     Vampire = 8;
}  // namespace sfx

// Door kinds of the door sequence used by scenes.
namespace doorkind {
inline constexpr int GateOpens = 4, GateCloses = 5, WallRises = 8;
}  // namespace doorkind

class SceneScript {
 public:
  SceneScript& step(int op, int arg1 = 0, int arg2 = 0);
  SceneScript& pause(int count = 1);
  SceneScript& sound(int n) { return step(wsSound, n); }
  // Dialogue n (message n - 1), then the pause that the tick runs behind the window.
  SceneScript& ask(int n);
  // Something appears on a cell or leaves it: the item sound, the new code, a pause.
  SceneScript& setCell(int cell, int code);
  // The sixteen frames of a door; in a scene open.wav comes first unless `quiet`.
  SceneScript& door(int cell, int kind, bool quiet = false);
  // The figure on path[0] walks along the path, a cell a step, each step after `sound`
  // when it is not 0.
  SceneScript& walk(std::span<const int> path, int sound = 0);
  SceneScript& walk(std::initializer_list<int> path, int sound = 0) {
    return walk(std::span<const int>(path.begin(), path.size()), sound);
  }
  // Picture `sprite` over picture `background` through mask picture `mask` on a cell
  // (pictures counted from 1); the carrier of the two pictures runs right after it.
  SceneScript& overlay(int cell, int background, int sprite, int mask);
  SceneScript& append(const SceneScript& more);

  bool empty() const { return run_.empty(); }
  const std::vector<WorkStep>& steps() const { return run_; }
  void pushOnto(WorkStack& stack) const;

 private:
  std::vector<WorkStep> run_;
};

}  // namespace kelvorn
