#include "ui/help_windows.h"

#include <imgui.h>

#include <string>
#include <vector>

#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
const ImVec2 kButton(88, 26);
}  // namespace

bool HelpWindows::takeKey(SDL_Keycode key) {
  if (!isOpen()) return false;
  if (key == SDLK_RETURN || key == SDLK_ESCAPE) aboutOpen_ = helpOpen_ = false;
  return true;
}

void HelpWindows::draw(const Canvas& canvas) {
  drawAbout(canvas);
  drawHelp(canvas);
}

void HelpWindows::drawAbout(const Canvas& canvas) {
  if (!aboutOpen_) return;
  if (!ImGui::IsPopupOpen("About Kelvorn")) ImGui::OpenPopup("About Kelvorn");
  static constexpr const char* kText =
      "Climb the fifty floors of the tower.\n"
      "Every battle is decided before it starts: check a monster's\n"
      "life, offense and defense, and spend keys and gold with care.\n\n"
      "Arrow keys walk. Enter opens the item cursor; Escape closes it.\n"
      "F2 starts a new game, F9 ends the program; F1 lists every key.";
  // A fixed width from the text itself, so the separator and the text agree from the
  // first frame on.
  ImFont* body = canvas.fonts.get(10, false);
  const float textWidth = body->CalcTextSizeA(body->FontSize, 1e9f, 0, kText).x;
  const float padding = ImGui::GetStyle().WindowPadding.x;
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(textWidth + 2 * padding, 0), ImGuiCond_Always);
  if (!ImGui::BeginPopupModal("About Kelvorn", nullptr,
                              ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::PushFont(canvas.fonts.get(14, true));
  ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(colour::Gold));
  ImGui::TextUnformatted("Kelvorn Ver1.2");
  ImGui::PopStyleColor();
  ImGui::PopFont();
  // The separator spans the box from frame to frame.
  ImDrawList* list = ImGui::GetWindowDrawList();
  const ImVec2 at = ImGui::GetCursorScreenPos();
  const float left = ImGui::GetWindowPos().x + 1, right = left + ImGui::GetWindowWidth() - 2;
  list->AddLine(ImVec2(left, at.y + 3.5f), ImVec2(right, at.y + 3.5f), colour::GoldDark);
  ImGui::Dummy(ImVec2(textWidth, 8));
  ImGui::TextUnformatted(kText);
  ImGui::Dummy(ImVec2(0, 4));
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - kButton.x) / 2);
  const bool enter =
      !ImGui::IsWindowAppearing() && (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
                                      ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)));
  if (gameButton(canvas.fonts, "OK", "OK", kButton, {true, true}) || enter) {
    aboutOpen_ = false;
    ImGui::CloseCurrentPopup();
  }
  ImGui::EndPopup();
}

void HelpWindows::drawHelp(const Canvas& canvas) {
  if (!beginCentredWindow("Keys and Buttons", helpOpen_)) return;
  struct Row {
    std::string what, keys;
    const char* pad;
  };
  std::vector<Row> rows;
  static constexpr const char* kPadWalk[] = {
      "D-pad, stick", "D-pad, stick", "D-pad, stick", "D-pad, stick", "A", "B"};
  for (int a = 0; a < kActions; ++a)
    rows.push_back({actionInfo(Action(a)).label, settings_.keys().names(Action(a)), kPadWalk[a]});
  rows.push_back({"Menu bar", "Mouse", "Start"});
  rows.push_back({"Fast play", "Hold Space", "Hold L or R"});
  rows.push_back({"New game", "F2", ""});
  rows.push_back({"End the program", "F9", ""});
  rows.push_back({"Full screen", "F11", ""});
  rows.push_back({"This help", "F1", ""});
  rows.push_back({"Use an item", "Click its icon", ""});
  if (settings_.comfort(setting::ClickToWalk))
    rows.push_back({"Walk to a floor cell", "Click it", ""});
  if (settings_.comfort(setting::MonsterHints))
    rows.push_back({"A monster's name and cost", "Point at it", ""});

  if (ImGui::BeginTable("##help", 3, ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerH)) {
    ImGui::TableSetupColumn("What", ImGuiTableColumnFlags_WidthFixed, 160);
    ImGui::TableSetupColumn("Keys and mouse", ImGuiTableColumnFlags_WidthFixed, 190);
    ImGui::TableSetupColumn("Gamepad", ImGuiTableColumnFlags_WidthFixed, 90);
    ImGui::PushStyleColor(ImGuiCol_Text, ImGui::ColorConvertU32ToFloat4(colour::GoldLight));
    ImGui::TableHeadersRow();
    ImGui::PopStyleColor();
    for (const Row& row : rows) {
      ImGui::TableNextRow();
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(row.what.c_str());
      ImGui::TableNextColumn();
      ImGui::TextWrapped("%s", row.keys.c_str());
      ImGui::TableNextColumn();
      ImGui::TextUnformatted(row.pad);
    }
    ImGui::EndTable();
  }
  ImGui::Dummy(ImVec2(0, 2));
  ImGui::SetCursorPosX((ImGui::GetWindowWidth() - kButton.x) / 2);
  if (gameButton(canvas.fonts, "OK##help", "OK", kButton, {true, true})) helpOpen_ = false;
  if (!helpOpen_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

}  // namespace kelvorn::ui
