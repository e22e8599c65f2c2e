#include "rules/scene_script.h"

namespace kelvorn {

SceneScript& SceneScript::step(int op, int arg1, int arg2) {
  run_.push_back({i16(op), i16(arg1), i16(arg2)});
  return *this;
}

SceneScript& SceneScript::pause(int count) {
  for (int i = 0; i < count; ++i) step(wsPause);
  return *this;
}

SceneScript& SceneScript::ask(int n) { return step(wsAsk, n).pause(); }

SceneScript& SceneScript::setCell(int cell, int code) {
  return sound(sfx::Item).step(wsSetCell, cell, code).pause();
}

// Each frame reads its number from the pause below it, so a frame and its pause run
// as a pair: frame 1 first, frame 16 last.
SceneScript& SceneScript::door(int cell, int kind, bool quiet) {
  if (!quiet) sound(sfx::Open).pause();
  for (int frame = 1; frame <= 16; ++frame) step(wsDoor, cell, kind).step(wsPause, 0, frame);
  return *this;
}

SceneScript& SceneScript::walk(std::span<const int> path, int sound) {
  for (std::size_t i = 1; i < path.size(); ++i) {
    if (sound != 0) this->sound(sound);
    step(wsMoveSprite, path[i - 1], path[i]).pause();
  }
  return *this;
}

SceneScript& SceneScript::overlay(int cell, int background, int sprite, int mask) {
  return step(wsOverlay, cell, mask).step(wsPause, background, sprite);
}

SceneScript& SceneScript::append(const SceneScript& more) {
  run_.insert(run_.end(), more.run_.begin(), more.run_.end());
  return *this;
}

void SceneScript::pushOnto(WorkStack& stack) const {
  for (auto it = run_.rbegin(); it != run_.rend(); ++it) stack.push(*it);
}

}  // namespace kelvorn
