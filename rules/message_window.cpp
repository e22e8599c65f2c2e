// The message window over the board, its OK button, the death sequence and the
// Yes/No and plain boxes.
#include "rules/message_window.h"

#include "rules/game_upkeep.h"
#include "rules/menus.h"
#include "rules/prologue.h"

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
  if (dialogs.dialogKind == 9) {
    pushDeathScript(*this);
    return;
  }
  const int n = dialogs.dialogKind - 10;
  if (dialogs.dialogKind < 10) {
    controls.windowText = messages.entry(62 + dialogs.hintNumber);
  } else if (!textSetByCaller(n)) {
    controls.windowText = messages.entry(n - 1);
    if (const int more = appendedEntry(n); more >= 0)
      controls.windowText += "\n" + messages.entry(more);
  }
  if (dialogs.recallOpen || n != kGameOverQuestion || dialogs.dialogKind < 10) {
    controls.windowVisible = true;
    controls.okVisible = !dialogs.recallOpen;
    return;
  }
  ask(*this, Question{QuestionKind::TryAgain, "You have no life point. Do you try again?"});
}

void pushDeathScript(Game& game) {
  const bool music = game.state[gs::MusicTrack] != 0;
  if (music) game.state[gs::MusicTrack] = 14;
  game.stack.push(wsPause);
  game.stack.push(wsNewGame);
  for (int i = 0; i < 5; ++i) game.stack.push(wsPause);
  game.stack.push(wsAsk, kGameOverQuestion);
  for (int i = 0; i < 4; ++i) game.stack.push(wsPause);
  if (music) {
    for (int i = 0; i < 9; ++i) game.stack.push(wsPause);
    game.stack.push(wsSound, 5);
  }
  game.timer2on();
}

void Game::pressOk() {
  const auto noted = records.replay.note(*this, "click ok");
  if (dialogs.dialogKind > 10 && dialogs.dialogKind < 68) state[80 + dialogs.dialogKind] = 1;
  auto closeWindow = [&] {
    controls.windowVisible = false;
    controls.windowText.clear();
  };
  switch (dialogs.dialogKind) {
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
      disp(*this);
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
      pushCaptureScene(*this);
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
      bar.code = msg::None;
      if (state[gs::LevelBoost] == 0)
        links.host().openRanking();
      else
        timers.enable(TimerId::Steps, true);
      break;
    default:
      if ((dialogs.dialogKind >= 21 && dialogs.dialogKind <= 67 && dialogs.dialogKind != 22 &&
           dialogs.dialogKind != 26 && dialogs.dialogKind != 32 && dialogs.dialogKind != 34 &&
           dialogs.dialogKind != 50 && dialogs.dialogKind != 57) ||
          dialogs.dialogKind == 72 || dialogs.dialogKind == 103) {
        closeWindow();
        timers.enable(TimerId::Steps, true);
      }
      break;
  }
  controls.okVisible = false;
  controls.okCaption = "OK";
  if (dialogs.dialogKind == 0 || dialogs.dialogKind == 1) closeWindow();
}

void Game::answer(bool yes) {
  const auto noted = records.replay.note(*this, yes ? "answer yes" : "answer no");
  if (!question) return;
  const QuestionKind kind = question->kind;
  const int slot = question->slot;
  question.reset();
  uncoverQuestion(*this);
  switch (kind) {
    case QuestionKind::GameStart:
      if (yes) startNewGameFromMenu(*this);
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
      if (yes)
        writeSave(*this, slot);
      else
        unlockInput();
      break;
    case QuestionKind::SaveOptions:
      if (!yes) break;
      options[2] = 0;
      options[opt::Speed] =
          static_cast<std::uint8_t>(checkedSpeed(options).value_or(Speed::Middle));
      if (const std::string error = links.host().writeOptions(options); !error.empty())
        dialogs.notice = "The options were not saved: " + error;
      else
        dialogs.notice = "Done.";
      break;
    case QuestionKind::InitOptions: {
      if (!yes) break;
      const bool wasLarge = options[opt::Size] == 1;
      const OptionBytes initial = initialOptions();
      for (int i = 0; i < opt::kSize; ++i)
        if (i != opt::Size) options[i] = initial[i];
      if (wasLarge) {
        options[opt::Size] = 0;
        links.host().changeWindowSize(false);
        afterSizeChange();
      } else {
        applyOptions(*this);
      }
      break;
    }
  }
}

void ask(Game& game, Question asked) {
  if (game.question) game.dialogs.coveredQuestions.push_back(std::move(*game.question));
  game.question = std::move(asked);
}

void uncoverQuestion(Game& game) {
  if (game.question || game.dialogs.coveredQuestions.empty()) return;
  game.question = std::move(game.dialogs.coveredQuestions.back());
  game.dialogs.coveredQuestions.pop_back();
}

void Game::acknowledge() {
  const auto noted = records.replay.note(*this, "answer ok");
  dialogs.notice.reset();
  if (dialogs.laterNotices.empty()) return;
  dialogs.notice = std::move(dialogs.laterNotices.front());
  dialogs.laterNotices.pop_front();
}

void showNotice(Game& game, std::string text) {
  if (game.dialogs.notice)
    game.dialogs.laterNotices.push_back(std::move(text));
  else
    game.dialogs.notice = std::move(text);
}

}  // namespace kelvorn
