// The ranking window's work: it shows the five top-ten lists, registers a place won at
// a fairy's checkpoint under the name the player types, and clears a list back to its
// starting values. The window (or the headless driver) shows what this asks for.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "rules/host.h"
#include "storage/names_file.h"
#include "storage/save_holder.h"

namespace kelvorn::storage {

class RankingBoard {
 public:
  explicit RankingBoard(const SaveHolder& holder) : holder_(holder) {}

  // Opens the window: reads the hand-over copy of the game and shows the ranking of its
  // checkpoint, if it names one.
  void open();
  // A ranking button (1..5).
  void select(int n);
  // The name box's answer; nullopt when cancelled.
  void enterName(const std::optional<std::string>& name);
  // "Clear", then the answer to its question.
  void askClear();
  void answerClear(bool yes);

  int current() const { return current_; }
  bool shown() const { return current_ != 0; }
  bool clearEnabled() const { return clearEnabled_; }
  const RankingRows& rows() const { return rows_; }
  const RankingNames& names() const { return names_; }
  bool nameRequested() const { return nameRequested_; }
  bool clearAsked() const { return clearAsked_; }
  // Boxes to show one after another (damaged files, write errors).
  std::deque<std::string> notices;

 private:
  void show();
  void save();
  std::int32_t version() const { return copy_.state[gs::SaveVersion]; }

  const SaveHolder& holder_;
  SavedGame copy_;
  int current_ = 0;
  bool clearEnabled_ = false;
  bool nameRequested_ = false;
  bool clearAsked_ = false;
  RankingRows rows_{};
  RankingNames names_{};
};

}  // namespace kelvorn::storage
