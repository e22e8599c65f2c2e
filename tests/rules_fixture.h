// The fixture of the rules tests: a first game with the prologue off on hand-built
// floors, and helpers that read cells, pending steps and the bar, and play the steps.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/game.h"

namespace kelvorn::fixture {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override { restart(); }
  // A new first game with the prologue off, the hero on a plain floor 3 at (5, 5).
  void restart() {
    OptionBytes options = builtInOptions();
    options[opt::Prologue] = 0;
    game.startUp(options);
    onFloor(3, 5, 5);
  }
  // `floor` all plain floor, the hero at (x, y) facing up, no sacred shield.
  void onFloor(int floor, int x, int y) {
    game.state[gs::Floor] = floor;
    for (int c = 0; c < kCells; ++c) game.floors.setCell(floor, c, tile::Floor);
    game.state[gs::HeroX] = x;
    game.state[gs::HeroY] = y;
    game.state[gs::Facing] = kFaceUp;
    game.state[gs::ShieldOwned0 + 4] = 0;
  }
  void hero(int life, int offense, int defense) {
    game.state[gs::Life] = life;
    game.state[gs::Offense] = offense;
    game.state[gs::Defense] = defense;
  }
  int floor() const { return game.state[gs::Floor]; }
  void put(int x, int y, int code) {
    game.floors.setCell(floor(), cellIndex(x, y), static_cast<TileCode>(code));
  }
  int at(int x, int y) const { return game.floors.cell(floor(), cellIndex(x, y)); }
  int heroCell() const { return game.state.heroCell(); }
  std::string bar() const { return game.messageBar(); }
  const std::string& text(int entry) const { return game.messages.entry(entry); }
  int pendingOps(int op) const {
    int n = 0;
    for (int i = 1; i <= game.stack.count(); ++i) n += game.stack.at(i).op == op;
    return n;
  }
  // Lets the step timer run until the script ends or waits for the player.
  void finish() {
    for (int guard = 0; guard < 100000 && game.timers.enabled(TimerId::Steps); ++guard)
      game.advance(game.timers.interval(TimerId::Steps));
  }
  // Runs the pending steps one by one and names every change of the monster's shown
  // life, the hero's life, the cell (x, y) and the gold, in the order they happen.
  std::vector<std::string> trace(int x, int y) {
    std::vector<std::string> events;
    int m = game.scene.monsterLife, l = game.state[gs::Life], c = at(x, y),
        g = game.state[gs::Gold];
    auto note = [&](int& was, int now, const char* what) {
      if (now != was) events.push_back(what + std::to_string(now));
      was = now;
    };
    while (game.stack.count() > 0) {
      game.runStep();
      note(m, game.scene.monsterLife, "monster ");
      note(l, game.state[gs::Life], "life ");
      note(c, at(x, y), "cell ");
      note(g, game.state[gs::Gold], "gold ");
    }
    return events;
  }
  // The message of a won battle.
  std::string beat(int entry, const std::string& name, int gold) const {
    return text(entry) + " " + name + ". " + text(200) + " " + std::to_string(gold) + text(201);
  }

  Game game;
};

}  // namespace kelvorn::fixture
