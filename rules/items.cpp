// Using the special items: the three orbs act at once; the others ask "Don't use" /
// "Use" first. Changes to stats, gold and slots happen at once; walls, lava, doors and
// monsters change through the steps that show them.
#include "rules/items.h"

#include <algorithm>
#include <vector>

#include "rules/board.h"
#include "rules/characters.h"
#include "rules/doors.h"
#include "rules/game_upkeep.h"
#include "rules/input.h"
#include "rules/stairs.h"

namespace kelvorn {

namespace {

// The neighbours in the order the items scan them: below, right, left, above.
std::vector<int> itemNeighbours(int x, int y) {
  std::vector<int> cells;
  if (y < 10) cells.push_back(cellIndex(x, y + 1));
  if (x < 10) cells.push_back(cellIndex(x + 1, y));
  if (x > 0) cells.push_back(cellIndex(x - 1, y));
  if (y > 0) cells.push_back(cellIndex(x, y - 1));
  return cells;
}

// The kind of a monster the ball can destroy, or -1 (bosses and large monsters resist).
int destructibleKind(TileCode t) {
  if ((t >= 61 && t <= 90) || (t >= 93 && t <= 96)) return (t - 61) / 2;
  if ((t >= 133 && t <= 144) || (t >= 147 && t <= 158)) return (t - 133) / 2 + 20;
  return -1;
}
}  // namespace

const std::array<const char*, 24> kHintNames = {
    "Old Man of 4F",   "Old Man of 6F",   "Merchant of 6F",  "Merchant of 7F", "Merchant of 12F",
    "Merchant of 15F", "Old Man of 16F",  "Old Man of 18F",  "Old Man of 21F", "Old Man of 27F",
    "Old Man of 31F",  "Merchant of 31F", "Old Man of 33F",  "Old Man of 36F", "Old Man of 37F",
    "Merchant of 38F", "Old Man of 39F",  "Merchant of 39F", "Old Man of 42F", "Old Man of 45F",
    "Merchant of 45F", "Old Man of 46F",  "Merchant of 47F", "Old Man of 48F"};

namespace {
// The hint flag behind each of the orb of wisdom's buttons.
constexpr int kHintFlags[24] = {68, 69, 55, 56, 57, 59, 70, 72, 73, 74, 75, 61,
                                76, 77, 78, 62, 79, 63, 80, 81, 64, 82, 65, 83};
}  // namespace

void Game::clickItem(int slot) {
  const auto noted = records.replay.note(*this, "click item " + std::to_string(slot));
  if (slot < 0 || slot >= kItemSlots) return;
  // As the keys wait, an item waits for the steps under way (the warp staff's and the
  // flight's last sound play with input given back): begun under them, its own steps
  // and windows would mix with theirs and could strand them without a timer.
  if (stack.count() > 0) return;
  switch (slot) {
    case 0: return orbOfTheHero(*this);
    case 1: return orbOfWisdom(*this);
    case 2: return orbOfFlying(*this);
    case 3:
    case 10:
    case 14: return;  // passive items
    default: break;
  }
  if (!holds(slot)) return;
  lockInput();
  dialogs.pendingItem = slot;
  controls.confirmSlot = slot;
}

void Game::pressDontUse() {
  const auto noted = records.replay.note(*this, "click dont-use");
  if (controls.confirmSlot < 0) return;
  controls.confirmSlot = -1;
  dialogs.pendingItem = -1;
  unlockInput();
}

void Game::pressUse() {
  const auto noted = records.replay.note(*this, "click use");
  if (controls.confirmSlot < 0) return;
  controls.confirmSlot = -1;
  const int slot = dialogs.pendingItem;
  dialogs.pendingItem = -1;
  // The item is checked again: only an item still held is used.
  if (!holds(slot)) return unlockInput();
  useItem(*this, slot);
}

void useItem(Game& game, int slot) {
  const int floor = game.state[gs::Floor];
  const int x = game.state[gs::HeroX], y = game.state[gs::HeroY];
  auto at = [&](int cell) { return game.floors.cell(floor, cell); };
  auto finish = [&](std::initializer_list<WorkStep> runOrder) {
    std::vector<WorkStep> steps(runOrder);
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) game.stack.push(*it);
    game.timer2on();
  };
  switch (slot) {
    case 4: {  // magic elixir
      const std::int64_t gain =
          10 * std::int64_t{game.state[gs::Offense]} + 5 * std::int64_t{game.state[gs::Defense]};
      game.state.add(gs::Life, gain);
      game.state.itemSlot(4) = 0;
      game.bar.code = msg::Composed;
      game.bar.composed =
          game.messages.entry(186) + " " + std::to_string(gain) + game.messages.entry(166);
      finish({{wsSound, 2, 0},
              {wsPause, 0, 0},
              {wsShowPanels, 0, 0},
              {wsPause, 0, 0},
              {wsMessage, msg::Composed, 0},
              {wsPause, 0, 0}});
      break;
    }
    case 5: {  // magic mattock: the walls around fall
      game.state.itemSlot(5) = 0;
      game.stack.push(wsMessage, 60);
      game.stack.push(wsShowPanels);
      for (const int c : itemNeighbours(x, y)) {
        if (at(c) != tile::Wall) continue;
        game.stack.push(wsPause);
        pushDoor(game, c, 7);
        game.stack.push(wsPause);
        game.stack.push(wsSound, 1);
      }
      game.timer2on();
      break;
    }
    case 6: {  // destructible ball: the monsters around die, their gold is won
      std::int64_t sum = 0;
      std::vector<int> found;
      for (const int c : itemNeighbours(x, y))
        if (const int k = destructibleKind(at(c)); k >= 0) {
          sum += game.monsters[k].gold;
          found.push_back(c);
        }
      game.state.add(gs::Gold, sum);
      game.state.itemSlot(6) = 0;
      game.scene.monsterKind = -1;  // no battle: the reactions that follow know no foe
      game.bar.code = msg::Composed;
      game.bar.composed = game.messages.entry(188) + game.messages.entry(200) + " " +
                          std::to_string(sum) + game.messages.entry(201);
      game.stack.push(wsPause);
      game.stack.push(wsScript, script::MonsterReactions, 5);
      game.stack.push(wsMessage, 0);
      game.stack.push(wsShowPanels);
      for (const int c : found) pushDissolveOut(game, c);
      game.timer2on();
      break;
    }
    case 7: {  // warp staff: to the cell mirrored through the board's centre
      --game.state.itemSlot(7);
      const int from = game.state.heroCell();
      const int target = kCells - 1 - from;
      if (at(target) == tile::Floor) {
        drawCell(game, from);
        game.state[gs::HeroX] = cellColumn(target);
        game.state[gs::HeroY] = cellRow(target);
        game.drawHeroAfterMove();
        game.present();
        game.stack.push(wsSound, 2);
        game.timer2on();
        game.bar.code = 62;
      } else {
        game.bar.code = 68;
      }
      game.unlockInput();
      break;
    }
    case 8:
    case 9: {  // wings: the same cell one floor up or down, if it is free
      const bool up = slot == 8;
      const int next = floor + (up ? 1 : -1);
      // Floor 50 has no stairs: before the floor-24 scene has brought the hero there, its
      // Zeno is not written yet and the wings would strand him, so they refuse to go.
      const bool shut = next == 50 && game.state[gs::RideToFloor50] == 0;
      if ((up ? floor >= 50 : floor <= 0) || shut ||
          game.floors.cell(next, game.state.heroCell()) != tile::Floor) {
        game.bar.code = up ? 69 : 70;
        game.unlockInput();
        break;
      }
      game.state.itemSlot(slot) = 0;
      game.state[gs::Floor] = next;
      if (game.state[gs::MusicTrack] != 0) {
        chooseFloorTrack(game);
        playTrack(game);
      }
      game.drawFloor();
      game.drawHeroAfterMove();
      game.present();
      finish({{wsSound, 2, 0},
              {wsPause, 0, 0},
              {wsShowPanels, 0, 0},
              {wsMessage, i16(up ? 63 : 64), 0}});
      break;
    }
    case 11: {  // snow crystal: the lava around cools; the crystal stays
      static constexpr int kKindBelowRightLeftAbove[] = {11, 10, 9, 12};
      std::vector<std::pair<int, int>> lava;  // cell and door kind, in scan order
      const int dx[] = {0, 1, -1, 0}, dy[] = {1, 0, 0, -1};
      for (int i = 0; i < 4; ++i)
        if (onBoard(x + dx[i], y + dy[i]) && at(cellIndex(x + dx[i], y + dy[i])) == tile::Lava)
          lava.emplace_back(cellIndex(x + dx[i], y + dy[i]), kKindBelowRightLeftAbove[i]);
      if (lava.empty()) {
        game.bar.code = 65;
      } else {
        game.bar.code = msg::Composed;
        game.bar.composed = game.messages.entry(192) + game.messages.entry(198);
      }
      game.stack.push(wsShowPanels);
      for (const auto& [cell, kind] : lava) {
        game.stack.push(wsPause);
        game.stack.push(wsPutCell, i16(cell), tile::Floor);
        game.stack.push(wsPause);
        pushDoor(game, cell, kind);
        game.stack.push(wsPause);
        game.stack.push(wsSound, 1);
      }
      game.stack.push(wsMessage, i16(game.bar.code));
      game.timer2on();
      break;
    }
    case 12: {  // magic key: every yellow door of the floor
      game.state.itemSlot(12) = 0;
      game.stack.push(wsMessage, 66);
      game.stack.push(wsShowPanels);
      for (int c = kCells - 1; c >= 0; --c) {
        if (at(c) != tile::Door) continue;
        pushDoor(game, c, 1);
        game.stack.push(wsPause);
        game.stack.push(wsSound, 1);
      }
      game.timer2on();
      break;
    }
    case 13: {  // super magic mattock: every wall of the floor, column by column
      game.state.itemSlot(13) = 0;
      game.stack.push(wsMessage, 67);
      game.stack.push(wsShowPanels);
      for (int col = kBoardSide - 1; col >= 0; --col)
        for (int row = kBoardSide - 1; row >= 0; --row) {
          const int c = cellIndex(col, row);
          if (at(c) != tile::Wall) continue;
          game.stack.push(wsPause);
          game.stack.push(wsSetCell, i16(c), tile::Floor);
          game.stack.push(wsPause);
          game.stack.push(wsSound, 2);
        }
      game.timer2on();
      break;
    }
    default: game.unlockInput(); break;
  }
}

