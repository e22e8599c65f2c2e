#include "ui/route_window.h"

#include <imgui.h>

#include <algorithm>

#include "commands/command_table.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace {

constexpr const char* kGoalNames[] = {"The floor above the highest reached", "The next checkpoint",
                                      "The ending"};

// The cells a move walks over, from `start`, and the cell it acts on.
std::vector<int> walkedCells(int start, const solve::RouteMove& move) {
  std::vector<int> cells{start};
  for (const std::string& c : move.commands) {
    const int x = cellColumn(cells.back()), y = cellRow(cells.back());
    // A step by an arrow key (up, left, right, down); the other lines act where he stands.
    constexpr int kDx[] = {0, -1, 1, 0}, kDy[] = {-1, 0, 0, 1};
    int dx = 0, dy = 0;
    for (std::size_t d = 0; d < std::size(commands::kArrowKeys); ++d)
      if (c == commands::form(commands::kArrowKeys[d]).name) dx = kDx[d], dy = kDy[d];
    if ((dx != 0 || dy != 0) && onBoard(x + dx, y + dy)) cells.push_back(cellIndex(x + dx, y + dy));
  }
  if (move.target >= 0 && cells.size() > 1) cells.pop_back();  // the hero acts from beside it
  return cells;
}

}  // namespace

void RouteWindow::open() {
  open_ = true;
  step_ = -1;
  if (!check_.running()) asked_ = false;
}

void RouteWindow::ask(int goal) {
  open();
  goal_ = goal;
  const Question asked = question(game_.state, goal_);
  goalText_ = asked.text;
  start_ = game_.state.heroCell();
  check_.start(SavedGame{game_.floors, game_.state}, asked, kSearchSeconds);
  asked_ = true;
}

std::string RouteWindow::answer() const {
  const auto result = check_.result();
  if (!asked_ || check_.running() || !result) return {};
  return answerText(*result, goalText_, check_.cancelled(), check_.seconds());
}

void RouteWindow::draw(float width, float height) {
  if (!open_) return;
  ImGui::SetNextWindowPos(ImVec2(width / 2, height / 2), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  bool open = true;
  if (!ImGui::Begin("Can I still win?", &open,
                    ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_NoSavedSettings |
                        ImGuiWindowFlags_NoCollapse)) {
    ImGui::End();
    return;
  }
  if (!asked_) {
    ImGui::TextUnformatted("Search for a way to:");
    for (int g = 0; g < 3; ++g) ImGui::RadioButton(kGoalNames[g], &goal_, g);
    if (ImGui::Button("Search")) ask(goal_);
    ImGui::SameLine();
    if (ImGui::Button("Close")) open = false;
  } else if (check_.running()) {
    ImGui::Text("Searching for a way to %s...", goalText_.c_str());
    ImGui::ProgressBar(check_.fraction(), ImVec2(260, 0));
    ImGui::Text("%zu positions looked at", check_.positions());
    if (ImGui::Button("Cancel")) check_.cancel();
  } else if (const auto result = check_.result()) {
    ImGui::TextUnformatted(
        answerText(*result, goalText_, check_.cancelled(), check_.seconds()).c_str());
    const int moves = static_cast<int>(result->search.route.size());
    if (result->search.answer == solve::Answer::RouteFound && moves > 0) {
      if (step_ < 0) {
        if (ImGui::Button("Show the way")) step_ = 0;
      } else {
        ImGui::Text("Move %d of %d", step_ + 1, moves);
        if (ImGui::Button("Previous") && step_ > 0) --step_;
        ImGui::SameLine();
        if (ImGui::Button("Next") && step_ + 1 < moves) ++step_;
      }
      ImGui::SameLine();
    }
    if (ImGui::Button("Ask again")) asked_ = false, step_ = -1;
    ImGui::SameLine();
    if (ImGui::Button("Close")) open = false;
  }
  ImGui::End();
  if (!open) {
    check_.stop();
    open_ = false;
    step_ = -1;
  }
}

void RouteWindow::drawOverlay(const Canvas& canvas) const {
  if (step_ < 0 || check_.running()) return;
  const auto result = check_.result();
  if (!result) return;
  const std::vector<solve::RouteMove>& route = result->search.route;
  if (step_ >= static_cast<int>(route.size())) return;
  const solve::RouteMove& move = route[static_cast<std::size_t>(step_)];
  if (move.floor != game_.state[gs::Floor]) return;  // the move starts on another floor
  const int start =
      step_ == 0 ? start_ : route[static_cast<std::size_t>(step_ - 1)].after.heroCell();
  const Layout& l = canvas.layout;
  const float t = float(l.tileSize), top = float(canvas.top);
  auto corner = [&](int cell) {
    return ImVec2(float(l.board.x) + float(cellColumn(cell)) * t,
                  top + float(l.board.y) + float(cellRow(cell)) * t);
  };
  ImDrawList* draw = ImGui::GetForegroundDrawList();
  for (const int cell : walkedCells(start, move)) {
    const ImVec2 c = corner(cell);
    draw->AddCircleFilled(ImVec2(c.x + t / 2, c.y + t / 2), t / 8, colour::GoldLight);
  }
  if (move.target >= 0) {
    const ImVec2 c = corner(move.target);
    draw->AddRect(c, ImVec2(c.x + t, c.y + t), colour::Gold, 0, 0, 3);
  }
}

}  // namespace kelvorn::ui
