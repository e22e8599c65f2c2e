// Using the special items: the three orbs act at once; the others ask "Don't use" /
// "Use" first. Changes to stats, gold and slots happen at once; walls, lava, doors and
// monsters change through the steps that show them.
#include <algorithm>
#include <vector>

#include "rules/game.h"

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
  const auto noted = replay.note(*this, "click item " + std::to_string(slot));
  if (slot < 0 || slot >= kItemSlots) return;
  // As the keys wait, an item waits for the steps under way (the warp staff's and the
  // flight's last sound play with input given back): begun under them, its own steps
  // and windows would mix with theirs and could strand them without a timer.
  if (stack.count() > 0) return;
  switch (slot) {
    case 0: return orbOfTheHero();
    case 1: return orbOfWisdom();
    case 2: return orbOfFlying();
    case 3:
    case 10:
    case 14: return;  // passive items
    default: break;
  }
  if (!holds(slot)) return;
  lockInput();
  pendingItem = slot;
  controls.confirmSlot = slot;
}

void Game::pressDontUse() {
  const auto noted = replay.note(*this, "click dont-use");
  if (controls.confirmSlot < 0) return;
  controls.confirmSlot = -1;
  pendingItem = -1;
  unlockInput();
}

void Game::pressUse() {
  const auto noted = replay.note(*this, "click use");
  if (controls.confirmSlot < 0) return;
  controls.confirmSlot = -1;
  const int slot = pendingItem;
  pendingItem = -1;
  // The item is checked again: only an item still held is used.
  if (!holds(slot)) return unlockInput();
  useItem(slot);
}

