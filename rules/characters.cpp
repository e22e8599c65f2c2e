// The building's people: old men with hints and gifts, merchants, the thief, the
// fairies who judge the hero at the checkpoints, and the altars.
#include <algorithm>

#include "rules/game.h"
#include "rules/scene_script.h"

namespace kelvorn {

namespace {

// A hint state: 2 when heard while owning the orb of wisdom, which can replay it.
std::int32_t heardNow(const GameState& s) { return s.itemSlot(1) == 1 ? 2 : 1; }

struct OldMan {
  int floor, column, hint, talk;  // column -1: any
};
constexpr OldMan kOldMen[] = {
    {2, -1, 25, 66},  {3, -1, 26, 67},  {4, -1, 0, 68},   {6, -1, 1, 69},   {16, 9, 27, 71},
    {16, -1, 6, 70},  {18, -1, 7, 72},  {21, -1, 8, 73},  {27, -1, 9, 74},  {31, -1, 10, 75},
    {33, -1, 12, 76}, {36, -1, 13, 77}, {37, -1, 14, 78}, {39, -1, 16, 79}, {42, -1, 18, 80},
    {45, -1, 19, 81}, {46, -1, 21, 82}, {48, -1, 23, 83}};

struct Merchant {
  int floor, column, offer, price, deal, hint, hintMessage;  // hint -1: none
};
constexpr Merchant kMerchants[] = {
    {2, -1, 246, 0, 42, 54, 91},     {6, -1, 247, 50, 43, 55, 64},
    {7, -1, 248, 50, 44, 56, 65},    {12, 1, 249, 800, 45, 57, 66},
    {12, 9, 250, 1000, 46, -1, -1},  {15, -1, 251, 200, 47, 59, 67},
    {28, -1, 252, 0, 48, -1, -1},    {31, -1, 253, 1000, 49, 61, 73},
    {38, -1, 254, 200, 50, 62, 77},  {39, -1, 255, 2000, 51, 63, 79},
    {45, -1, 256, 1000, 52, 64, 82}, {47, -1, 257, 4000, 53, 65, 84}};

const Merchant* merchantHere(int floor, int column) {
  for (const Merchant& m : kMerchants)
    if (m.floor == floor && (m.column < 0 || m.column == column)) return &m;
  return nullptr;
}
}  // namespace

// A plain dialogue window with an arbitrary text and an OK button (or none).
void Game::openDialog(const std::string& text, bool ok) {
  lockInput();
  dialogKind = 0;
  controls.windowText = text;
  controls.windowVisible = true;
  controls.okVisible = ok;
}

void Game::closeDialog() {
  controls.windowVisible = false;
  controls.windowText.clear();
  controls.okVisible = false;
  controls.yesNoVisible = false;
  controls.noEnabled = true;
  controls.altarChoicesVisible = false;
}

void Game::oldMan() {
  const int floor = state[gs::Floor];
  if (floor == 23) {  // he only points at the hidden words of his room
    stack.push(wsPause);
    stack.push(wsAsk, 61);
    timer2on();
    return;
  }
  const OldMan* found = nullptr;
  for (const OldMan& o : kOldMen)
    if (o.floor == floor && (o.column < 0 || o.column == state[gs::HeroX])) {
      found = &o;
      break;
    }
  if (!found) return;
  lockInput();
  dialogKind = 0;
  std::int32_t& flag = state[found->talk];
  if (flag != 0) {
    hintNumber = 24;  // "I have done what I can."
    openMessageWindow();
    return;
  }
  flag = heardNow(state);
  hintNumber = found->hint;
  // An old man's gift is shown by a short script while his words stay open.
  auto gift = [&](const SceneScript& script) {
    script.pushOnto(stack);
    timer2on();
  };
  if (floor == 2 && state[gs::OldManGiftGiven] == 0) {
    state[gs::OldManGiftGiven] = 1;
    state.add(gs::Offense, std::int64_t{state[gs::Offense]} * 3 / 100);
    state.add(gs::Defense, std::int64_t{state[gs::Defense]} * 3 / 100);
    gift(SceneScript().pause(2).sound(2).pause().step(wsMessage, 0).pause());
  } else if (floor == 16 && found->column == 9 && state[gs::ElixirGiftGiven] == 0) {
    state[gs::ElixirGiftGiven] = 1;
    state.itemSlot(4) = 1;
    gift(SceneScript().pause(2).sound(2).pause().step(wsShowPanels).pause());
  } else if (floor == 3) {
    // The orb of the hero: input stays locked until his words are closed with OK.
    state.itemSlot(0) = 2;
    gift(SceneScript().step(wsMessage, 11).pause().sound(2).pause().step(wsShowPanels).pause());
  }
  openMessageWindow();
}

void Game::merchant() {
  const Merchant* m = merchantHere(state[gs::Floor], state[gs::HeroX]);
  if (!m) return;
  altarAsked = false;
  dialogKind = 0;
  lockInput();
  if (state[m->deal] == 0) {
    offerPrice = m->price;
    controls.windowText = messages.entry(m->offer);
    controls.windowVisible = true;
    controls.okVisible = false;
    controls.yesNoVisible = true;
    controls.noEnabled = m->floor != 2;  // his gift cannot be refused
    return;
  }
  if (m->hint >= 0 && state[m->hint] == 0) {
    state[m->hint] = heardNow(state);
    hintNumber = m->hintMessage - 62;
  } else {
    hintNumber = m->floor == 2 ? 29 : 28;
  }
  openMessageWindow();
}

void Game::pressYes() {
  const auto noted = replay.note(*this, "click yes");
  if (!controls.yesNoVisible) return;
  controls.yesNoVisible = false;
  controls.noEnabled = true;
  if (altarAsked) {
    const int c = state[gs::AltarCount];
    const std::int64_t r = state.levelFactor(), band = (state[gs::Floor] + 10) / 10;
    controls.windowText = messages.entry(204);
    controls.altarChoices = {
        messages.entry(205) + " " + std::to_string((c + 1) * 100 * r) + " " + messages.entry(206),
        messages.entry(207) + " " + std::to_string(band * 2 * r) + " " + messages.entry(208),
        messages.entry(209) + " " + std::to_string(band * 4 * r) + " " + messages.entry(208),
        messages.entry(210)};
    controls.altarChoicesVisible = true;
    return;
  }
  const Merchant* m = merchantHere(state[gs::Floor], state[gs::HeroX]);
  if (!m) return closeDialog(), unlockInput();
  auto purchased = [&] {
    openDialog(messages.entry(259), true);
    stack.push(wsMessage, 0);
    stack.push(wsShowPanels);
    stack.push(wsPause);
    stack.push(wsSound, 2);
    timer2on();
  };
  if (m->floor == 28) {  // he buys keys
    if (state[gs::YellowKeys] == 0) return openDialog(messages.entry(262), true);
    state.add(gs::YellowKeys, -1);
    state.add(gs::Gold, 100);
    return purchased();
  }
  if (state[gs::Gold] < m->price) return openDialog(messages.entry(258), true);
  state.add(gs::Gold, -m->price);
  if (m->floor != 12 || m->column != 9) state[m->deal] = 1;
  switch (m->floor) {
    case 2: state.add(gs::Gold, 1000); break;
    case 6:
    case 15: state.add(gs::BlueKeys, 1); break;
    case 7: state.add(gs::YellowKeys, 5); break;
    case 12: state.add(m->column == 1 ? gs::RedKeys : gs::YellowKeys, 1); break;
    case 31:
      state.add(gs::YellowKeys, 4);
      state.add(gs::BlueKeys, 1);
      break;
    case 38: state.add(gs::YellowKeys, 3); break;
    case 39: state.add(gs::BlueKeys, 3); break;
    case 45: state.add(gs::Life, 2000); break;
    case 47: state.itemSlot(13) = 1; break;
    default: break;
  }
  purchased();
}

void Game::pressNo() {
  const auto noted = replay.note(*this, "click no");
  if (!controls.yesNoVisible || !controls.noEnabled) return;
  closeDialog();
  altarAsked = false;
  unlockInput();
}

void Game::altarOffer() {
  // Past about 14 650 purchases the price no longer fits in 32 bits and stays at the
  // limit; the count is capped first so the square cannot overflow either.
  const std::int64_t c = std::min<std::int64_t>(state[gs::AltarCount], 1 << 20);
  offerPrice = saturate(10 * (c * c + c + 2));
  altarAsked = true;
  lockInput();
  dialogKind = 2;
  controls.windowText =
      messages.entry(202) + " " + std::to_string(offerPrice) + " " + messages.entry(203);
  controls.windowVisible = true;
  controls.okVisible = false;
  controls.yesNoVisible = true;
  controls.noEnabled = true;
}

void Game::pressAltarChoice(int choice) {
  const auto noted = replay.note(*this, "click altar " + std::to_string(choice));
  if (!controls.altarChoicesVisible || choice < 1 || choice > 4) return;
  closeDialog();
  altarAsked = false;
  if (choice == 4) return unlockInput();
  if (state[gs::Gold] < offerPrice) return openDialog(messages.entry(211), true);
  const std::int64_t c = state[gs::AltarCount];
  const std::int64_t r = state.levelFactor(), band = (state[gs::Floor] + 10) / 10;
  const std::int64_t amount = choice == 1 ? (c + 1) * 100 * r : band * (choice == 2 ? 2 : 4) * r;
  state.add(gs::AltarCount, 1);
  state.add(gs::Gold, -offerPrice);
  state.add(choice == 1 ? gs::Life : choice == 2 ? gs::Offense : gs::Defense, amount);
  messageCode = msg::Composed;
  composedMessage =
      messages.entry(180 + choice) + " " + std::to_string(amount) + messages.entry(166);
  stack.push(wsPause);
  stack.push(wsMessage, msg::Composed);
  stack.push(wsPause);
  stack.push(wsSound, 2);
  timer2on();
}

void Game::thief() {
  const int floor = state[gs::Floor], x = state[gs::HeroX];
  auto dialogue = [&](int n) { stack.push(wsAsk, i16(n)); };
  if (floor == 2 && x == 0) {
    dialogue(5);
  } else if (floor == 2 && (x == 2 || x == 3)) {
    composedMessage = messages.entry(137);
    if (state[gs::MusicTrack] != 0) chooseFloorTrack();
    dialogue(4);
    stack.push(wsMessage, msg::Composed);
    pushDoor(67, 7);
    stack.push(wsSound, 1);
  } else if (floor == 2 && (x == 9 || x == 10)) {
    dialogue(state[96] == 1 ? 7 : 6);
  } else if (floor == 15) {
    stack.push(wsSetCell, 6, tile::Floor);
    stack.push(wsSound, 2);
    stack.push(wsPause);
    stack.push(wsMoveSprite, 7, 6);
    stack.push(wsPause);
    stack.push(wsMoveSprite, 8, 7);
    stack.push(wsPause);
    dialogue(18);
    stack.push(wsPause);
    pushDoor(7, 7);
    stack.push(wsSound, 1);
  } else if (floor == 29) {
    // The OK after these words only restarts the steps: a pause must follow the question,
    // or the held dialogue never ends and input stays locked.
    stack.push(wsPause);
    dialogue(state.heroCell() == 27 ? 27 : state[118] == 1 ? 29 : 28);
  } else if (floor == 35) {
    floors.setCell(2, 120, tile::Floor);
    stack.push(wsPause);
    dialogue(state[122] == 1 ? 33 : 32);
  } else if (floor == 50) {
    dialogue(264);
  } else {
    return;
  }
  timer2on();
}

void Game::fairy() {
  struct Checkpoint {
    int floor, cell, dialogue;
  };
  static constexpr Checkpoint kCheckpoints[] = {
      {10, 27, 16}, {20, 49, 22}, {25, 71, 24}, {40, 60, 40}, {49, 16, 47}};
  const int floor = state[gs::Floor];
  int n = 0;
  for (int i = 0; i < 5; ++i)
    if (kCheckpoints[i].floor == floor) n = i + 1;
  if (n == 0) return;
  const Checkpoint& cp = kCheckpoints[n - 1];
  lockInput();
  const bool music = state[gs::MusicTrack] != 0;
  if (music) {
    closeMusic();
    state[gs::MusicTrack] = 12;
    playTrack();
  }
  state.add(gs::FairyVisits, 1);
  ++undoBarriers;

  const std::int64_t L = state[gs::Life], O = state[gs::Offense], D = state[gs::Defense];
  const std::int64_t keys = std::int64_t{state[gs::YellowKeys]} +
                            2 * std::int64_t{state[gs::BlueKeys]} +
                            3 * std::int64_t{state[gs::RedKeys]};
  const std::int64_t r = state.levelFactor();
  std::int64_t score = 0;
  switch (n) {
    case 1: score = (L - 400 * r) / 50 + 60 + 3 * (O - 29 * r) + 2 * (D - 35 * r); break;
    case 2: score = (L - 800 * r) / 100 + 60 + 2 * (O - 74 * r) + (D - 80 * r); break;
    case 4: score = (L - 1600 * r) / 200 + 60 + (O - 152 * r) + (D - 198 * r) / 2; break;
    default: score = (L - 3000 * r) / 400 + 60 + (O - 240 * r) / 2 + (D - 300 * r) / 3; break;
  }
  score = std::clamp<std::int64_t>(score + keys, 0, INT32_MAX);
  state[gs::LastScore] = static_cast<std::int32_t>(score);
  state[gs::RankWon] = 0;

  const RankingLookup ranking = host().judgementRanking(n, state[gs::SaveVersion]);
  if (!ranking.problem.empty()) showNotice(ranking.problem);
  const int place = rankingPlace(ranking.rows, {state[gs::LastScore], state[gs::Life],
                                                state[gs::Offense], state[gs::Defense]});
  state[gs::RankWon] = place;
  state[gs::Checkpoint] = n;
  if (const std::string error = host().handOver(SavedGame{floors, state}); !error.empty())
    showNotice(error);

  std::string text;
  if (place > 0)
    text = messages.entry(244) + " " + std::to_string(place) + " " + messages.entry(245);
  text += messages.entry(220) + " " + std::to_string(score) + " " + messages.entry(221);
  auto rank = [&](int praise, int title) {
    text += messages.entry(praise) + messages.entry(228) + messages.entry(title) +
            messages.entry(234) + messages.entry(state[gs::FairyVisits] <= 3 ? 235 : 236);
  };
  if (score < 50)
    text += messages.entry(222);
  else if (score < 60)
    text += messages.entry(223);
  else if (score < 80)
    text += messages.entry(224);
  else if (score < 100)
    text += messages.entry(225);
  else if (score <= 120)
    rank(226, 229);
  else if (score <= 140)
    rank(226, 230);
  else if (score <= 160)
    rank(227, 231);
  else if (score <= 200)
    rank(227, 232);
  else if (score <= 9999)
    rank(227, 233);
  controls.windowText = text;

  if (music) stack.push(wsRestartMusic);
  stack.push(wsSetCell, i16(cp.cell), tile::Floor);
  stack.push(wsPause);
  stack.push(wsSound, 2);
  for (int i = 0; i < 3; ++i) stack.push(wsPause);
  stack.push(wsAsk, i16(cp.dialogue));
  stack.push(wsPause);
  stack.push(wsPause);
  timer2on();
}

// Once the hero has climbed past the tunnel of floor 29, its thief is caught and put in
// the prison of floor 2 (cell 120, met from columns 9 and 10), where he promises the
// tunnel of floor 35. Until that tunnel is dug, every climb onto floor 30 puts him back
// there, so no way through the game can miss him.
void Game::jailTunnelThief() {
  if (floors.cell(35, 91) != tile::Floor) floors.setCell(2, 120, tile::Thief);
}

void Game::moveThiefOn29() {
  floors.setCell(29, 38, tile::Floor);
  floors.setCell(29, 27, tile::Floor);
  floors.setCell(29, 17, tile::Thief);
}

}  // namespace kelvorn
