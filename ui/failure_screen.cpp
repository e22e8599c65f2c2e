#include "ui/failure_screen.h"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <iostream>

#include "ui/recovery.h"

namespace kelvorn::ui {

void FailureScreen::show(const std::string& what, const Game& game) {
  const std::string error = keepForRecovery(SavedGame{game.floors, game.state});
  text_ = "Kelvorn met an internal error and has to close:\n" + what + "\n\n" +
          (error.empty() ? "Your game was kept. At the next start, Load > Recovered Game "
                           "takes it up where it stood."
                         : "Your game could not be kept: " + error);
  std::cerr << "kelvorn: " << text_ << "\n";
}

bool FailureScreen::loopOnce(int maxWaitMs, SDL_Renderer* renderer) {
  bool open = true;
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, maxWaitMs)) {
    do {
      ImGui_ImplSDL2_ProcessEvent(&event);
      if (event.type == SDL_QUIT) open = false;
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
  ImGui::TextWrapped("%s", text_.c_str());
  ImGui::Spacing();
  if (ImGui::Button("Close", ImVec2(120, 0))) open = false;
  ImGui::SetItemDefaultFocus();
  ImGui::End();
  ImGui::Render();
  SDL_SetRenderTarget(renderer, nullptr);  // the failure may have come mid-frame
  SDL_SetRenderDrawColor(renderer, 0x20, 0x24, 0x2C, 0xFF);
  SDL_RenderClear(renderer);
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  SDL_RenderPresent(renderer);
  return open;
}

}  // namespace kelvorn::ui
