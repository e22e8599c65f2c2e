#include "storage/ranking_board.h"

#include <algorithm>

namespace kelvorn::storage {

void RankingBoard::open() {
  copy_ = SavedGame{};
  copy_.state[gs::SaveVersion] = gs::kSaveVersion;
  if (const auto handed = holder_.readHandOver()) copy_ = *handed;
  current_ = 0;
  clearEnabled_ = false;
  const int checkpoint = copy_.state[gs::Checkpoint];
  if (checkpoint >= 1 && checkpoint <= 5) select(checkpoint);
}

void RankingBoard::select(int n) {
  if (n < 1 || n > 5) return;
  current_ = n;
  clearEnabled_ = true;
  show();
}

void RankingBoard::show() {
  RankingLookup lookup = holder_.readRanking(current_, version());
  if (!lookup.problem.empty()) notices.push_back(lookup.problem);
  rows_ = lookup.rows;
  if (auto names = holder_.readNames(current_)) {
    names_ = *names;
  } else {
    names_ = RankingNames{};
    notices.push_back("The names of this ranking could not be read.");
  }
  const int place = copy_.state[gs::RankWon];
  if (place >= 1 && place <= 10) nameRequested_ = true;
}

void RankingBoard::enterName(const std::optional<std::string>& name) {
  if (!nameRequested_) return;
  nameRequested_ = false;
  const int place = copy_.state[gs::RankWon];
  const std::string clean = name ? cleanName(*name) : std::string();
  // A name of nothing but blanks (or control characters) counts as no name.
  if (name && clean.find_first_not_of(' ') != std::string::npos) {
    for (int i = 9; i > place - 1; --i) {
      rows_[i] = rows_[i - 1];
      names_[i] = names_[i - 1];
    }
    rows_[place - 1] = {copy_.state[gs::LastScore], copy_.state[gs::Life],
                        copy_.state[gs::Offense], copy_.state[gs::Defense]};
    names_[place - 1] = clean;
  }
  save();
}

void RankingBoard::askClear() {
  if (clearEnabled_) clearAsked_ = true;
}

void RankingBoard::answerClear(bool yes) {
  if (!clearAsked_) return;
  clearAsked_ = false;
  if (!yes) return;
  copy_.state[gs::Checkpoint] = current_;
  rows_ = temporaryRanking(current_);
  names_ = defaultNames(current_);
  save();
}

// Writes the list of the copy's checkpoint and its names, then clears the hand-over
// fields of the copy so a place is registered only once.
void RankingBoard::save() {
  const int n = copy_.state[gs::Checkpoint];
  if (n >= 1 && n <= 5) {
    for (const std::string& error :
         {holder_.writeRanking(n, rows_, version()), holder_.writeNames(n, names_)})
      if (!error.empty()) notices.push_back("The ranking was not saved: " + error);
  }
  copy_.state[gs::LastScore] = 0;
  copy_.state[gs::RankWon] = 0;
  copy_.state[gs::Checkpoint] = 0;
  if (const std::string error = holder_.writeHandOver(copy_); !error.empty())
    notices.push_back("The game could not be handed back: " + error);
}

}  // namespace kelvorn::storage
