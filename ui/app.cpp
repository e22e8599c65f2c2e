#include "ui/app.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>

#include <algorithm>
#include <iostream>
#include <utility>

#include "commands/command_table.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
constexpr int kMotionFrameMs = 16;  // one picture of a walk per display frame
}  // namespace

App::App(AppOptions options)
    : HolderHost(std::filesystem::path()),
      options_(std::move(options)),
      game_(content::builtIn(), this) {}

bool App::init(std::string& error) {
  if (!frame_.open(options_.refusalBox, error)) return false;
  startUp();
  return true;
}

void App::startUp() {
  settings_.load(configFolder() / "settings.ini");
  audio_ = std::make_unique<audio::Player>(pictures_.programFolder());
  settings_.applyVolumes(audio_.get());
  chooserWindow_.start(pictures_.programFolder());
  autosaves_.start(dataFolder());
  game_.records.replay.enabled = true;

  const std::optional<OptionBytes> stored = holder().readOptions();
  OptionBytes block = stored.value_or(builtInOptions());
  if (options_.prologue) block[opt::Prologue] = *options_.prologue ? 1 : 0;
  if (block[opt::Size] == 1 && !WindowFrame::largeAllowed()) block[opt::Size] = 0;
  frame_.chooseStartingScale();
  applyLayout(block[opt::Size] == 1);
  game_.startUp((stored || options_.prologue) ? std::optional(block) : std::nullopt);
  game_.options[opt::Size] = block[opt::Size];
  if (std::string error; !options_.replay.empty()) {
    if (replays_.start(options_.replay, options_.replaySpeed, error))
      autosaves_.declineOffer();
    else
      std::cerr << "kelvorn: " << error << "\n";
  }
  frame_.show(settings_.fullScreen());
  lastTicks_ = SDL_GetTicks64();
}

void App::applyLayout(bool large) {
  const Layout layout = makeLayout(large);
  pictures_.load(frame_.renderer(), layout);
  game_.attachView(&drawing_);
  frame_.fit(layout);
  framesToDraw_ = 2;
}

void App::changeSize(bool large) {
  if (large == drawing_.layout.large || (large && !WindowFrame::largeAllowed())) return;
  noteWindowInput(game_, commands::choiceLine(commands::Verb::MenuSize, large ? 1 : 0));
  game_.options[opt::Size] = large ? 1 : 0;
  applyLayout(large);
  game_.afterSizeChange();
}

void App::run() {
  while (running_) guardedLoopOnce(1000);
  if (!failed()) autosaves_.keepIfDue(true);
}

void App::pump(int ms) {
  const std::uint64_t end = SDL_GetTicks64() + static_cast<std::uint64_t>(std::max(ms, 0));
  while (running_ && SDL_GetTicks64() < end)
    guardedLoopOnce(static_cast<int>(std::min<std::uint64_t>(end - SDL_GetTicks64(), 1000)));
}

// Nothing thrown inside the game ends the program unreported.
void App::guardedLoopOnce(int maxWaitMs) {
  try {
    if (!failure_.shown())
      loopOnce(maxWaitMs);
    else if (!failure_.loopOnce(maxWaitMs, frame_.renderer()))
      running_ = false;
  } catch (const std::exception& e) {
    fail(e.what());
  } catch (...) {
    fail("an unknown error");
  }
}

void App::fail(const std::string& what) {
  if (failure_.shown()) {  // the failure screen itself failed: stop at once
    running_ = false;
    return;
  }
  failure_.show(what, game_);
  if (audio_) audio_->closeMusic();
  const bool canShow = frame_.recoverFrame();
  if (!options_.errorBox || !canShow) running_ = false;
}

