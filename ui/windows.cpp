// The two windows of their own: the rankings (with the name box of a new place) and the
// chooser of the save holder.
#include <imgui.h>

#include <cstring>

#include "ui/app.h"
#include "ui/paths.h"

namespace kelvorn::ui {

namespace {
void centreNext(ImVec2 size) {
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(size, ImGuiCond_Always);
}

// A plain box inside a window: OK closes it.
bool okBox(const char* id, const std::string& text) {
  if (!ImGui::IsPopupOpen(id)) ImGui::OpenPopup(id);
  bool closed = false;
  if (ImGui::BeginPopupModal(id, nullptr, ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoTitleBar)) {
    ImGui::TextUnformatted(text.c_str());
    if (ImGui::Button("OK", ImVec2(80, 0)) || ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter))) {
      closed = true;
      ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
  }
  return closed;
}
}  // namespace

void App::drawRankingWindow() {
  if (!ranking_) return;
  storage::RankingBoard& board = *ranking_;
  const bool busyBefore = !board.notices.empty() || board.clearAsked() || board.nameRequested();
  centreNext(ImVec2(540, 360));
  ImGui::OpenPopup("Ranking");
  if (!ImGui::BeginPopupModal("Ranking", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::PushFont(font(12, true));
  ImGui::TextUnformatted("RANKING of Top 10");
  ImGui::PopFont();
  if (board.shown()) {
    static constexpr const char* kTitles[] = {"10F", "20F", "25F", "40F", "49F"};
    ImGui::SameLine(ImGui::GetWindowWidth() - 60);
    ImGui::TextUnformatted(kTitles[board.current() - 1]);
  }
  if (ImGui::BeginTable("##ranks", 6, ImGuiTableFlags_Borders | ImGuiTableFlags_RowBg)) {
    for (const char* h : {"Rank", "Points", "Name", "Life", "Offense", "Defense"})
      ImGui::TableSetupColumn(h);
    ImGui::TableHeadersRow();
    for (int i = 0; i < 10; ++i) {
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::Text("%d", i + 1);
      if (!board.shown()) continue;
      const RankingRow& r = board.rows()[i];
      ImGui::TableNextColumn();
      ImGui::Text("%d", r.points);
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(board.names()[i].c_str());
      ImGui::TableNextColumn();
      ImGui::Text("%d", r.life);
      ImGui::TableNextColumn();
      ImGui::Text("%d", r.offense);
      ImGui::TableNextColumn();
      ImGui::Text("%d", r.defense);
    }
    ImGui::EndTable();
  }
  ImGui::Spacing();
  static constexpr const char* kButtons[] = {"10F", "20F", "25F", "40F", "49F"};
  static constexpr const char* kHints[] = {"The army corps of skeletons", "The corps of immortal force",
                                           "The Great Magic Master", "The Golden Knight corps",
                                           "The Magic Sergeant Zeno"};
  for (int n = 1; n <= 5; ++n) {
    if (n > 1) ImGui::SameLine();
    if (ImGui::Button(kButtons[n - 1], ImVec2(60, 0))) board.select(n);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kHints[n - 1]);
  }
  ImGui::Spacing();
  bool close = ImGui::Button("OK", ImVec2(80, 0)) ||
               (!busyBefore && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)));
  ImGui::SameLine();
  ImGui::BeginDisabled(!board.clearEnabled());
  if (ImGui::Button("Clear", ImVec2(80, 0))) board.askClear();
  ImGui::EndDisabled();

  // Its own boxes, one at a time: damaged files, the Clear question, the name box.
  if (!board.notices.empty()) {
    if (okBox("##rankingNotice", board.notices.front())) board.notices.pop_front();
  } else if (board.clearAsked()) {
    if (!ImGui::IsPopupOpen("##clear")) ImGui::OpenPopup("##clear");
    if (ImGui::BeginPopupModal("##clear", nullptr, ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoTitleBar)) {
      ImGui::TextUnformatted("Initialize this data. Is it true?");
      if (ImGui::Button("Yes", ImVec2(80, 0))) board.answerClear(true);
      ImGui::SameLine();
      if (ImGui::Button("No", ImVec2(80, 0))) board.answerClear(false);
      if (!board.clearAsked()) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
  } else if (board.nameRequested()) {
    if (!ImGui::IsPopupOpen("Input your name")) {
      ImGui::OpenPopup("Input your name");
      inputText_.fill(0);
    }
    if (ImGui::BeginPopupModal("Input your name", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
      ImGui::TextUnformatted("Please input within 18 words");
      if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
      const bool entered = ImGui::InputText("##name", inputText_.data(), 64,
                                            ImGuiInputTextFlags_EnterReturnsTrue);
      if (entered || ImGui::Button("OK", ImVec2(80, 0))) board.enterName(std::string(inputText_.data()));
      ImGui::SameLine();
      if (ImGui::Button("Cancel", ImVec2(80, 0))) board.enterName(std::nullopt);
      if (!board.nameRequested()) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
  }
  const bool busy = !board.notices.empty() || board.clearAsked() || board.nameRequested();
  if (close && !busy) {
    ImGui::CloseCurrentPopup();
    ranking_.reset();
    game_.rankingClosed();
  }
  ImGui::EndPopup();
}

void App::drawHolderChooser() {
  if (!chooser_) return;
  storage::HolderChooser& chooser = *chooser_;
  centreNext(ImVec2(480, 262 + 60));
  ImGui::OpenPopup("Change Data Holder");
  if (!ImGui::BeginPopupModal("Change Data Holder", nullptr, ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::TextUnformatted("Please choose a data holder");
  ImGui::TextUnformatted("The place");
  ImGui::SameLine();
  ImGui::TextWrapped("%s", chooser.selected().string().c_str());
  // Linux has no drives: the roots a player starts from are the file system's, his
  // home and his data folder.
  if (ImGui::BeginCombo("##roots", "Go to...")) {
    for (const std::filesystem::path& root :
         {std::filesystem::path("/"), std::filesystem::path(std::getenv("HOME") ? std::getenv("HOME") : "/"),
          defaultSaveHolder().parent_path()})
      if (ImGui::Selectable(root.string().c_str())) chooser.select(root);
    ImGui::EndCombo();
  }
  const float half = 230;
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
  for (const std::string& name : chooser.files()) ImGui::TextUnformatted(name.c_str());
  ImGui::EndChild();
  if (ImGui::Button("Make Holder", ImVec2(110, 0))) {
    makingHolder_ = true;
    inputText_.fill(0);
    const std::string start = chooser.selected().string() + "/";
    std::strncpy(inputText_.data(), start.c_str(), inputText_.size() - 1);
    ImGui::OpenPopup("Make holder");
  }
  ImGui::SameLine();
  bool done = ImGui::Button("OK", ImVec2(80, 0));
  ImGui::SameLine();
  const bool cancel = ImGui::Button("Cancel", ImVec2(80, 0));
  if (ImGui::BeginPopupModal("Make holder", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::TextUnformatted("Please, input the name of holder");
    const bool entered = ImGui::InputText("##holder", inputText_.data(), inputText_.size(),
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    if (entered || ImGui::Button("OK", ImVec2(80, 0))) {
      if (const std::string error = chooser.make(inputText_.data()); !error.empty())
        game_.notice = error;
      makingHolder_ = false;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel", ImVec2(80, 0))) {
      makingHolder_ = false;
      ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
  }
  if (done) {
    if (const std::string error = chooser.confirm(); !error.empty()) {
      game_.notice = "The save holder was not changed: " + error;
    } else {
      ini_ = chooser.ini();
      setHolder(ini_.holder);
    }
  }
  if (done || cancel) {
    ImGui::CloseCurrentPopup();
    chooser_.reset();
  }
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
