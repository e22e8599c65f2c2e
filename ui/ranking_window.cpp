#include "ui/ranking_window.h"

#include <imgui.h>

#include <string>

#include "commands/command_table.h"
#include "ui/places.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {
constexpr ImGuiWindowFlags kBoxFlags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize |
                                       ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoScrollbar |
                                       ImGuiWindowFlags_NoScrollWithMouse;
}  // namespace

void RankingWindow::open(const storage::SaveHolder& holder) {
  board_.emplace(holder);
  board_->open();
}

void RankingWindow::draw(const Canvas& canvas) {
  if (!board_) return;
  storage::RankingBoard& board = *board_;
  const FontSet& fonts = canvas.fonts;
  const bool busyBefore = !board.notices.empty() || board.clearAsked() || board.nameRequested();
  const RankingFonts sizes = rankingFonts(game_.options);
  const RankingPlaces p = rankingPlaces(canvas.layout, sizes.list, sizes.title);
  const int top = canvas.top;
  ImGui::SetNextWindowPos(screenMin(p.window, top), ImGuiCond_Always);
  ImGui::SetNextWindowSize(sizeOf(p.window), ImGuiCond_Always);
  if (!ImGui::IsPopupOpen("Ranking")) ImGui::OpenPopup("Ranking");
  if (!ImGui::BeginPopupModal("Ranking", nullptr, kBoxFlags)) return;
  ImDrawList* list = ImGui::GetWindowDrawList();
  auto text = [&](const Rect& r, std::string_view s, int points, bool bold, Align align, ImU32 c) {
    const FittedText fit = fitText(fonts, s, sizeOf(r), points, bold, false);
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
    if (gameButton(fonts, kTitles[n - 1], kTitles[n - 1], sizeOf(p.rankingButtons[n - 1]),
                   {board.current() == n, true, sizes.list})) {
      noteWindowInput(game_, commands::line(commands::Verb::ClickRank, n));
      board.select(n);
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", kHints[n - 1]);
  }
  ImGui::SetCursorScreenPos(screenMin(p.ok, top));
  bool close = gameButton(fonts, "OK", "OK", sizeOf(p.ok), {true, true, sizes.list}) ||
               (!busyBefore && enterPressed());
  ImGui::SetCursorScreenPos(screenMin(p.clear, top));
  if (gameButton(fonts, "Clear", "Clear", sizeOf(p.clear),
                 {false, board.clearEnabled(), sizes.list})) {
    noteWindowInput(game_, commands::line(commands::Verb::ClickRankClear));
    board.askClear();
  }

  drawBoxes(canvas, board);
  const bool busy = !board.notices.empty() || board.clearAsked() || board.nameRequested();
  if (close && !busy) {
    ImGui::CloseCurrentPopup();
    board_.reset();
    game_.rankingClosed();
  }
  ImGui::EndPopup();
}

// Damaged files, the Clear question, the name box.
void RankingWindow::drawBoxes(const Canvas& canvas, storage::RankingBoard& board) {
  const FontSet& fonts = canvas.fonts;
  if (!board.notices.empty()) {
    if (okBox(canvas, "##rankingNotice", board.notices.front())) {
      noteWindowInput(game_, commands::answer(commands::Reply::Ok));
      board.notices.pop_front();
    }
  } else if (board.clearAsked()) {
    if (!ImGui::IsPopupOpen("##clear")) ImGui::OpenPopup("##clear");
    if (beginBox(canvas, "##clear", "Initialize this data. Is it true?")) {
      const ImVec2 size(88, 26);
      boxButtons(2, size.x);
      if (gameButton(fonts, "Yes", "Yes", size, {true, true}) || enterPressed()) {
        noteWindowInput(game_, commands::answer(commands::Reply::Yes));
        board.answerClear(true);
      }
      ImGui::SameLine();
      if (gameButton(fonts, "No", "No", size, {false, true}) || escapePressed()) {
        noteWindowInput(game_, commands::answer(commands::Reply::No));
        board.answerClear(false);
      }
      if (!board.clearAsked()) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
  } else if (board.nameRequested()) {
    if (!ImGui::IsPopupOpen("##name")) {
      ImGui::OpenPopup("##name");
      name_.fill(0);
    }
    if (beginBox(canvas, "##name", "Please input within 18 words", "Input your name")) {
      if (ImGui::IsWindowAppearing()) ImGui::SetKeyboardFocusHere();
      ImGui::SetNextItemWidth(-1);
      const bool entered =
          ImGui::InputText("##name", name_.data(), 64, ImGuiInputTextFlags_EnterReturnsTrue);
      ImGui::Dummy(ImVec2(0, 4));
      const ImVec2 size(88, 26);
      boxButtons(2, size.x);
      if (gameButton(fonts, "OK", "OK", size, {true, true}) || entered) {
        noteWindowInput(game_, commands::line(commands::Verb::Input, name_.data()));
        board.enterName(std::string(name_.data()));
      }
      ImGui::SameLine();
      if (gameButton(fonts, "Cancel", "Cancel", size, {false, true})) {
        noteWindowInput(game_, commands::line(commands::Verb::InputCancel));
        board.enterName(std::nullopt);
      }
      if (!board.nameRequested()) ImGui::CloseCurrentPopup();
      ImGui::EndPopup();
    }
  }
}

}  // namespace kelvorn::ui
