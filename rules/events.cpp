// Story scenes at fixed places: what an event cell (TileCode 7) does when the hero steps
// onto it, and the scenes of the first arrivals on floors 32 and 42. Each scene is
// written in the order it shows; what a floor changes at once happens before it is
// pushed, everything else only as its steps run.
#include "rules/events.h"

#include <initializer_list>
#include <utility>
#include <vector>

#include "rules/bosses.h"
#include "rules/game_upkeep.h"
#include "rules/input.h"
#include "rules/music.h"
#include "rules/prologue.h"
#include "rules/scene_script.h"

namespace kelvorn {

namespace {

constexpr TileCode kGoldenKnight = 133, kVampire = 95;
// Dialogue 13 (the skeleton leader's challenge) has been read: floor 10's army has come.
constexpr int kArmyHasCome = 103;

// Floor 10, first time: the leader walks off to his post and eight skeletons march out
// of their rooms until the hero on cell 49 is surrounded, every gate shut behind them.
SceneScript skeletonArmy(bool music) {
  const std::vector<std::vector<int>> marches = {
      {34, 35, 36, 37, 48, 59, 60}, {42, 41, 40, 39, 38},     {24, 35, 36, 37, 48, 59},
      {30, 41, 40, 39, 50, 61},     {23, 34, 35, 36, 37, 48}, {31, 42, 41, 40, 39, 50},
      {22, 33, 34, 35, 36, 37},     {32, 43, 42, 41, 40, 39}};
  SceneScript s;
  if (music) s.sound(sfx::MusicStop);
  s.pause(2).ask(13);
  s.setCell(59, tile::Floor).setCell(61, tile::Floor);
  s.walk({38, 27, 16, 5}).pause();
  s.door(27, doorkind::GateCloses).door(71, doorkind::GateCloses);
  s.door(36, doorkind::GateOpens).door(40, doorkind::GateOpens).pause();
  for (const auto& march : marches) s.walk(march, sfx::Zeno).pause();
  s.door(36, doorkind::GateCloses).door(40, doorkind::GateCloses).pause();
  if (music) s.sound(sfx::MusicStart);
  return s.pause(2);
}

// Floor 10 once the army has come (the event cell the leader's defeat leaves on 93):
// the thief comes round from cell 99, speaks, and leaves.
SceneScript thiefOnTen() {
  SceneScript s;
  s.pause().setCell(99, tile::Thief);
  s.walk({99, 88, 77, 78, 79, 90, 101, 112, 113, 114, 103, 104}).pause();
  return s.ask(17).setCell(104, tile::Floor).pause();
}

// Floor 20: the ring of Big Bats merges into the Vampire, who speaks.
SceneScript vampireLair(bool music) {
  SceneScript s;
  if (music) s.sound(sfx::MusicStop);
  s.pause().door(93, doorkind::GateCloses).pause().sound(sfx::Vampire);
  for (int size = 1; size <= 32; ++size) s.step(wsScript, script::VampireGrowth, size);
  return s.pause(2).ask(20).sound(sfx::MusicStart).pause();
}

// Floor 24: the hero is carried up through the building to floor 50, where the thief
// turns into Zeno; in a later game without carry-over Zeno speaks and attacks at once.
SceneScript thiefsSecret(const GameState& state) {
  const bool music = state[gs::MusicTrack] != 0;
  SceneScript s;
  if (music) s.sound(sfx::MusicStop);
  s.pause();
  for (int f = 25; f <= 50; ++f) s.sound(sfx::Open).step(wsScript, script::ChangeFloor, f).pause();
  s.pause().ask(48).ask(49).sound(sfx::Appear).append(fadeIn(49, tile::Thief, tile::Zeno));
  s.step(wsPutCell, 49, tile::Zeno);
  if (music) s.step(wsRestartMusic);
  s.pause();
  if (state[gs::LevelBoost] != 0 && state[gs::CarryOver] == 0) {
    for (int n = 50; n <= 57; ++n) s.ask(n);
    s.walk({49, 60, 71}).pause().step(wsScript, script::BossSecondPhase, 71).pause(2);
  }
  return s;
}

// Floor 32, first arrival: the Golden Knight comes along the top row and down the middle
// into the hero. After his step from 60 the cell holds an event code again, which the
// battle's reactions read as the sign for his retreat (the walk back clears it).
SceneScript goldenKnightPasses() {
  SceneScript s;
  s.pause().setCell(9, kGoldenKnight).walk({9, 8, 7, 6, 5, 16, 27, 38, 49, 60}).pause().ask(30);
  s.step(wsMoveSprite, 60, 71).step(wsSetCell, 60, tile::Event).pause();
  s.walk({71, 82, 93, 104}).pause().step(wsScript, script::BossSecondPhase, 104);
  return s.pause(2);
}

// Floor 40: the army stands at its places again, each place that is plain floor taking
// its soldier back at once; a place holding anything else keeps it.
void refillArmy(FloorStore& floors) {
  static constexpr std::pair<int, TileCode> kArmy[] = {
      {35, 141}, {36, 141}, {37, 141}, {39, 139}, {40, 139}, {41, 139},          {12, 137},
      {13, 137}, {14, 137}, {18, 135}, {19, 135}, {20, 135}, {16, kGoldenKnight}};
  for (const auto& [cell, code] : kArmy)
    if (floors.cell(40, cell) == tile::Floor) floors.setCell(40, cell, code);
}

// The hero on cell 71 is attacked by the whole army, one after another, each walking
// into his cell and striking first; then the Golden Knight flees.
SceneScript knightsAttack() {
  struct Wave {
    int dialogue;
    std::vector<std::vector<int>> attackers;
  };
  const Wave waves[] = {
      {34,
       {{37, 48, 49, 60, 71}, {36, 37, 48, 49, 60, 71}, {35, 36, 37, 48, 49, 60, 71}}},  // ghosts
      {35,
       {{39, 50, 49, 60, 71}, {40, 39, 50, 49, 60, 71}, {41, 40, 39, 50, 49, 60, 71}}},  // soldiers
      {36,
       {{14, 25, 26, 37, 38, 49, 60, 71},
        {13, 14, 25, 26, 37, 38, 49, 60, 71},
        {12, 13, 14, 25, 26, 37, 38, 49, 60, 71}}},  // swordsmen
      {37,
       {{18, 29, 28, 39, 38, 49, 60, 71},
        {19, 18, 29, 28, 39, 38, 49, 60, 71},
        {20, 19, 18, 29, 28, 39, 38, 49, 60, 71}}},  // knights
      {38, {{16, 27, 38, 49, 60, 71}}}};             // the Golden Knight
  SceneScript s;
  s.pause().door(82, doorkind::GateCloses).pause();
  for (const Wave& wave : waves) {
    s.ask(wave.dialogue);
    for (const auto& path : wave.attackers)
      s.walk(path).pause().step(wsScript, script::BossSecondPhase, 71).pause(2);
  }
  s.door(82, doorkind::GateOpens).pause().step(wsMessage, 4).pause();
  s.setCell(5, tile::StairsUp).ask(39);
  s.sound(sfx::Item).step(wsPutCell, 71, kGoldenKnight).walk({71, 60, 49, 38, 27, 16});
  s.setCell(16, tile::Floor).step(wsScript, script::MonsterReactions, 5);
  return s.pause(2);
}

// Floor 42, first arrival: Zeno and four Magic Sergeants strike the Golden Knight down.
SceneScript goldenKnightsEnd() {
  static constexpr int kSergeants[] = {71, 93, 81, 83};
  constexpr int kSlashMask = 183, kSlash = 184;
  SceneScript s;
  s.pause().append(zenoAppearance(60)).pause(2).ask(41).ask(42);
  s.append(sergeantsAppearance(kSergeants)).pause().ask(43);
  s.sound(sfx::Zeno).overlay(82, kGoldenKnight, kSlash, kSlashMask).pause(2);
  s.setCell(82, tile::Floor);
  for (const int cell : kSergeants) s.setCell(cell, tile::Floor);
  return s.ask(44).setCell(60, tile::Floor).pause();
}

// Floor 49: Zeno rises on cell 27 behind the closed gate, speaks, and calls his ring.
SceneScript zenosLastStand(bool music) {
  SceneScript s;
  if (music) s.sound(sfx::MusicStop);
  s.pause().door(71, doorkind::GateCloses).pause().step(wsScript, script::SergeantRevives);
  s.pause().ask(45).sound(sfx::MusicStart).pause().step(wsScript, script::SergeantsStrike);
  return s.pause(2);
}

// A gate or wall shuts behind the hero.
SceneScript shutBehind(std::initializer_list<int> cells, int kind, bool quiet = false) {
  SceneScript s;
  s.pause();
  for (const int cell : cells) s.door(cell, kind, quiet).pause();
  return s;
}

SceneScript roadChangedToWall(int cell) {
  SceneScript s;
  s.pause().step(wsMessage, 114).pause();
  return s.append(shutBehind({cell}, doorkind::WallRises));
}

}  // namespace

void mapEvent(Game& game) {
  const int floor = game.state[gs::Floor];
  const bool music = game.state[gs::MusicTrack] != 0;
  auto enter = [&] {
    game.floors.setCell(floor, game.scene.targetCell, tile::Floor);
    walk(game);
  };
  auto sceneMusic = [&](int track) {
    if (!music) return;
    game.closeMusic();
    game.state[gs::MusicTrack] = track;
    playTrack(game);
  };
  SceneScript scene;
  switch (floor) {
    case 3: return captureEvent(game);
    case 10:
      enter();
      if (game.state[kArmyHasCome] == 0) {
        if (music) game.state[gs::MusicTrack] = track::Floor10;  // played once the army stands
        scene = skeletonArmy(music);
      } else {
        scene = thiefOnTen();
      }
      break;
    case 15:
      enter();
      scene.pause().sound(sfx::MusicStart).append(shutBehind({93}, doorkind::GateCloses, true));
      break;
    case 20:
      enter();
      sceneMusic(track::Floor20);
      if (game.state.heroCell() != 82) break;
      for (const int cell : {48, 49, 50, 59, 61, 70, 71, 72})
        game.floors.setCell(20, cell, tile::Floor);
      game.floors.setCell(20, 60, kVampire);
      game.controls.okCaption = game.messages.entry(218);
      scene = vampireLair(music);
      break;
    case 23:  // the maze: the hero stays, the cell he touched becomes a wall
      scene.pause(2)
          .sound(sfx::Open)
          .pause()
          .step(wsSetCell, game.scene.targetCell, tile::Wall)
          .pause();
      scene.step(wsMessage, 114).pause();
      break;
    case 24:
      enter();
      liftSeal(game.state, game.monsters);
      scene = thiefsSecret(game.state);
      break;
    case 25:
      enter();
      sceneMusic(track::Floor25);
      scene = shutBehind({104}, doorkind::GateCloses).ask(23);
      break;
    case 30:
      enter();
      scene = shutBehind({38, 71}, doorkind::GateCloses);
      break;
    case 32:
    case 42: {
      // Their scenes play once, on the first arrival. An event code met later (floor
      // 32's mark for the knight's retreat, left in an old save) is plain floor:
      // replaying the arrival would start its battle again.
      int& played = game.state[floor == 32 ? gs::Floor32Event : gs::Floor42Event];
      if (played != 0) return enter();
      played = 1;
      if (floor == 42) game.floors.setCell(35, 103, tile::Floor);
      scene = floor == 32 ? goldenKnightPasses() : goldenKnightsEnd();
      break;
    }
    case 33:
      enter();
      scene = game.state.heroCell() == 107 ? roadChangedToWall(106)
                                           : shutBehind({42, 86}, doorkind::GateCloses);
      break;
    case 38:
      enter();
      scene = roadChangedToWall(45);
      break;
    case 40:
      enter();
      sceneMusic(track::Floor40);
      refillArmy(game.floors);
      scene = knightsAttack();
      break;
    case 43:
      enter();
      if (game.floors.cell(43, 8) == tile::Sergeant)
        scene.pause().walk({8, 9, 10}).append(shutBehind({6, 9}, doorkind::WallRises));
      break;
    case 48:  // a Magic Sergeant takes the cell; the hero stays
      scene.pause().setCell(game.scene.targetCell, tile::Sergeant);
      break;
    case 49:
      enter();
      sceneMusic(track::Floor49);
      scene = zenosLastStand(music);
      break;
    default: return;  // no other floor has a scene here
  }
  if (scene.empty()) return;
  scene.pushOnto(game.stack);
  game.timer2on();
}

}  // namespace kelvorn
