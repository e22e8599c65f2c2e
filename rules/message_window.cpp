// The message window over the board, its OK button, the death sequence and the
// Yes/No and plain boxes.
#include "rules/game.h"

namespace kelvorn {

namespace {
constexpr int kGameOverQuestion = 93;  // the (wsAsk, 93) step of the death script
// The bar's words while a game that ended waits for the player to load or start anew.
constexpr const char* kHeldAfterGameOver =
    "Your journey has ended. Load a saved game, or press F2 to start a new one.";

// Windows whose text the caller has already put in place (the fairy's score talks).
bool textSetByCaller(int n) { return n == 16 || n == 22 || n == 24 || n == 40 || n == 47; }

// Some speeches continue with a second entry.
int appendedEntry(int n) {
  switch (n) {
    case 5: return 57;
    case 17: return 58;
    case 55: return 59;
    default: return -1;
  }
}
}  // namespace

void Game::openMessageWindow() {
  if (dialogKind == 9) {
    pushDeathScript();
    return;
  }
  const int n = dialogKind - 10;
  if (dialogKind < 10) {
    controls.windowText = messages.entry(62 + hintNumber);
  } else if (!textSetByCaller(n)) {
    controls.windowText = messages.entry(n - 1);
    if (const int more = appendedEntry(n); more >= 0)
      controls.windowText += "\n" + messages.entry(more);
  }
  if (recallOpen || n != kGameOverQuestion || dialogKind < 10) {
    controls.windowVisible = true;
    controls.okVisible = !recallOpen;
    return;
  }
  ask(Question{QuestionKind::TryAgain, "You have no life point. Do you try again?"});
}

void Game::pushDeathScript() {
  const bool music = state[gs::MusicTrack] != 0;
  if (music) state[gs::MusicTrack] = 14;
  stack.push(wsPause);
  stack.push(wsNewGame);
  for (int i = 0; i < 5; ++i) stack.push(wsPause);
  stack.push(wsAsk, kGameOverQuestion);
  for (int i = 0; i < 4; ++i) stack.push(wsPause);
  if (music) {
    for (int i = 0; i < 9; ++i) stack.push(wsPause);
    stack.push(wsSound, 5);
  }
  timer2on();
}

void Game::pressOk() {
  const auto noted = replay.note(*this, "click ok");
  if (dialogKind > 10 && dialogKind < 68) state[80 + dialogKind] = 1;
  auto closeWindow = [&] {
    controls.windowVisible = false;
    controls.windowText.clear();
  };
  switch (dialogKind) {
    case 0:
      if (state.itemSlot(0) == 2) state.itemSlot(0) = 1;
      unlockInput();
      break;
    case 11:
    case 12: timers.enable(TimerId::Steps, true); break;
    case 13:  // the last wake-up call: the hero gets up and play begins
      timers.enable(TimerId::Steps, false);
      timers.enable(TimerId::Animation, true);
      state[gs::BoardHold] = 0;
      stack.clear();
      drawFloor();
      drawHeroAfterMove();
      present();
      disp();
      closeWindow();
      controls.okCaption = "OK";  // the capture's "What?" ends with it
      unlockInput();
      break;
    case 14:  // the thief walks from cell 68 to 67, 66 and 77
      closeWindow();
      timer2on();
      stack.push(wsPause);
      stack.push(wsMoveSprite, 66, 77);
      stack.push(wsPause);
      stack.push(wsMoveSprite, 67, 66);
      stack.push(wsPause);
      stack.push(wsMoveSprite, 68, 67);
      break;
    case 15:  // ... on to cell 99, where he vanishes
      closeWindow();
      timer2on();
      stack.push(wsPause);
      stack.push(wsSetCell, 99, tile::Floor);
      stack.push(wsPause);
      stack.push(wsSound, 2);
      stack.push(wsPause);
      stack.push(wsMoveSprite, 88, 99);
      stack.push(wsPause);
      stack.push(wsMoveSprite, 77, 88);
      break;
    case 16:  // the thief waits on floor 35
      closeWindow();
      timers.enable(TimerId::Steps, false);
      floors.setCell(35, 103, tile::Thief);
      floors.setCell(35, 91, tile::Floor);
      unlockInput();
      break;
    case 20:  // Zeno's welcome: the capture
      closeWindow();
      pushCaptureScene();
      break;
    case 17:
    case 18:
    case 19:
    case 71:
    case 274:
      closeWindow();
      timers.enable(TimerId::Steps, false);
      unlockInput();
      break;
    case 26:
    case 32:
    case 34:
    case 50:
    case 57:  // after a fairy's judgement: the rankings in a first game
      closeWindow();
      messageCode = msg::None;
      if (state[gs::LevelBoost] == 0)
        host().openRanking();
      else
        timers.enable(TimerId::Steps, true);
      break;
    default:
      if ((dialogKind >= 21 && dialogKind <= 67 && dialogKind != 22 && dialogKind != 26 &&
           dialogKind != 32 && dialogKind != 34 && dialogKind != 50 && dialogKind != 57) ||
          dialogKind == 72 || dialogKind == 103) {
        closeWindow();
        timers.enable(TimerId::Steps, true);
      }
      break;
  }
  controls.okVisible = false;
  controls.okCaption = "OK";
  if (dialogKind == 0 || dialogKind == 1) closeWindow();
}

void Game::answer(bool yes) {
  const auto noted = replay.note(*this, yes ? "answer yes" : "answer no");
  if (!question) return;
  const QuestionKind kind = question->kind;
  const int slot = question->slot;
  question.reset();
  uncoverQuestion();
  switch (kind) {
    case QuestionKind::GameStart:
      if (yes) startNewGameFromMenu();
      break;
    case QuestionKind::GameQuit:
      if (yes) menuGameExit();
      break;
    case QuestionKind::TryAgain:
      if (yes) {
        timer2on();
      } else {
        controls.loadEnabled = true;  // held: only loading a saved game goes on
        showOnMessageBar(kHeldAfterGameOver);
      }
      break;
    case QuestionKind::Overwrite:
      if (yes) {
        if (const std::string error = host().writeSlot(slot, SavedGame{floors, state});
            !error.empty()) {
          notice = "The game was not saved: " + error;
        } else {
          messageCode = msg::Saved;
          ++undoBarriers;
        }
      }
      unlockInput();
      break;
    case QuestionKind::SaveOptions:
      if (!yes) break;
      options[2] = 0;
      options[opt::Speed] =
          static_cast<std::uint8_t>(checkedSpeed(options).value_or(Speed::Middle));
      if (const std::string error = host().writeOptions(options); !error.empty())
        notice = "The options were not saved: " + error;
      else
        notice = "Done.";
      break;
    case QuestionKind::InitOptions: {
      if (!yes) break;
      const bool wasLarge = options[opt::Size] == 1;
      const OptionBytes initial = initialOptions();
      for (int i = 0; i < opt::kSize; ++i)
        if (i != opt::Size) options[i] = initial[i];
      if (wasLarge) {
        options[opt::Size] = 0;
        host().changeWindowSize(false);
        afterSizeChange();
      } else {
        applyOptions();
      }
      break;
    }
  }
}

void Game::ask(Question asked) {
  if (question) coveredQuestions_.push_back(std::move(*question));
  question = std::move(asked);
}

void Game::uncoverQuestion() {
  if (question || coveredQuestions_.empty()) return;
  question = std::move(coveredQuestions_.back());
  coveredQuestions_.pop_back();
}

void Game::acknowledge() {
  const auto noted = replay.note(*this, "answer ok");
  notice.reset();
  if (laterNotices_.empty()) return;
  notice = std::move(laterNotices_.front());
  laterNotices_.pop_front();
}

void Game::showNotice(std::string text) {
  if (notice)
    laterNotices_.push_back(std::move(text));
  else
    notice = std::move(text);
}

}  // namespace kelvorn