// A monster fades out of its cell through the appearance masks, then the cell is floor.
void pushDissolveOut(Game& game, int cell) {
  const TileCode monster = game.floors.cell(game.state[gs::Floor], cell);
  game.stack.push(wsPutCell, i16(cell), tile::Floor);
  for (const int mask : {182, 178, 174, 170, 166}) {
    game.stack.push(wsPause, monster, tile::Floor);
    game.stack.push(wsOverlay, i16(cell), i16(mask));
    game.stack.push(wsPause);
    game.stack.push(wsSound, 1);
  }
}

// ---- Orb of flying -----------------------------------------------------------------

void orbOfFlying(Game& game) {
  game.state[gs::FlyDirection] = 0;
  game.dialogs.stairsSide = 0;
  game.scene.monsterKind = -1;
  game.drawMonsterPanel();
  if (game.state.itemSlot(2) != 1) return;
  game.lockInput();
  game.dialogs.stairsSide = scanNeighbours(game, false);
  const int floor = game.state[gs::Floor];
  if (game.bar.code != 19) {
    game.bar.code = 20;
    game.unlockInput();
    return;
  }
  if (game.state[gs::MusicTrack] != 0) game.closeMusic();
  game.controls.flightVisible = true;
  game.controls.flightUpEnabled = floor < game.state[gs::HighestFloor];
  game.controls.flightDownEnabled = floor > 1;
}

