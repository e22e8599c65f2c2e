// The building's people: old men with hints and gifts, merchants, the thief, the
// fairies who judge the hero at the checkpoints, and the altars.
#include "rules/characters.h"

#include <algorithm>

#include "rules/doors.h"
#include "rules/game_upkeep.h"
#include "rules/message_window.h"
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
void openDialog(Game& game, const std::string& text, bool ok) {
  game.lockInput();
  game.dialogs.dialogKind = 0;
  game.controls.windowText = text;
  game.controls.windowVisible = true;
  game.controls.okVisible = ok;
}

void closeDialog(Game& game) {
  game.controls.windowVisible = false;
  game.controls.windowText.clear();
  game.controls.okVisible = false;
  game.controls.yesNoVisible = false;
  game.controls.noEnabled = true;
  game.controls.altarChoicesVisible = false;
}

void oldMan(Game& game) {
  const int floor = game.state[gs::Floor];
  if (floor == 23) {  // he only points at the hidden words of his room
    game.stack.push(wsPause);
    game.stack.push(wsAsk, 61);
    game.timer2on();
    return;
  }
  const OldMan* found = nullptr;
  for (const OldMan& o : kOldMen)
    if (o.floor == floor && (o.column < 0 || o.column == game.state[gs::HeroX])) {
      found = &o;
      break;
    }
  if (!found) return;
  game.lockInput();
  game.dialogs.dialogKind = 0;
  std::int32_t& flag = game.state[found->talk];
  if (flag != 0) {
    game.dialogs.hintNumber = 24;  // "I have done what I can."
    game.openMessageWindow();
    return;
  }
  flag = heardNow(game.state);
  game.dialogs.hintNumber = found->hint;
  // An old man's gift is shown by a short script while his words stay open.
  auto gift = [&](const SceneScript& script) {
    script.pushOnto(game.stack);
    game.timer2on();
  };
  if (floor == 2 && game.state[gs::OldManGiftGiven] == 0) {
    game.state[gs::OldManGiftGiven] = 1;
    game.state.add(gs::Offense, std::int64_t{game.state[gs::Offense]} * 3 / 100);
    game.state.add(gs::Defense, std::int64_t{game.state[gs::Defense]} * 3 / 100);
    gift(SceneScript().pause(2).sound(2).pause().step(wsMessage, 0).pause());
  } else if (floor == 16 && found->column == 9 && game.state[gs::ElixirGiftGiven] == 0) {
    game.state[gs::ElixirGiftGiven] = 1;
    game.state.itemSlot(4) = 1;
    gift(SceneScript().pause(2).sound(2).pause().step(wsShowPanels).pause());
  } else if (floor == 3) {
    // The orb of the hero: input stays locked until his words are closed with OK.
    game.state.itemSlot(0) = 2;
    gift(SceneScript().step(wsMessage, 11).pause().sound(2).pause().step(wsShowPanels).pause());
  }
  game.openMessageWindow();
}

void merchant(Game& game) {
  const Merchant* m = merchantHere(game.state[gs::Floor], game.state[gs::HeroX]);
  if (!m) return;
  game.dialogs.altarAsked = false;
  game.dialogs.dialogKind = 0;
  game.lockInput();
  if (game.state[m->deal] == 0) {
    game.dialogs.offerPrice = m->price;
    game.controls.windowText = game.messages.entry(m->offer);
    game.controls.windowVisible = true;
    game.controls.okVisible = false;
    game.controls.yesNoVisible = true;
    game.controls.noEnabled = m->floor != 2;  // his gift cannot be refused
    return;
  }
  if (m->hint >= 0 && game.state[m->hint] == 0) {
    game.state[m->hint] = heardNow(game.state);
    game.dialogs.hintNumber = m->hintMessage - 62;
  } else {
    game.dialogs.hintNumber = m->floor == 2 ? 29 : 28;
  }
  game.openMessageWindow();
}

