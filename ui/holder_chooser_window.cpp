#include "ui/holder_chooser_window.h"

#include <imgui.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "ui/paths.h"
#include "ui/picture_files.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

namespace {
fs::path iniFile() { return configFolder() / "KVN12.INI"; }
}  // namespace

void HolderChooserWindow::start(const fs::path& programFolder) {
  std::string note;
  ini_ =
      storage::openHolderIni(iniFile(), {defaultSaveHolder().string(), programFolder.string(), ""},
                             readPicture(programFolder / "data" / "center.bmp").has_value(), note);
  if (!note.empty()) std::cerr << "kelvorn: " << note << "\n";
  std::error_code ec;
  fs::create_directories(ini_.holder, ec);
  host_.setHolder(ini_.holder);
}

void HolderChooserWindow::open() { chooser_.emplace(ini_, iniFile()); }

void HolderChooserWindow::draw(const Canvas& canvas) {
  if (!chooser_) return;
  storage::HolderChooser& chooser = *chooser_;
  const FontSet& fonts = canvas.fonts;
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(500, 330), ImGuiCond_Always);
  if (!ImGui::IsPopupOpen("Change Data Holder")) ImGui::OpenPopup("Change Data Holder");
  if (!ImGui::BeginPopupModal("Change Data Holder", nullptr,
                              ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::PushFont(fonts.get(10, true));
  ImGui::TextUnformatted("Please choose a data holder");
  ImGui::PopFont();
  ImGui::TextDisabled("The place");
  ImGui::SameLine();
  ImGui::TextWrapped("%s", chooser.selected().string().c_str());
  // Linux has no drives: the roots a player starts from are the file system's, his
  // home and his data folder.
  ImGui::SetNextItemWidth(-1);
  if (ImGui::BeginCombo("##roots", "Go to...")) {
    for (const fs::path& root :
         {fs::path("/"), fs::path(std::getenv("HOME") ? std::getenv("HOME") : "/"),
          defaultSaveHolder().parent_path()})
      if (ImGui::Selectable(root.string().c_str())) chooser.select(root);
    ImGui::EndCombo();
  }
  const float half = (ImGui::GetContentRegionAvail().x - ImGui::GetStyle().ItemSpacing.x) / 2;
  ImGui::BeginChild("##folders", ImVec2(half, 150), true);
  if (ImGui::Selectable("..")) chooser.select(chooser.selected().parent_path());
  for (const std::string& name : chooser.folders())
    if (ImGui::Selectable((name + "/").c_str())) {
      chooser.select(chooser.selected() / name);
      break;
    }
  ImGui::EndChild();
  ImGui::SameLine();
  ImGui::BeginChild("##files", ImVec2(0, 150), true);
  for (const std::string& name : chooser.files()) ImGui::TextDisabled("%s", name.c_str());
  ImGui::EndChild();
  ImGui::Dummy(ImVec2(0, 2));
  const ImVec2 size(96, 26);
  if (gameButton(fonts, "Make Holder", "Make Holder", ImVec2(120, size.y))) {
    folder_.fill(0);
    const std::string start = chooser.selected().string() + "/";
    std::strncpy(folder_.data(), start.c_str(), folder_.size() - 1);
    ImGui::OpenPopup("##makeHolder");
  }
  ImGui::SameLine(ImGui::GetWindowWidth() - ImGui::GetStyle().WindowPadding.x - 2 * size.x -
                  ImGui::GetStyle().ItemSpacing.x);
  bool done = gameButton(fonts, "OK", "OK", size, {true, true});
  ImGui::SameLine();
  const bool cancel = gameButton(fonts, "Cancel", "Cancel", size);
  if (beginBox(canvas, "##makeHolder", "Please, input the name of holder")) {
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    ImGui::SetNextItemWidth(-1);
    const bool entered = ImGui::InputText("##holder", folder_.data(), folder_.size(),
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::Dummy(ImVec2(0, 4));
    boxButtons(2, size.x);
    if (gameButton(fonts, "OK", "OK", size, {true, true}) || entered) {
      if (const std::string error = chooser.make(folder_.data()); !error.empty())
        game_.dialogs.notice = error;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (gameButton(fonts, "Cancel", "Cancel", size)) ImGui::CloseCurrentPopup();
    ImGui::EndPopup();
  }
  if (done) {
    if (const std::string error = chooser.confirm(); !error.empty()) {
      game_.dialogs.notice = "The save holder was not changed: " + error;
    } else {
      ini_ = chooser.ini();
      host_.setHolder(ini_.holder);
    }
  }
  if (done || cancel) {
    ImGui::CloseCurrentPopup();
    chooser_.reset();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
