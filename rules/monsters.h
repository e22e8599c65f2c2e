// Monster kinds: the 33-row MonsterTable, the mapping from a TileCode to its kind,
// and the portrait picture of each kind.
#pragma once

#include "content/tables.h"
#include "rules/floor_store.h"

namespace kelvorn {

inline constexpr int kMonsterKinds = content::kMonsterKinds;
using MonsterStats = content::MonsterRow;

// The MonsterTable, read by a kind that may come from anywhere (a tile code of a saved
// floor, a panel's remembered kind): a kind outside the table reads as an empty row, so
// no lookup ever leaves the table. Only Zeno's row changes in play (his seal, the final
// battle); the table keeps that row and shares the others with the tables it was made
// from, which must outlive it, so a copy of a game copies one row.
class MonsterTable {
 public:
  MonsterTable(const content::MonsterRows& rows)  // NOLINT: a table is its rows
      : rows_(&rows), changing_(rows[kChanging]) {}
  MonsterTable(content::MonsterRows&&) = delete;  // the rows must outlive the table
  const MonsterStats& operator[](int k) const {
    return k == kChanging ? changing_ : valid(k) ? (*rows_)[k] : kNone;
  }
  // The one row play changes.
  MonsterStats& zenoRow() { return changing_; }
  static bool valid(int k) { return k >= 0 && k < kMonsterKinds; }

 private:
  static constexpr int kChanging = 15;  // kind::Zeno
  static constexpr MonsterStats kNone{};
  const content::MonsterRows* rows_;
  MonsterStats changing_;
};

namespace kind {
inline constexpr int Zombie = 12, ZombieKnight = 13, Zeno = 15, Sergeant = 16, Vampire = 17,
                     Octopus = 18, Dragon = 19, GoldenKnight = 20, GreatMagicMaster = 26,
                     MagicianA = 29, MagicianB = 30;
}  // namespace kind

// The kind a TileCode fights as, or -1 when the code is not a monster. Both animation
// codes of a single-cell monster map to its kind; the two 3 x 3 bodies map every cell.
int monsterKindOf(TileCode code);

// True when stepping into a cell holding `code` on `floor` starts a battle there: the
// cell judge's test, which the costs shown on the board follow too. Codes of the battle
// range with no monster kind (96, 106..114) start nothing, and since a later game ends
// with any battle won on floor 50, only Zeno meets the hero there, by its own rules.
bool bumpFights(TileCode code, int floor);

// The image index of a kind's portrait in the tile sheet, or 0 for no monster.
int portraitImage(int kind);

// Row 15 (the sergeant's named form) follows the story flag that seals him in:
// 0 gives his full strength, 1 a tenth of it; other values leave the row as it is.
// Its gold never changes.
void applySergeantRow(MonsterTable& table, std::int32_t sealedFlag);

// The message-table entry naming a kind; kinds outside the table give "The Name" (93)
// or, for kind 33, the empty entry 127.
int monsterNameEntry(int kind);

}  // namespace kelvorn