void Game::pressYes() {
  const auto noted = records.replay.note(*this, "click yes");
  if (!controls.yesNoVisible) return;
  controls.yesNoVisible = false;
  controls.noEnabled = true;
  if (dialogs.altarAsked) {
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
  if (!m) return closeDialog(*this), unlockInput();
  auto purchased = [&] {
    openDialog(*this, messages.entry(259), true);
    stack.push(wsMessage, 0);
    stack.push(wsShowPanels);
    stack.push(wsPause);
    stack.push(wsSound, 2);
    timer2on();
  };
  if (m->floor == 28) {  // he buys keys
    if (state[gs::YellowKeys] == 0) return openDialog(*this, messages.entry(262), true);
    state.add(gs::YellowKeys, -1);
    state.add(gs::Gold, 100);
    return purchased();
  }
  if (state[gs::Gold] < m->price) return openDialog(*this, messages.entry(258), true);
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
  const auto noted = records.replay.note(*this, "click no");
  if (!controls.yesNoVisible || !controls.noEnabled) return;
  closeDialog(*this);
  dialogs.altarAsked = false;
  unlockInput();
}

void altarOffer(Game& game) {
  // Past about 14 650 purchases the price no longer fits in 32 bits and stays at the
  // limit; the count is capped first so the square cannot overflow either.
  const std::int64_t c = std::min<std::int64_t>(game.state[gs::AltarCount], 1 << 20);
  game.dialogs.offerPrice = saturate(10 * (c * c + c + 2));
  game.dialogs.altarAsked = true;
  game.lockInput();
  game.dialogs.dialogKind = 2;
  game.controls.windowText = game.messages.entry(202) + " " +
                             std::to_string(game.dialogs.offerPrice) + " " +
                             game.messages.entry(203);
  game.controls.windowVisible = true;
  game.controls.okVisible = false;
  game.controls.yesNoVisible = true;
  game.controls.noEnabled = true;
}

void Game::pressAltarChoice(int choice) {
  const auto noted = records.replay.note(*this, "click altar " + std::to_string(choice));
  if (!controls.altarChoicesVisible || choice < 1 || choice > 4) return;
  closeDialog(*this);
  dialogs.altarAsked = false;
  if (choice == 4) return unlockInput();
  if (state[gs::Gold] < dialogs.offerPrice) return openDialog(*this, messages.entry(211), true);
  const std::int64_t c = state[gs::AltarCount];
  const std::int64_t r = state.levelFactor(), band = (state[gs::Floor] + 10) / 10;
  const std::int64_t amount = choice == 1 ? (c + 1) * 100 * r : band * (choice == 2 ? 2 : 4) * r;
  state.add(gs::AltarCount, 1);
  state.add(gs::Gold, -dialogs.offerPrice);
  state.add(choice == 1 ? gs::Life : choice == 2 ? gs::Offense : gs::Defense, amount);
  bar.code = msg::Composed;
  bar.composed = messages.entry(180 + choice) + " " + std::to_string(amount) + messages.entry(166);
  stack.push(wsPause);
  stack.push(wsMessage, msg::Composed);
  stack.push(wsPause);
  stack.push(wsSound, 2);
  timer2on();
}

void thief(Game& game) {
  const int floor = game.state[gs::Floor], x = game.state[gs::HeroX];
  auto dialogue = [&](int n) { game.stack.push(wsAsk, i16(n)); };
  if (floor == 2 && x == 0) {
    dialogue(5);
  } else if (floor == 2 && (x == 2 || x == 3)) {
    game.bar.composed = game.messages.entry(137);
    if (game.state[gs::MusicTrack] != 0) chooseFloorTrack(game);
    dialogue(4);
    game.stack.push(wsMessage, msg::Composed);
    pushDoor(game, 67, 7);
    game.stack.push(wsSound, 1);
  } else if (floor == 2 && (x == 9 || x == 10)) {
    dialogue(game.state[96] == 1 ? 7 : 6);
  } else if (floor == 15) {
    game.stack.push(wsSetCell, 6, tile::Floor);
    game.stack.push(wsSound, 2);
    game.stack.push(wsPause);
    game.stack.push(wsMoveSprite, 7, 6);
    game.stack.push(wsPause);
    game.stack.push(wsMoveSprite, 8, 7);
    game.stack.push(wsPause);
    dialogue(18);
    game.stack.push(wsPause);
    pushDoor(game, 7, 7);
    game.stack.push(wsSound, 1);
  } else if (floor == 29) {
    // The OK after these words only restarts the steps: a pause must follow the question,
    // or the held dialogue never ends and input stays locked.
    game.stack.push(wsPause);
    dialogue(game.state.heroCell() == 27 ? 27 : game.state[118] == 1 ? 29 : 28);
  } else if (floor == 35) {
    game.floors.setCell(2, 120, tile::Floor);
    game.stack.push(wsPause);
    dialogue(game.state[122] == 1 ? 33 : 32);
  } else if (floor == 50) {
    dialogue(264);
  } else {
    return;
  }
  game.timer2on();
}

void fairy(Game& game) {
  struct Checkpoint {
    int floor, cell, dialogue;
  };
  static constexpr Checkpoint kCheckpoints[] = {
      {10, 27, 16}, {20, 49, 22}, {25, 71, 24}, {40, 60, 40}, {49, 16, 47}};
  const int floor = game.state[gs::Floor];
  int n = 0;
  for (int i = 0; i < 5; ++i)
    if (kCheckpoints[i].floor == floor) n = i + 1;
  if (n == 0) return;
  const Checkpoint& cp = kCheckpoints[n - 1];
  game.lockInput();
  const bool music = game.state[gs::MusicTrack] != 0;
  if (music) {
    game.closeMusic();
    game.state[gs::MusicTrack] = 12;
    playTrack(game);
  }
  game.state.add(gs::FairyVisits, 1);
  ++game.records.undoBarriers;

  const std::int32_t score = fairyScore(game.state, n);
  game.state[gs::LastScore] = score;
  game.state[gs::RankWon] = 0;

  const RankingLookup ranking = game.links.host().judgementRanking(n, game.state[gs::SaveVersion]);
  if (!ranking.problem.empty()) showNotice(game, ranking.problem);
  const int place = rankingPlace(ranking.rows, {game.state[gs::LastScore], game.state[gs::Life],
                                                game.state[gs::Offense], game.state[gs::Defense]});
  game.state[gs::RankWon] = place;
  game.state[gs::Checkpoint] = n;
  if (const std::string error = game.links.host().handOver(SavedGame{game.floors, game.state});
      !error.empty())
    showNotice(game, error);

  std::string text;
  if (place > 0)
    text = game.messages.entry(244) + " " + std::to_string(place) + " " + game.messages.entry(245);
  text += game.messages.entry(220) + " " + std::to_string(score) + " " + game.messages.entry(221);
  auto rank = [&](int praise, int title) {
    text += game.messages.entry(praise) + game.messages.entry(228) + game.messages.entry(title) +
            game.messages.entry(234) +
            game.messages.entry(game.state[gs::FairyVisits] <= 3 ? 235 : 236);
  };
  if (score < 50)
    text += game.messages.entry(222);
  else if (score < 60)
    text += game.messages.entry(223);
  else if (score < 80)
    text += game.messages.entry(224);
  else if (score < 100)
    text += game.messages.entry(225);
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
  game.controls.windowText = text;

  if (music) game.stack.push(wsRestartMusic);
  game.stack.push(wsSetCell, i16(cp.cell), tile::Floor);
  game.stack.push(wsPause);
  game.stack.push(wsSound, 2);
  for (int i = 0; i < 3; ++i) game.stack.push(wsPause);
  game.stack.push(wsAsk, i16(cp.dialogue));
  game.stack.push(wsPause);
  game.stack.push(wsPause);
  game.timer2on();
}

// Once the hero has climbed past the tunnel of floor 29, its thief is caught and put in
// the prison of floor 2 (cell 120, met from columns 9 and 10), where he promises the
// tunnel of floor 35. Until that tunnel is dug, every climb onto floor 30 puts him back
// there, so no way through the game can miss him.
void jailTunnelThief(Game& game) {
  if (game.floors.cell(35, 91) != tile::Floor) game.floors.setCell(2, 120, tile::Thief);
}

void moveThiefOn29(Game& game) {
  game.floors.setCell(29, 38, tile::Floor);
  game.floors.setCell(29, 27, tile::Floor);
  game.floors.setCell(29, 17, tile::Thief);
}

}  // namespace kelvorn