void Game::useItem(int slot) {
  const int floor = state[gs::Floor];
  const int x = state[gs::HeroX], y = state[gs::HeroY];
  auto at = [&](int cell) { return floors.cell(floor, cell); };
  auto finish = [&](std::initializer_list<WorkStep> runOrder) {
    std::vector<WorkStep> steps(runOrder);
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) stack.push(*it);
    timer2on();
  };
  switch (slot) {
    case 4: {  // magic elixir
      const std::int64_t gain =
          10 * std::int64_t{state[gs::Offense]} + 5 * std::int64_t{state[gs::Defense]};
      state.add(gs::Life, gain);
      state.itemSlot(4) = 0;
      messageCode = msg::Composed;
      composedMessage = messages.entry(186) + " " + std::to_string(gain) + messages.entry(166);
      finish({{wsSound, 2, 0},
              {wsPause, 0, 0},
              {wsShowPanels, 0, 0},
              {wsPause, 0, 0},
              {wsMessage, msg::Composed, 0},
              {wsPause, 0, 0}});
      break;
    }
    case 5: {  // magic mattock: the walls around fall
      state.itemSlot(5) = 0;
      stack.push(wsMessage, 60);
      stack.push(wsShowPanels);
      for (const int c : itemNeighbours(x, y)) {
        if (at(c) != tile::Wall) continue;
        stack.push(wsPause);
        pushDoor(c, 7);
        stack.push(wsPause);
        stack.push(wsSound, 1);
      }
      timer2on();
      break;
    }
    case 6: {  // destructible ball: the monsters around die, their gold is won
      std::int64_t sum = 0;
      std::vector<int> found;
      for (const int c : itemNeighbours(x, y))
        if (const int k = destructibleKind(at(c)); k >= 0) {
          sum += monsters[k].gold;
          found.push_back(c);
        }
      state.add(gs::Gold, sum);
      state.itemSlot(6) = 0;
      monsterKind = -1;  // no battle: the reactions that follow know no foe
      messageCode = msg::Composed;
      composedMessage = messages.entry(188) + messages.entry(200) + " " + std::to_string(sum) +
                        messages.entry(201);
      stack.push(wsPause);
      stack.push(wsScript, script::MonsterReactions, 5);
      stack.push(wsMessage, 0);
      stack.push(wsShowPanels);
      for (const int c : found) pushDissolveOut(c);
      timer2on();
      break;
    }
    case 7: {  // warp staff: to the cell mirrored through the board's centre
      --state.itemSlot(7);
      const int from = state.heroCell();
      const int target = kCells - 1 - from;
      if (at(target) == tile::Floor) {
        drawCell(from);
        state[gs::HeroX] = cellColumn(target);
        state[gs::HeroY] = cellRow(target);
        drawHeroAfterMove();
        present();
        stack.push(wsSound, 2);
        timer2on();
        messageCode = 62;
      } else {
        messageCode = 68;
      }
      unlockInput();
      break;
    }
    case 8:
    case 9: {  // wings: the same cell one floor up or down, if it is free
      const bool up = slot == 8;
      const int next = floor + (up ? 1 : -1);
      // Floor 50 has no stairs: before the floor-24 scene has brought the hero there, its
      // Zeno is not written yet and the wings would strand him, so they refuse to go.
      const bool shut = next == 50 && state[gs::RideToFloor50] == 0;
      if ((up ? floor >= 50 : floor <= 0) || shut ||
          floors.cell(next, state.heroCell()) != tile::Floor) {
        messageCode = up ? 69 : 70;
        unlockInput();
        break;
      }
      state.itemSlot(slot) = 0;
      state[gs::Floor] = next;
      if (state[gs::MusicTrack] != 0) {
        chooseFloorTrack();
        playTrack();
      }
      drawFloor();
      drawHeroAfterMove();
      present();
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
        messageCode = 65;
      } else {
        messageCode = msg::Composed;
        composedMessage = messages.entry(192) + messages.entry(198);
      }
      stack.push(wsShowPanels);
      for (const auto& [cell, kind] : lava) {
        stack.push(wsPause);
        stack.push(wsPutCell, i16(cell), tile::Floor);
        stack.push(wsPause);
        pushDoor(cell, kind);
        stack.push(wsPause);
        stack.push(wsSound, 1);
      }
      stack.push(wsMessage, i16(messageCode));
      timer2on();
      break;
    }
    case 12: {  // magic key: every yellow door of the floor
      state.itemSlot(12) = 0;
      stack.push(wsMessage, 66);
      stack.push(wsShowPanels);
      for (int c = kCells - 1; c >= 0; --c) {
        if (at(c) != tile::Door) continue;
        pushDoor(c, 1);
        stack.push(wsPause);
        stack.push(wsSound, 1);
      }
      timer2on();
      break;
    }
    case 13: {  // super magic mattock: every wall of the floor, column by column
      state.itemSlot(13) = 0;
      stack.push(wsMessage, 67);
      stack.push(wsShowPanels);
      for (int col = kBoardSide - 1; col >= 0; --col)
        for (int row = kBoardSide - 1; row >= 0; --row) {
          const int c = cellIndex(col, row);
          if (at(c) != tile::Wall) continue;
          stack.push(wsPause);
          stack.push(wsSetCell, i16(c), tile::Floor);
          stack.push(wsPause);
          stack.push(wsSound, 2);
        }
      timer2on();
      break;
    }
    default: unlockInput(); break;
  }
}

// A monster fades out of its cell through the appearance masks, then the cell is floor.
void Game::pushDissolveOut(int cell) {
  const TileCode monster = floors.cell(state[gs::Floor], cell);
  stack.push(wsPutCell, i16(cell), tile::Floor);
  for (const int mask : {182, 178, 174, 170, 166}) {
    stack.push(wsPause, monster, tile::Floor);
    stack.push(wsOverlay, i16(cell), i16(mask));
    stack.push(wsPause);
    stack.push(wsSound, 1);
  }
}

// ---- Orb of flying -----------------------------------------------------------------

void Game::orbOfFlying() {
  state[gs::FlyDirection] = 0;
  stairsSide = 0;
  monsterKind = -1;
  drawMonsterPanel();
  if (state.itemSlot(2) != 1) return;
  lockInput();
  stairsSide = scanNeighbours(false);
  const int floor = state[gs::Floor];
  if (messageCode != 19) {
    messageCode = 20;
    unlockInput();
    return;
  }
  if (state[gs::MusicTrack] != 0) closeMusic();
  controls.flightVisible = true;
  controls.flightUpEnabled = floor < state[gs::HighestFloor];
  controls.flightDownEnabled = floor > 1;
}

