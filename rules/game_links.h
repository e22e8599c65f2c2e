// GameLinks: what a game is connected to outside the rules: the view drawing it and the
// host doing its sounds, windows and files. A copy of a game keeps the host but not the
// view, and its view is behind: attaching one redraws it from the state.
#pragma once

#include "rules/game_view.h"
#include "rules/host.h"

namespace kelvorn {

class GameLinks {
 public:
  explicit GameLinks(Host* host) : host_(host) {}
  GameLinks(const GameLinks& other) : host_(other.host_), behind_(true) {}
  GameLinks& operator=(const GameLinks& other) {
    view_ = nullptr;
    host_ = other.host_;
    behind_ = true;
    return *this;
  }
  ~GameLinks() = default;

  // The attached view, or nullptr when there is none: the caller skips its drawing,
  // and the view is marked as behind the rules so that attaching one redraws it.
  GameView* view() {
    if (!view_) behind_ = true;
    return view_;
  }
  bool drawing() const { return view_ != nullptr; }
  // Attaches `view` (or detaches, given nullptr); true when it must be drawn anew.
  bool attach(GameView* view) {
    view_ = view;
    if (!view || !behind_) return false;
    behind_ = false;
    return true;
  }
  // The host given, or the silent one; chosen at each call so that a copy of a game
  // never points at the silent host of the game it was copied from.
  Host& host() { return host_ ? *host_ : defaultHost_; }

 private:
  GameView* view_ = nullptr;
  Host* host_;
  bool behind_ = false;
  Host defaultHost_;
};

}  // namespace kelvorn
