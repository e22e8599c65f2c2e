// The two windows of their own: the rankings (with the name box of a new place) and the
// chooser of the save holder.
#include <imgui.h>

#include <cstdlib>
#include <cstring>

#include "ui/app.h"
#include "ui/paths.h"
#include "ui/places.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
constexpr ImGuiWindowFlags kBoxFlags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
                                       ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                       ImGuiWindowFlags_NoScrollWithMouse;

// Enter as a key press meant for this box: not the press that opened it.
bool enterPressed() {
  return !ImGui::IsWindowAppearing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter));
}
bool escapePressed() {
  return !ImGui::IsWindowAppearing() && ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape));
}
}  // namespace

bool App::okBox(const char* id, const std::string& text) {
  if (!ImGui::IsPopupOpen(id)) ImGui::OpenPopup(id);
  if (!beginBox(id, text)) return false;
  const ImVec2 size(88, 26);
  boxButtons(1, size.x);
  const bool closed = gameButton(fonts_, "OK", "OK", size, {true, true}) || enterPressed();
  if (closed) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
  return closed;
}

void App::drawRankingWindow() {
  if (!ranking_) return;
  storage::RankingBoard& board = *ranking_;
  const bool busyBefore = !board.notices.empty() || board.clearAsked() || board.nameRequested();
  const RankingFonts sizes = rankingFonts(game_.options);
  const RankingPlaces p = rankingPlaces(drawing_.layout, sizes.list, sizes.title);
  const int top = menuHeight();
  ImGui::SetNextWindowPos(screenMin(p.window, top), ImGuiCond_Always);
  ImGui::SetNextWindowSize(sizeOf(p.window), ImGuiCond_Always);
  if (!ImGui::IsPopupOpen("Ranking")) ImGui::OpenPopup("Ranking");
  if (!ImGui::BeginPopupModal("Ranking", nullptr, kBoxFlags)) return;
  ImDrawList* list = ImGui::GetWindowDrawList();
  auto text = [&](const Rect& r, std::string_view s, int points, bool bold, Align align, ImU32 c) {
    const FittedText fit = fitText(fonts_, s, sizeOf(r), points, bold, false);
    drawText(list, fit, screenMin(r, top), sizeOf(r), align, c);
  };

  list->AddRectFilled(screenMin(p.caption, top), screenMax(p.caption, top), colour::SlateDeep);
  list->AddLine(ImVec2(float(p.caption.x), float(p.caption.bottom() + top) - 0.5f),
                ImVec2(float(p.caption.right()), float(p.caption.bottom() + top) - 0.5f),
                colour::GoldDark);
  text(p.caption, "Ranking", 10, false, Align::Centre, colour::Text);
  text(p.title, "RANKING of Top 10", sizes.title, true, Align::Left, colour::Gold);
  static constexpr const char* kTitles[] = {"10F", "20F", "25F", "40F", "49F"};
  if (board.shown())
    text(p.shown, kTitles[board.current() - 1], sizes.title, true, Align::Right, colour::GoldLight);

  // The list: headings on a dark band under a gold line, rows in alternating slate.
  for (int r = 0; r < 11; ++r) {
    const ImU32 fill = r == 0  ? colour::SlateDeep
                       : r % 2 ? IM_COL32(50, 54, 76, 255)
                               : IM_COL32(44, 47, 68, 255);
    list->AddRectFilled(screenMin(p.rows[r], top), screenMax(p.rows[r], top), fill);
  }
  const float y0 = float(p.rows[0].y + top), y1 = float(p.rows[10].bottom() + top);
  for (int c = 1; c < 6; ++c)
    list->AddLine(ImVec2(p.columns[c] - 0.5f, y0), ImVec2(p.columns[c] - 0.5f, y1), colour::Slate);
  list->AddRect(ImVec2(float(p.columns[0]), y0), ImVec2(float(p.columns[6]), y1), colour::GoldDark);
  list->AddLine(ImVec2(float(p.columns[0]), float(p.rows[1].y + top)),
                ImVec2(float(p.columns[6]), float(p.rows[1].y + top)), colour::GoldDark);
  static constexpr const char* kHeadings[] = {"Rank", "Points",  "Name",
                                              "Life", "Offense", "Defense"};
  for (int c = 0; c < 6; ++c)
    text(rankingCell(p, 0, c), kHeadings[c], sizes.list, true, c == 2 ? Align::Left : Align::Right,
         colour::GoldLight);
  for (int i = 0; i < 10; ++i) {
    text(rankingCell(p, i + 1, 0), std::to_string(i + 1), sizes.list, false, Align::Right,
         colour::Text);
    if (!board.shown()) continue;
    const RankingRow& r = board.rows()[i];
    const std::int32_t values[] = {r.points, r.life, r.offense, r.defense};
    text(rankingCell(p, i + 1, 1), std::to_string(values[0]), sizes.list, false, Align::Right,
         colour::Text);
    text(rankingCell(p, i + 1, 2), storage::displayName(board.names()[i]), sizes.list, false,
         Align::Left, colour::Text);
    for (int c = 1; c < 4; ++c)
      text(rankingCell(p, i + 1, c + 2), std::to_string(values[c]), sizes.list, false, Align::Right,
           colour::Text);
  }

  static constexpr const char* kHints[] = {"The army corps of skeletons",
                                           "The corps of immortal force", "The Great Magic Master",
                                           "The Golden Knight corps", "The Magic Sergeant Zeno"};
  for (int n = 1; n <= 5; ++n) {
    ImGui::SetCursorScreenPos(screenMin(p.rankingButtons[n - 1], top));
    if (gameButton(fonts_, kTitles[n - 1], kTitles[n - 1], sizeOf(p.rankingButtons[n - 1]),
                   {board.current() == n, true, sizes.list})) {
      noteWindowInput("click rank " + std::to_string(n));
      board.select(n);
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kHints[n - 1]);
  }
  ImGui::SetCursorScreenPos(screenMin(p.ok, top));
  bool close = gameButton(fonts_, "OK", "OK", sizeOf(p.ok), {true, true, sizes.list}) ||
               (!busyBefore && enterPressed());
  ImGui::SetCursorScreenPos(screenMin(p.clear, top));
  if (gameButton(fonts_, "Clear", "Clear", sizeOf(p.clear),
                 {false, board.clearEnabled(), sizes.list})) {
    noteWindowInput("click rank-clear");
    board.askClear();
  }

  // Its own boxes, one at a time: damaged files, the Clear question, the name box.
  if (!board.notices.empty()) {
    if (okBox("##rankingNotice", board.notices.front())) {
      noteWindowInput("answer ok");
      board.notices.pop_front();
    }
  } else if (board.clearAsked()) {
    if (!ImGui::IsPopupOpen("##clear")) ImGui::OpenPopup("##clear");
    if (beginBox("##clear", "Initialize this data. Is it true?")) {
      const ImVec2 size(88, 26);
      boxButtons(2, size.x);
      if (gameButton(fonts_, "Yes", "Yes", size, {true, true}) || enterPressed()) {
        noteWindowInput("answer yes");
        board.answerClear(true);
      }
      ImGui::SameLine();
      if (gameButton(fonts_, "No", "No", size, {false, true}) || escapePressed()) {
        noteWindowInput("answer no");
        board.answerClear(false);
      }
      if (!board.clearAsked()) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
  } else if (board.nameRequested()) {
    if (!ImGui::IsPopupOpen("##name")) {
      ImGui::OpenPopup("##name");
      inputText_.fill(0);
    }
    if (beginBox("##name", "Please input within 18 words", "Input your name")) {
      if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
      ImGui::SetNextItemWidth(-1);
      const bool entered =
          ImGui::InputText("##name", inputText_.data(), 64, ImGuiInputTextFlags_EnterReturnsTrue);
      ImGui::Dummy(ImVec2(0, 4));
      const ImVec2 size(88, 26);
      boxButtons(2, size.x);
      if (gameButton(fonts_, "OK", "OK", size, {true, true}) || entered) {
        noteWindowInput("input " + std::string(inputText_.data()));
        board.enterName(std::string(inputText_.data()));
      }
      ImGui::SameLine();
      if (gameButton(fonts_, "Cancel", "Cancel", size, {false, true})) {
        noteWindowInput("input-cancel");
        board.enterName(std::nullopt);
      }
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
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_Always,
                          ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(500, 330), ImGuiCond_Always);
  if (!ImGui::IsPopupOpen("Change Data Holder")) ImGui::OpenPopup("Change Data Holder");
  if (!ImGui::BeginPopupModal("Change Data Holder", nullptr,
                              ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove))
    return;
  ImGui::PushFont(fonts_.get(10, true));
  ImGui::TextUnformatted("Please choose a data holder");
  ImGui::PopFont();
  ImGui::TextDisabled("The place");
  ImGui::SameLine();
  ImGui::TextWrapped("%s", chooser.selected().string().c_str());
  // Linux has no drives: the roots a player starts from are the file system's, his
  // home and his data folder.
  ImGui::SetNextItemWidth(-1);
  if (ImGui::BeginCombo("##roots", "Go to...")) {
    for (const std::filesystem::path& root :
         {std::filesystem::path("/"),
          std::filesystem::path(std::getenv("HOME") ? std::getenv("HOME") : "/"),
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
  if (gameButton(fonts_, "Make Holder", "Make Holder", ImVec2(120, size.y))) {
    makingHolder_ = true;
    inputText_.fill(0);
    const std::string start = chooser.selected().string() + "/";
    std::strncpy(inputText_.data(), start.c_str(), inputText_.size() - 1);
    ImGui::OpenPopup("##makeHolder");
  }
  ImGui::SameLine(ImGui::GetWindowWidth() - ImGui::GetStyle().WindowPadding.x - 2 * size.x -
                  ImGui::GetStyle().ItemSpacing.x);
  bool done = gameButton(fonts_, "OK", "OK", size, {true, true});
  ImGui::SameLine();
  const bool cancel = gameButton(fonts_, "Cancel", "Cancel", size);
  if (beginBox("##makeHolder", "Please, input the name of holder")) {
    if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
    ImGui::SetNextItemWidth(-1);
    const bool entered = ImGui::InputText("##holder", inputText_.data(), inputText_.size(),
                                          ImGuiInputTextFlags_EnterReturnsTrue);
    ImGui::Dummy(ImVec2(0, 4));
    boxButtons(2, size.x);
    if (gameButton(fonts_, "OK", "OK", size, {true, true}) || entered) {
      if (const std::string error = chooser.make(inputText_.data()); !error.empty())
        game_.dialogs.notice = error;
      makingHolder_ = false;
      ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (gameButton(fonts_, "Cancel", "Cancel", size)) {
      makingHolder_ = false;
      ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
  }
  if (done) {
    if (const std::string error = chooser.confirm(); !error.empty()) {
      game_.dialogs.notice = "The save holder was not changed: " + error;
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