void Game::pressFlyUp() {
  const auto noted = records.replay.note(*this, "click fly-up");
  int& floor = state[gs::Floor];
  if (!controls.flightVisible || state.itemSlot(2) != 1 || floor >= state[gs::HighestFloor]) return;
  state[gs::FlyDirection] = 1;
  floor = floor == 43 ? 45 : floor + 1;
  if (floor == 35 && floors.cell(35, 91) + floors.cell(2, 120) == 27)
    floors.setCell(2, 120, tile::Floor);
  drawFloor();
  present();
  controls.flightDownEnabled = floor > 1;
  controls.flightUpEnabled = floor < state[gs::HighestFloor];
}

void Game::pressFlyDown() {
  const auto noted = records.replay.note(*this, "click fly-down");
  int& floor = state[gs::Floor];
  if (!controls.flightVisible || state.itemSlot(2) != 1 || floor < 2) return;
  state[gs::FlyDirection] = 2;
  floor = floor == 45 ? 43 : floor - 1;
  drawFloor();
  present();
  controls.flightUpEnabled = floor < state[gs::HighestFloor];
  controls.flightDownEnabled = floor > 1;
}

void Game::pressFlyOk() {
  const auto noted = records.replay.note(*this, "click fly-ok");
  if (!controls.flightVisible || state.itemSlot(2) != 1) return;
  controls.flightVisible = false;
  dialogs.holdRepeat = false;
  timers.enable(TimerId::Repeat, false);
  const int floor = state[gs::Floor];
  int direction = state[gs::FlyDirection];
  if (direction != 0) {
    if (floor != 25 && floors.cell(25, 71) == tile::Fairy) floors.setCell(25, 71, tile::Floor);
    if (floor != 49 && floors.cell(49, 16) == tile::Fairy) floors.setCell(49, 16, tile::Floor);
    if (floor == state[gs::HighestFloor]) direction = dialogs.stairsSide == 1 ? 2 : 1;
    const int arrival =
        direction == 1 ? floors.upArrivalCell(floor) : floors.downArrivalCell(floor);
    state[gs::HeroX] = cellColumn(arrival);
    state[gs::HeroY] = cellRow(arrival);
    if (state[gs::HighestFloor] == 29 && floor < 29) moveThiefOn29(*this);
    faceAwayFrom(*this, direction == 1 ? tile::StairsDown : tile::StairsUp);
    stack.push(wsPause);
    stack.push(wsSound, 2);
    timer2on();
    bar.code = 23;
    disp(*this);
  }
  drawFloor();
  drawHeroAfterMove();
  present();
  if (state[gs::MusicTrack] != 0) {
    chooseFloorTrack(*this);
    playTrack(*this);
  }
  unlockInput();
}