void Game::pressFlyUp() {
  const auto noted = replay.note(*this, "click fly-up");
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
  const auto noted = replay.note(*this, "click fly-down");
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
  const auto noted = replay.note(*this, "click fly-ok");
  if (!controls.flightVisible || state.itemSlot(2) != 1) return;
  controls.flightVisible = false;
  holdRepeat = false;
  timers.enable(TimerId::Repeat, false);
  const int floor = state[gs::Floor];
  int direction = state[gs::FlyDirection];
  if (direction != 0) {
    if (floor != 25 && floors.cell(25, 71) == tile::Fairy) floors.setCell(25, 71, tile::Floor);
    if (floor != 49 && floors.cell(49, 16) == tile::Fairy) floors.setCell(49, 16, tile::Floor);
    if (floor == state[gs::HighestFloor]) direction = stairsSide == 1 ? 2 : 1;
    const int arrival =
        direction == 1 ? floors.upArrivalCell(floor) : floors.downArrivalCell(floor);
    state[gs::HeroX] = cellColumn(arrival);
    state[gs::HeroY] = cellRow(arrival);
    if (state[gs::HighestFloor] == 29 && floor < 29) moveThiefOn29();
    faceAwayFrom(direction == 1 ? tile::StairsDown : tile::StairsUp);
    stack.push(wsPause);
    stack.push(wsSound, 2);
    timer2on();
    messageCode = 23;
    disp();
  }
  drawFloor();
  drawHeroAfterMove();
  present();
  if (state[gs::MusicTrack] != 0) {
    chooseFloorTrack();
    playTrack();
  }
  unlockInput();
}

// ---- Orb of wisdom -----------------------------------------------------------------

void Game::orbOfWisdom() {
  if (state.itemSlot(1) != 1) return;
  dialogKind = 1;
  lockInput();
  recallOpen = true;
  controls.hintGridVisible = true;
  for (int i = 0; i < 24; ++i) controls.hintEnabled[i] = state[kHintFlags[i]] == 2;
}

void Game::pressHint(int button) {
  const auto noted = replay.note(*this, "click hint " + std::to_string(button));
  if (!controls.hintGridVisible || state.itemSlot(1) != 1 || button < 1 || button > 24 ||
      !controls.hintEnabled[button - 1])
    return;
  controls.windowText = messages.entry(61 + button);
  controls.windowVisible = true;
  controls.okVisible = false;
  state.extra[extra::RecallShown] = 1;
}

void Game::pressHintOk() {
  const auto noted = replay.note(*this, "click hint-ok");
  if (!controls.hintGridVisible) return;
  controls.hintGridVisible = false;
  controls.windowVisible = false;
  controls.windowText.clear();
  state.extra[extra::RecallShown] = 0;
  recallOpen = false;
  dialogKind = 0;
  unlockInput();
}

// ---- Orb of the hero: the forecast -------------------------------------------------

void Game::orbOfTheHero() {
  if (state.itemSlot(0) != 1) return;
  timers.enable(TimerId::Animation, false);
  lockInput();
  forecast.clear();
  controls.windowText = messages.entry(180);
  const int floor = state[gs::Floor];
  for (int c = 0; c < kCells; ++c) {
    const TileCode t = floors.cell(floor, c);
    int k = -1;
    if (t >= 61 && t <= 95)
      k = (t - 61) / 2;
    else if (t == 104)
      k = kind::Octopus;
    else if (t == 122)
      k = kind::Dragon;
    else if (t >= 133 && t <= 157)
      k = (t - 133) / 2 + 20;
    if (k >= 0) addForecast(k);
  }
  controls.forecastVisible = true;
}

void Game::addForecast(int k) {
  if (forecast.size() >= 7) return;
  for (const ForecastRow& row : forecast)
    if (row.kind == k) return;
  const MonsterStats& m = monsters[k];
  const std::int64_t L = state.levelFactor();
  forecast.push_back(ForecastRow{k, messages.entry(monsterNameEntry(k)),
                                 messages.entry(214) + " " + std::to_string(m.life * L) + " " +
                                     messages.entry(215) + " " + std::to_string(m.offense * L) +
                                     " " + messages.entry(216) + " " +
                                     std::to_string(m.defense * L),
                                 forecastText(k)});
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
  const auto noted = replay.note(*this, "click forecast-ok");
  if (!controls.forecastVisible) return;
  controls.forecastVisible = false;
  controls.windowText.clear();
  forecast.clear();
  unlockInput();
  drawKeyPanel();
  timers.enable(TimerId::Animation, true);
}

}  // namespace kelvorn
