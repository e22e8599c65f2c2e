// The window after an internal error: the game has been kept in the recovery file, and
// the window shows only what happened and where the game went, until the player closes
// it. It is drawn with the window's own interface, which needs nothing but the renderer.
#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>
#include <imgui_internal.h>

#include <iostream>

#include "ui/app.h"
#include "ui/recovery.h"

namespace kelvorn::ui {

// Nothing thrown inside the game ends the program unreported.
void App::guardedLoopOnce(int maxWaitMs) {
  try {
    if (failure_.empty())
      loopOnce(maxWaitMs);
    else
      failureLoopOnce(maxWaitMs);
  } catch (const std::exception& e) {
    fail(e.what());
  } catch (...) {
    fail("an unknown error");
  }
}

void App::fail(const std::string& what) {
  if (!failure_.empty()) {  // the failure screen itself failed: stop at once
    running_ = false;
    return;
  }
  const std::string error = keepForRecovery(SavedGame{game_.floors, game_.state});
  failure_ = "Kelvorn met an internal error and has to close:\n" + what + "\n\n" +
             (error.empty() ? "Your game was kept. At the next start, Load > Recovered Game "
                              "takes it up where it stood."
                            : "Your game could not be kept: " + error);
  std::cerr << "kelvorn: " << failure_ << "\n";
  if (audio_) audio_->closeMusic();
  // An error thrown while the interface was being built leaves its frame open.
  if (imguiReady_ && ImGui::GetCurrentContext()->WithinFrameScope) {
    ImGui::ErrorCheckEndFrameRecover(nullptr);
    ImGui::EndFrame();
  }
  if (!options_.errorBox || !imguiReady_) running_ = false;
}

void App::failureLoopOnce(int maxWaitMs) {
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, maxWaitMs)) {
    do {
      ImGui_ImplSDL2_ProcessEvent(&event);
      if (event.type == SDL_QUIT) running_ = false;
    } while (SDL_PollEvent(&event));
  }
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  const ImGuiViewport* view = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(view->GetCenter(), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(view->Size.x * 0.8f, 0));
  ImGui::Begin("Kelvorn", nullptr,
               ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                   ImGuiWindowFlags_NoSavedSettings);
  ImGui::TextWrapped("%s", failure_.c_str());
  ImGui::Spacing();
  if (ImGui::Button("Close", ImVec2(120, 0))) running_ = false;
  ImGui::SetItemDefaultFocus();
  ImGui::End();
  ImGui::Render();
  SDL_SetRenderTarget(renderer_, nullptr);  // the failure may have come mid-frame
  SDL_SetRenderDrawColor(renderer_, 0x20, 0x24, 0x2C, 0xFF);
  SDL_RenderClear(renderer_);
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer_);
}

}  // namespace kelvorn::ui