// ---- Orb of wisdom -----------------------------------------------------------------

void orbOfWisdom(Game& game) {
  if (game.state.itemSlot(1) != 1) return;
  game.dialogs.dialogKind = 1;
  game.lockInput();
  game.dialogs.recallOpen = true;
  game.controls.hintGridVisible = true;
  for (int i = 0; i < 24; ++i) game.controls.hintEnabled[i] = game.state[kHintFlags[i]] == 2;
}

void Game::pressHint(int button) {
  const auto noted = records.replay.note(*this, "click hint " + std::to_string(button));
  if (!controls.hintGridVisible || state.itemSlot(1) != 1 || button < 1 || button > 24 ||
      !controls.hintEnabled[button - 1])
    return;
  controls.windowText = messages.entry(61 + button);
  controls.windowVisible = true;
  controls.okVisible = false;
  state.extra[extra::RecallShown] = 1;
}

void Game::pressHintOk() {
  const auto noted = records.replay.note(*this, "click hint-ok");
  if (!controls.hintGridVisible) return;
  controls.hintGridVisible = false;
  controls.windowVisible = false;
  controls.windowText.clear();
  state.extra[extra::RecallShown] = 0;
  dialogs.recallOpen = false;
  dialogs.dialogKind = 0;
  unlockInput();
}

// ---- Orb of the hero: the forecast -------------------------------------------------

void orbOfTheHero(Game& game) {
  if (game.state.itemSlot(0) != 1) return;
  game.timers.enable(TimerId::Animation, false);
  game.lockInput();
  game.dialogs.forecast.clear();
  game.controls.windowText = game.messages.entry(180);
  const int floor = game.state[gs::Floor];
  for (int c = 0; c < kCells; ++c) {
    const TileCode t = game.floors.cell(floor, c);
    int k = -1;
    if (t >= 61 && t <= 95)
      k = (t - 61) / 2;
    else if (t == 104)
      k = kind::Octopus;
    else if (t == 122)
      k = kind::Dragon;
    else if (t >= 133 && t <= 157)
      k = (t - 133) / 2 + 20;
    if (k >= 0) addForecast(game, k);
  }
  game.controls.forecastVisible = true;
}

void addForecast(Game& game, int k) {
  if (game.dialogs.forecast.size() >= 7) return;
  for (const ForecastRow& row : game.dialogs.forecast)
    if (row.kind == k) return;
  const MonsterStats& m = game.monsters[k];
  const std::int64_t L = game.state.levelFactor();
  game.dialogs.forecast.push_back(
      ForecastRow{k, game.messages.entry(monsterNameEntry(k)),
                  game.messages.entry(214) + " " + std::to_string(m.life * L) + " " +
                      game.messages.entry(215) + " " + std::to_string(m.offense * L) + " " +
                      game.messages.entry(216) + " " + std::to_string(m.defense * L),
                  game.forecastText(k)});
}

// What fighting one of this kind would cost, without the cross or the Dragon Slayer.
std::string Game::forecastText(int k) const {
  return costText(fightCost(state, monsters[k], k, false));
}

std::string Game::costText(const FightCost& cost) const {
  if (!cost.canHurt) return messages.entry(185);
  return messages.entry(184) + " " + std::to_string(cost.damage);
}

void Game::pressForecastOk() {
  const auto noted = records.replay.note(*this, "click forecast-ok");
  if (!controls.forecastVisible) return;
  controls.forecastVisible = false;
  controls.windowText.clear();
  dialogs.forecast.clear();
  unlockInput();
  drawKeyPanel();
  timers.enable(TimerId::Animation, true);
}

}  // namespace kelvorn