// One turn of the event loop: sleep until an event or the next timer tick, hand the
// elapsed time to the engine, and draw a frame if anything changed.
void App::loopOnce(int maxWaitMs) {
  int wait = maxWaitMs;
  if (const auto due = game_.timers.untilNext()) wait = std::min(wait, *due);
  if (!drawing_.board.motion.empty() || replays_.playing()) wait = std::min(wait, kMotionFrameMs);
  if (const auto due = pads_.untilRepeat(SDL_GetTicks64())) wait = std::min(wait, *due);
  // While "Can I still win?" is open its progress and answer show within 100 ms.
  if (routeWindow_.isOpen()) wait = std::min(wait, 100);
  if (framesToDraw_ > 0) wait = 0;
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, std::max(wait, 0))) {
    handleEvent(event);
    while (SDL_PollEvent(&event)) handleEvent(event);
    framesToDraw_ = std::max(framesToDraw_, 2);  // ImGui settles within two frames
  }
  if (routeWindow_.isOpen()) framesToDraw_ = std::max(framesToDraw_, 1);
  const std::uint64_t now = SDL_GetTicks64();
  const int elapsed = static_cast<int>(std::min<std::uint64_t>(now - lastTicks_, 60'000));
  lastTicks_ = now;
  followFastPlay();
  if (replays_.playing()) {
    if (!replays_.play(elapsed, [this](const std::string& line) { return replayCommand(line); })) {
      replays_.end();
      requestFrame();
    }
  } else {
    game_.advance(elapsed);
  }
  if (const auto press = pads_.repeat(now)) handlePad(*press);
  waiting_.feed(inputUnlocked());
  history_.observe(game_);
  if (!replays_.playing()) autosaves_.keepIfDue();  // a replay's game is not the player's
  if (game_.timerFirings != lastTimerCount_) {
    lastTimerCount_ = game_.timerFirings;
    framesToDraw_ = std::max(framesToDraw_, 1);
  }
  if (audio_) audio_->poll();
  frame_.raiseIfAsked();
  if (game_.quitRequested) running_ = false;
  if (framesToDraw_ > 0 || !drawing_.board.motion.empty()) {
    render();
    if (framesToDraw_ > 0) --framesToDraw_;
    if (padKeyUp_ != SDLK_UNKNOWN) imguiKey(std::exchange(padKeyUp_, SDLK_UNKNOWN), false);
  }
}

void App::handleEvent(const SDL_Event& event) {
  // A replay plays alone: the player's keys, clicks and buttons wait until it ends, and
  // Escape ends it where it stands.
  if (replays_.playing() &&
      (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP || event.type == SDL_TEXTINPUT ||
       event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP ||
       event.type == SDL_CONTROLLERBUTTONDOWN)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
      replays_.end();
      requestFrame();
    }
    return;
  }
  ImGui_ImplSDL2_ProcessEvent(&event);
  switch (event.type) {
    case SDL_QUIT: running_ = false; break;
    case SDL_KEYDOWN:
      if (event.key.keysym.sym == SDLK_SPACE) spaceHeld_ = true;
      handleKey(event.key.keysym);
      break;
    case SDL_KEYUP:
      if (event.key.keysym.sym == SDLK_SPACE) spaceHeld_ = false;
      break;
    case SDL_WINDOWEVENT:
      // A key let go while another window had the keyboard is never seen here.
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) spaceHeld_ = false;
      if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        frame_.sizeChanged(event.window.data1, event.window.data2);
      break;
    default:
      if (const auto press = pads_.handle(event, SDL_GetTicks64())) handlePad(*press);
      break;
  }
}

// Fast play lasts while Space or a shoulder button is held down. The pictures of a walk
// are dropped then: the hero stands where he went at once.
void App::followFastPlay() {
  const bool fast = spaceHeld_ || pads_.shoulderHeld();
  if (fast != game_.fastPlay()) game_.setFastPlay(fast);
  if (fast && !drawing_.board.motion.empty()) {
    drawing_.board.motion.clear();
    pictures_.refreshBoard();
    framesToDraw_ = std::max(framesToDraw_, 1);
  }
}

void App::handleKey(const SDL_Keysym& key) {
  if (keysWindow_.takeKey(key.sym)) return;  // a slot waiting for its key, or Escape
  if (key.sym == SDLK_F11) return carryOut(WindowCommand::FullScreen);
  if (autosaves_.offerShowing(ownWindowOpen())) {
    // A modifier alone, or a key that means nothing, leaves the offer as it is.
    const SDL_Keycode meaning = settings_.keys().translate(key.sym);
    const bool modifier = key.sym >= SDLK_LCTRL && key.sym <= SDLK_RGUI;
    if (modifier || meaning == SDLK_UNKNOWN) return;
    if (autosaves_.answerOffer(meaning)) return;
  }
  if ((key.mod & KMOD_CTRL) && (key.sym == SDLK_z || key.sym == SDLK_y))
    return key.sym == SDLK_z ? undo() : redo();
  if (key.sym == SDLK_F1 && !modalWindowOpen()) return helpWindows_.toggleHelp();
  handleMeaning(settings_.keys().translate(key.sym));
}

void App::handleMeaning(SDL_Keycode key) {
  // Boxes answer the keyboard first.
  if (boxes_.takeKey(key)) return;
  if (modalWindowOpen()) return;  // its own buttons and text box take the keys
  if (helpWindows_.takeKey(key)) return;
  if (key == SDLK_F2) return game_.menuGameStart();
  if (key == SDLK_F9) return game_.menuGameQuit();
  waiting_.stopWalk();
  if (buttons_.takeKey(key)) return;
  const int code = engineKey(key);
  if (ImGui::GetIO().WantCaptureKeyboard || code == 0) return;
  // Keep keys: a walk key pressed during a short script or a walk's pictures is
  // kept and acted on once input unlocks, instead of being lost.
  if (isWalkKey(key) && !inputUnlocked() && !buttonsShowing(game_) &&
      settings_.comfort(setting::KeepKeys)) {
    waiting_.hold(key);
    return;
  }
  if (!drawing_.board.motion.empty()) return;
  game_.keyDown(code);
}

