#include "ui/replays.h"

#include <imgui.h>

#include <cstdlib>
#include <ctime>
#include <iostream>

#include "commands/script_lines.h"
#include "storage/replay_files.h"
#include "storage/start_save.h"
#include "ui/paths.h"
#include "ui/theme.h"

namespace kelvorn::ui {

namespace fs = std::filesystem;

Replays::~Replays() {
  if (!folder_.empty()) {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
}

std::string Replays::save(const fs::path& script) const {
  std::error_code ec;
  if (script.has_parent_path()) fs::create_directories(script.parent_path(), ec);
  return storage::writeReplay(script, game_.records.replay);
}

void Replays::drawSaveBox(const Canvas& canvas) {
  if (!saveBoxOpen_) return;
  if (!ImGui::IsPopupOpen("##replay")) {
    ImGui::OpenPopup("##replay");
    std::array<char, 32> stamp{};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d-%H%M%S", &local);
    const std::string path =
        (dataFolder() / "replays" / ("replay-" + std::string(stamp.data()) + ".txt")).string();
    path_.fill(0);
    path.copy(path_.data(), path_.size() - 1);
    note_ = "The game it begins from is saved beside it (.dat).";
  }
  if (!beginBox(canvas, "##replay", note_, "Save Replay")) return;
  ImGui::SetNextItemWidth(-1);
  const bool entered =
      ImGui::InputText("##path", path_.data(), path_.size(), ImGuiInputTextFlags_EnterReturnsTrue);
  ImGui::Dummy(ImVec2(0, 4));
  const ImVec2 size(88, 26);
  boxButtons(2, size.x);
  if (gameButton(canvas.fonts, "Save", "Save", size, {true, true}) || entered) {
    const std::string error = save(path_.data());
    if (error.empty()) saveBoxOpen_ = false;
    note_ = error.empty() ? std::string() : "The replay was not saved: " + error;
  }
  ImGui::SameLine();
  if (gameButton(canvas.fonts, "Cancel", "Cancel", size, {false, true}) ||
      ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Escape)))
    saveBoxOpen_ = false;
  if (!saveBoxOpen_) ImGui::CloseCurrentPopup();
  ImGui::EndPopup();
}

bool Replays::start(const fs::path& script, int speed, std::string& error) {
  player_ = ReplayPlayer::open(script, error);
  if (!player_) return false;
  std::string reason;
  const std::optional<SavedGame> start =
      storage::readStartSave(storage::replayStartFile(script), reason);
  if (!start) {
    player_.reset();
    error = "the game the replay begins from cannot be used: " + reason;
    return false;
  }
  // A replay saves, registers names and writes options as it was played: into a holder
  // of its own, never the player's.
  std::string folder = (fs::temp_directory_path() / "kelvorn-replay-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    player_.reset();
    error = "cannot make a save holder for the replay";
    return false;
  }
  speed_ = std::max(speed, 1);
  folder_ = folder;
  playersHolder_ = host_.holder().folder();
  host_.setHolder(folder_);
  game_.loadGame(start, true);
  return true;
}

bool Replays::play(int elapsed, const std::function<bool(const std::string&)>& command) {
  return player_->play(
      elapsed * speed_, [&](int ms) { game_.advance(ms); },
      [&](const std::string& line) {
        if (command(line)) return true;
        std::cerr << "kelvorn: the replay stops at line " << player_->lineNumber() << ": '"
                  << commands::printable(line) << "' cannot be carried out now\n";
        return false;
      });
}

void Replays::end() {
  player_.reset();
  // The player takes over: what he saves goes to his own holder, which the replay never
  // touched, and the autosaves keep his game from the next floor change on. The replay's
  // own holder held only what the replay saved.
  host_.setHolder(playersHolder_);
  std::error_code ec;
  fs::remove_all(folder_, ec);
  folder_.clear();
  game_.showOnMessageBar("The replay has ended; you play on, saving in your own save holder.");
  std::cerr << "kelvorn: the replay has ended; the game goes on from here\n";
}

}  // namespace kelvorn::ui
