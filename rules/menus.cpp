// The Game and Options menus, and applying the options block to the game.
#include "rules/menus.h"

#include "rules/clock.h"
#include "rules/game_upkeep.h"
#include "rules/message_window.h"

namespace kelvorn {

namespace {
constexpr const char* kGameOverQuestion = "This game is over. Is it true?";
}

void Game::menuGameStart() {
  const auto noted = records.replay.note(*this, "menu game-start");
  if (introRunning()) {
    timers.enable(TimerId::Intro, false);
    startNewGameFromMenu(*this);
    return;
  }
  ask(*this, Question{QuestionKind::GameStart, kGameOverQuestion});
}

void Game::menuGameQuit() {
  const auto noted = records.replay.note(*this, "menu game-quit");
  ask(*this, Question{QuestionKind::GameQuit, kGameOverQuestion});
}

void Game::menuGameExit() {
  const auto noted = records.replay.note(*this, "menu game-exit");
  if (controls.musicChecked) closeMusic();
  quitRequested = true;
  links.host().quit();
}

void Game::menuSpeed(Speed speed) {
  const auto noted =
      records.replay.note(*this, std::string("menu speed ") + (speed == Speed::High  ? "high"
                                                               : speed == Speed::Low ? "low"
                                                                                     : "middle"));
  applySpeed(*this, speed);
  options[opt::Speed] = static_cast<std::uint8_t>(speed);
}

void Game::menuFont(FontChoice choice) {
  static constexpr const char* kFont[] = {"tiny", "small", "normal", "big"};
  const auto noted = records.replay.note(*this, std::string("menu font ") + kFont[int(choice) & 3]);
  const FontPair pair = fontPair(choice);
  options[opt::SmallFont] = pair.small;
  options[opt::LargeFont] = pair.large;
  options[2] = 0;
}

void Game::menuControl(Control control) {
  const auto noted = records.replay.note(
      *this, control == Control::Keyboard ? "menu control keyboard" : "menu control mouse");
  lockInput();
  if (control == Control::Keyboard) {
    controls.arrowsVisible = false;
    options[opt::Control] = 1;
    controls.keyboardControl = true;
    controls.keyPreview = true;
  } else {
    options[opt::Control] = 0;
    controls.arrowsVisible = !introRunning();
    controls.keyboardControl = false;
    controls.keyPreview = false;
  }
  unlockInput();
}

void Game::menuPrologue() {
  const auto noted = records.replay.note(*this, "menu prologue");
  controls.prologueChecked = !controls.prologueChecked;
  options[opt::Prologue] = controls.prologueChecked ? 1 : 0;
}

void Game::menuMusic() {
  const auto noted = records.replay.note(*this, "menu music");
  if (state[gs::MusicTrack] != 0) {
    closeMusic();
    state[gs::MusicTrack] = 0;
    options[opt::Music] = 0;
    controls.musicChecked = false;
    return;
  }
  controls.musicChecked = true;
  if (!introRunning()) {
    chooseFloorTrack(*this);
    playTrack(*this);
  }
  options[opt::Music] = 1;
}

void Game::menuSound() {
  const auto noted = records.replay.note(*this, "menu sound");
  std::int32_t& off = state[gs::SoundOff];
  if (off == 0) {
    off = 1;
    options[opt::SoundOff] = 1;
  } else if (off == 1) {
    off = 0;
    options[opt::SoundOff] = 0;
  }
}

// Makes the menus, timers and players match the options block. The font check marks
// and sizes are read from the block directly, so nothing is set for them here.
void applyOptions(Game& game) {
  applyCheckedSpeed(game);
  if (game.options[opt::Control] <= 1) {
    game.lockInput();
    game.controls.keyboardControl = game.options[opt::Control] == 1;
    game.controls.keyPreview = game.controls.keyboardControl;
    game.unlockInput();
  }
  if (game.options[opt::Prologue] <= 1)
    game.controls.prologueChecked = game.options[opt::Prologue] == 1;
  if (game.options[opt::Music] == 0) {
    game.closeMusic();
    game.state[gs::MusicTrack] = 0;
    game.controls.musicChecked = false;
  } else if (game.options[opt::Music] == 1) {
    game.controls.musicChecked = true;
    chooseFloorTrack(game);
    playTrack(game);
  }
  if (game.options[opt::SoundOff] <= 1) game.state[gs::SoundOff] = game.options[opt::SoundOff];
}

}  // namespace kelvorn