void App::handlePad(PadPress press) {
  if (menuBar_.padOpen()) return;  // the menu bar reads the pad itself
  if (press == PadPress::Menu) {
    if (autosaves_.offerShowing(ownWindowOpen())) autosaves_.declineOffer();
    if (!modalWindowOpen() && !boxes_.showing()) {
      menuBar_.openByPad();
      pads_.forgetPresses();
    }
    return;
  }
  static constexpr SDL_Keycode kMeaning[] = {SDLK_UP,   SDLK_LEFT,   SDLK_RIGHT,
                                             SDLK_DOWN, SDLK_RETURN, SDLK_ESCAPE};
  const SDL_Keycode key = kMeaning[int(press)];
  if (autosaves_.offerShowing(ownWindowOpen())) {
    autosaves_.answerOffer(key);
    return;
  }
  // The windows of their own read Enter and Escape through Dear ImGui: the pad presses
  // them there as a key would, held down until a frame has seen it.
  if (modalWindowOpen() && !keysWindow_.isOpen() && (key == SDLK_RETURN || key == SDLK_ESCAPE)) {
    imguiKey(key, true);
    padKeyUp_ = key;
    return;
  }
  if (key == SDLK_ESCAPE && keysWindow_.takePadEscape()) return;
  handleMeaning(key);
}

void App::carryOut(WindowCommand command) {
  switch (command) {
    case WindowCommand::RouteCheck: return routeWindow_.open();
    case WindowCommand::Undo: return undo();
    case WindowCommand::Redo: return redo();
    case WindowCommand::SaveReplay: return replays_.openSaveBox();
    case WindowCommand::SmallSize: return changeSize(false);
    case WindowCommand::LargeSize: return changeSize(true);
    case WindowCommand::FullScreen:
      settings_.setFullScreen(frame_.toggleFullScreen());
      return requestFrame();
    case WindowCommand::Keys: return keysWindow_.open();
    case WindowCommand::Help: return helpWindows_.openHelp();
    case WindowCommand::About: return helpWindows_.openAbout();
  }
}

bool App::inputUnlocked() const {
  return game_.controls.optionsEnabled && game_.stack.count() == 0 &&
         drawing_.board.motion.empty() && !game_.question && !game_.dialogs.notice && !modalWindowOpen() &&
         !helpWindows_.isOpen() && !buttonsShowing(game_);
}

void App::undo() {
  if (!canUndo()) return;
  history_.undo(game_);
  waiting_.clear();
  requestFrame();
}

void App::redo() {
  if (!canRedo()) return;
  history_.redo(game_);
  waiting_.clear();
  requestFrame();
}

// Drawing a frame: the engine's pictures as textures, then the status texts, buttons,
// message window and boxes through Dear ImGui on top.
void App::render() {
  frame_.newFrame();
  menuBar_.padToMenus(pads_);
  ImGui::NewFrame();
  ImGui::GetIO().ConfigFlags &= ~ImGuiConfigFlags_NavEnableGamepad;
  menuBar_.draw(
      MenuContext{game_, drawing_.layout, holder(), settings_.comfort(setting::SlotDetails),
                  [this](WindowCommand c) {
                    switch (c) {
                      case WindowCommand::Undo: return canUndo();
                      case WindowCommand::Redo: return canRedo();
                      case WindowCommand::LargeSize: return WindowFrame::largeAllowed();
                      case WindowCommand::FullScreen: return frame_.fullScreen();
                      default: return true;
                    }
                  },
                  [this](WindowCommand c) { carryOut(c); }, [this] { autosaves_.drawLoadItems(); },
                  [this] { settings_.drawMenuItems(audio_.get()); }});
  drawInterface();
  settleDimming();
  ImGui::Render();
  frame_.beginPicture();
  pictures_.draw(frame_.renderer(), frame_.menuHeight());
  frame_.finishPicture();
}

void App::drawInterface() {
  const Layout& l = drawing_.layout;
  const Canvas canvas{frame_.fonts(), l, frame_.menuHeight()};
  ImGui::SetNextWindowPos(ImVec2(0, static_cast<float>(canvas.top)));
  ImGui::SetNextWindowSize(
      ImVec2(static_cast<float>(l.clientWidth), static_cast<float>(l.clientHeight)));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::Begin("##client", nullptr,
               ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoBackground |
                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus |
                   ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollWithMouse);
  ImGui::PopStyleVar();
  overlay_.drawStatus(canvas);
  overlay_.drawArrows(canvas);
  buttons_.drawItemIcons(canvas);
  overlay_.drawDamageFigures(canvas);
  buttons_.drawForecast(canvas, frame_.renderer());
  overlay_.drawSceneText(canvas);
  buttons_.drawMessageWindow(canvas);
  buttons_.drawAnswerButtons(canvas);
  buttons_.drawFlightButtons(canvas);
  buttons_.drawHintGrid(canvas);
  if (const auto cell = overlay_.drawBoardPointer(canvas);
      cell && inputUnlocked() && !game_.floorWalk(*cell).empty())
    waiting_.walkTo(*cell);
  ImGui::End();
  boxes_.draw(canvas);
  helpWindows_.draw(canvas);
  keysWindow_.draw(canvas);
  rankingWindow_.draw(canvas);
  chooserWindow_.draw(canvas);
  replays_.drawSaveBox(canvas);
  autosaves_.drawOffer(canvas, ownWindowOpen());
  routeWindow_.draw(float(l.clientWidth), float(canvas.top + l.clientHeight));
  routeWindow_.drawOverlay(canvas);
}

}  // namespace kelvorn::ui
