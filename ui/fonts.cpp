#include "ui/fonts.h"

#include <imgui.h>

#include <cstdlib>
#include <filesystem>

namespace kelvorn::ui {

namespace {
constexpr const char* kRegular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}  // namespace

bool FontSet::load() {
  ImGuiIO& io = ImGui::GetIO();
  std::error_code ec;
  const bool found = std::filesystem::exists(kRegular, ec) && std::filesystem::exists(kBold, ec);
  for (std::size_t i = 0; i < kPoints.size(); ++i) {
    const float pixels = kPoints[i] * 96.0f / 72.0f;  // points at 96 dots per inch
    for (int bold = 0; bold < 2; ++bold) {
      ImFont* f = found ? io.Fonts->AddFontFromFileTTF(bold ? kBold : kRegular, pixels) : nullptr;
      if (!f) {
        ImFontConfig config;
        config.SizePixels = pixels;
        f = io.Fonts->AddFontDefault(&config);
      }
      fonts_[i][bold] = f;
    }
  }
  return found;
}

ImFont* FontSet::get(int points, bool bold) const {
  std::size_t best = 0;
  for (std::size_t i = 0; i < kPoints.size(); ++i)
    if (std::abs(kPoints[i] - points) < std::abs(kPoints[best] - points)) best = i;
  return fonts_[best][bold ? 1 : 0];
}

int FontSet::smaller(int points) {
  int below = 0;
  for (const int p : kPoints)
    if (p < points) below = p;
  return below;
}

}  // namespace kelvorn::ui
