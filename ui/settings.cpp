#include "ui/settings.h"

#include <imgui.h>

#include <iostream>
#include <utility>

namespace kelvorn::ui {

namespace {
// The comforts a purist switches off to play exactly the game as it was made, by their
// names in settings.ini; each is on until switched off.
struct ComfortItem {
  const char* name;
  const char* label;
  bool byDefault = true;
};
constexpr ComfortItem kComforts[] = {
    {setting::ShowDamage, "Show Damage"},
    {setting::SkipFights, "Skip battle animations", false},
    {setting::KeepKeys, "Keep Keys During Short Scenes"},
    {setting::ClickToWalk, "Click a Floor Cell to Walk There"},
    {setting::MonsterHints, "Monster Name and Cost Under the Pointer"},
    {setting::SlotDetails, "Floor, Life and Date in Save and Load"},
};
}  // namespace

void Settings::load(const std::filesystem::path& file) {
  file_ = storage::SettingsFile(file);
  if (const std::string note = file_.load(); !note.empty())
    std::cerr << "kelvorn: " << note << "\n";
  keys_.load(file_);
  game_.skipFightAnimations = comfort(setting::SkipFights, false);
}

void Settings::setFullScreen(bool on) {
  file_.setFlag(setting::FullScreen, on);
  save();
}

void Settings::keepKeys() {
  keys_.store(file_);
  save();
}

void Settings::setComfort(const char* name, bool on) {
  file_.setFlag(name, on);
  save();
  game_.skipFightAnimations = comfort(setting::SkipFights, false);
}

void Settings::save() {
  if (const std::string error = file_.save(); !error.empty())
    std::cerr << "kelvorn: the window's settings were not kept: " << error << "\n";
}

void Settings::applyVolumes(audio::Player* audio) const {
  if (audio)
    audio->setVolumes(file_.number(setting::MusicVolume, 0, 100, 100),
                      file_.number(setting::EffectsVolume, 0, 100, 100));
}

void Settings::drawMenuItems(audio::Player* audio) {
  // The volumes change as the slider moves and are kept once it is let go.
  for (const auto& [name, label] : {std::pair{setting::MusicVolume, "Music Volume"},
                                    std::pair{setting::EffectsVolume, "Effects Volume"}}) {
    int volume = file_.number(name, 0, 100, 100);
    ImGui::SetNextItemWidth(110);
    if (ImGui::SliderInt(label, &volume, 0, 100, "%d%%", ImGuiSliderFlags_AlwaysClamp)) {
      file_.setNumber(name, volume);
      applyVolumes(audio);
    }
    if (ImGui::IsItemDeactivatedAfterEdit()) save();
  }
  ImGui::Separator();
  if (ImGui::BeginMenu("Comforts")) {
    for (const ComfortItem& item : kComforts)
      if (ImGui::MenuItem(item.label, nullptr, comfort(item.name, item.byDefault)))
        setComfort(item.name, !comfort(item.name, item.byDefault));
    ImGui::EndMenu();
  }
}

}  // namespace kelvorn::ui
