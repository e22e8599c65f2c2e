#include "tools/soak/saves.h"

#include <algorithm>
#include <climits>

#include "storage/save_file.h"

namespace kelvorn::soak {

namespace {

constexpr int kPoolSize = 64;

// Values at the edges of what the game's fields hold.
std::int32_t edgeValue(Rng& rng) {
  static constexpr std::int32_t kEdges[] = {
      0,         1,        2,  3,   4,   5,   -1,  10,  11,    43,    44,
      49,        50,       51, 120, 121, 255, 256, 999, 32767, 32768, INT32_MAX - 999,
      INT32_MAX, INT32_MIN};
  return rng.percent(80) ? kEdges[rng.below(std::size(kEdges))]
                         : static_cast<std::int32_t>(rng.next());
}

// A code for a cell: mostly the codes a map never holds (0, partners, 36, 159..255),
// otherwise any stored code, so characters, stairs and monsters appear where no map
// puts them.
TileCode anyCode(Rng& rng) {
  static constexpr TileCode kNeverStored[] = {0,   18,  20,  22,  24,  26,  28,  36,
                                              62,  92,  96,  106, 110, 114, 124, 128,
                                              132, 134, 146, 158, 159, 160, 200, 255};
  static constexpr TileCode kStored[] = {1,  2,  3,  4,  5,  7,  8,  9,   10,  11,  12,  13, 14,
                                         16, 19, 21, 23, 25, 27, 29, 37,  38,  41,  43,  44, 45,
                                         50, 55, 61, 91, 93, 95, 97, 104, 122, 145, 151, 157};
  switch (rng.weighted({4, 4, 2})) {
    case 0: return kNeverStored[rng.below(std::size(kNeverStored))];
    case 1: return kStored[rng.below(std::size(kStored))];
    default: return static_cast<TileCode>(rng.below(256));
  }
}

// A cell beside the hero, where the next arrow key reaches it, or near him.
int cellNearHero(const GameState& s, Rng& rng) {
  static constexpr int kDx[] = {0, -1, 1, 0}, kDy[] = {-1, 0, 0, 1};
  const int side = rng.below(4), far = rng.percent(50) ? 1 : rng.between(2, 3);
  const int x = s.v[gs::HeroX] + kDx[side] * far, y = s.v[gs::HeroY] + kDy[side] * far;
  return onBoard(x, y) ? cellIndex(x, y) : rng.below(kCells);
}

// The hero placed on a floor cell of another floor, or beside one of the building's
// characters, altars or stairs, where conversations, scenes and floor changes start.
void moveHero(SavedGame& g, Rng& rng) {
  GameState& s = g.state;
  auto place = [&](int floor, int cell) {
    s[gs::Floor] = floor;
    if (s[gs::HighestFloor] < floor || rng.percent(30))
      s[gs::HighestFloor] = rng.between(floor, 50);
    s[gs::HeroX] = cellColumn(cell);
    s[gs::HeroY] = cellRow(cell);
    s[gs::Facing] = rng.between(1, 4);
  };
  if (rng.percent(40)) {
    // Free cells beside each kind of thing, so a kind found on few floors (the thief)
    // comes up as often as the stairs found on all of them.
    static constexpr TileCode kKinds[] = {tile::StairsUp, tile::StairsDown, tile::AltarCentre,
                                          tile::Merchant, tile::Thief,      tile::OldMan,
                                          tile::Princess};
    const TileCode kind = kKinds[rng.below(std::size(kKinds))];
    std::vector<std::pair<int, int>> beside;  // floor, cell
    static constexpr int kDx[] = {0, -1, 1, 0}, kDy[] = {-1, 0, 0, 1};
    for (int f = 0; f < kFloors; ++f)
      for (int c = 0; c < kCells; ++c)
        for (int d = 0; d < 4 && g.floors.cell(f, c) == kind; ++d) {
          const int x = cellColumn(c) + kDx[d], y = cellRow(c) + kDy[d];
          if (onBoard(x, y) && g.floors.cell(f, cellIndex(x, y)) == tile::Floor)
            beside.emplace_back(f, cellIndex(x, y));
        }
    if (!beside.empty()) {
      const auto [floor, cell] = beside[rng.below(static_cast<int>(beside.size()))];
      return place(floor, cell);
    }
  }
  // The first and last floors, where stairs and scenes meet the ends of the building,
  // more often than the others.
  const int floor = rng.percent(30) ? (rng.percent(50) ? 0 : 50) : rng.between(1, 49);
  std::vector<int> free;
  for (int c = 0; c < kCells; ++c)
    if (g.floors.cell(floor, c) == tile::Floor) free.push_back(c);
  place(floor, free.empty() ? rng.below(kCells) : free[rng.below(static_cast<int>(free.size()))]);
}

void setStat(GameState& s, Rng& rng) {
  static constexpr int kFields[] = {gs::Life,       gs::Offense,     gs::Defense,   gs::Gold,
                                    gs::YellowKeys, gs::RedKeys,     gs::BlueKeys,  gs::AltarCount,
                                    gs::SwordLevel, gs::ShieldLevel, gs::LevelBoost};
  s[kFields[rng.below(std::size(kFields))]] = edgeValue(rng);
}

void giveItems(GameState& s, Rng& rng) {
  for (int n = rng.between(1, 6); n > 0; --n) {
    const int slot = rng.below(kItemSlots);
    s.itemSlot(slot) = slot == 7 ? rng.between(0, 3) : slot == 0 && rng.percent(20) ? 2 : 1;
  }
}

// Any value of GameState, mostly among the fields the rules read.
void setAnyField(GameState& s, Rng& rng) {
  const int i = rng.percent(50) ? rng.below(gs::kSize) : rng.between(gs::AltarCount, gs::CarryOver);
  s[i] = rng.percent(70) ? rng.between(0, 2) : edgeValue(rng);
}

void overwriteCells(SavedGame& g, Rng& rng) {
  const int floor =
      g.state.v[gs::Floor] >= 0 && g.state.v[gs::Floor] <= 50 ? g.state.v[gs::Floor] : 1;
  for (int n = rng.between(1, 12); n > 0; --n) {
    const int f = rng.percent(70) ? floor : rng.below(kFloors);
    const int c = f == floor && rng.percent(70) ? cellNearHero(g.state, rng) : rng.below(kCells);
    g.floors.setCell(f, c, anyCode(rng));
  }
}

// A code that does something when the hero walks into it, or one no map holds.
TileCode activeCode(Rng& rng) {
  static constexpr TileCode kStairs[] = {tile::StairsUp, tile::StairsDown};
  static constexpr TileCode kPeople[] = {tile::Merchant, tile::Thief,    tile::Fairy,
                                         tile::OldMan,   tile::Princess, tile::AltarCentre};
  static constexpr TileCode kPassages[] = {1, 2, 3, tile::Event, tile::FalseWall, tile::Trigger};
  switch (rng.weighted({3, 3, 2, 3, 1, 2})) {
    case 0: return kStairs[rng.below(2)];
    case 1: return kPeople[rng.below(std::size(kPeople))];
    case 2: return kPassages[rng.below(std::size(kPassages))];
    case 3: {  // a monster: the stored code of a kind, or a cell of the two large ones
      const int k = rng.below(35);
      return static_cast<TileCode>(k < 18    ? 61 + 2 * k
                                   : k < 31  ? 133 + 2 * (k - 18)
                                   : k == 31 ? 104
                                   : k == 32 ? 122
                                             : 97 + rng.below(9));
    }
    case 4: return static_cast<TileCode>(rng.between(29, 60));  // keys, potions, items
    default: return anyCode(rng);
  }
}

// Something on a cell beside the hero, where the next arrow key meets it, on whatever
// floor he stands.
void somethingBeside(SavedGame& g, Rng& rng) {
  const GameState& s = g.state;
  static constexpr int kDx[] = {0, -1, 1, 0}, kDy[] = {-1, 0, 0, 1};
  const int side = rng.below(4), x = s.v[gs::HeroX] + kDx[side], y = s.v[gs::HeroY] + kDy[side];
  const int floor = s.v[gs::Floor];
  if (floor < 0 || floor > 50 || !onBoard(x, y)) return;
  g.floors.setCell(floor, cellIndex(x, y), activeCode(rng));
}

void overwriteArrival(SavedGame& g, Rng& rng) {
  const std::size_t at =
      static_cast<std::size_t>(rng.below(kFloors)) * kFloorRecordSize + rng.below(2);
  g.floors.bytes()[at] =
      static_cast<std::uint8_t>(rng.percent(70) ? rng.below(kCells) : rng.below(256));
}

}  // namespace

void SavePool::add(const SavedGame& game, Rng& rng) {
  if (size() < kPoolSize)
    saves_.push_back(game);
  else
    saves_[rng.below(kPoolSize)] = game;
}

SaveFile validSave(SavedGame game) {
  storage::stampChecksums(game.state);
  return {storage::encodeSave(game), false, "valid"};
}

SaveFile mutatedSave(SavedGame game, Rng& rng) {
  SaveFile out{{}, true, "mutated:"};
  enum Damage { None, Checksum, Marker, Length } damage = None;
  // GameState first, then the cells, so a cell put beside the hero is beside him where
  // he ends up.
  std::vector<int> kinds;
  for (int n = rng.between(1, 4); n > 0; --n)
    kinds.push_back(rng.weighted({5, 4, 3, 3, 4, 5, 1, 1, 1, 1}));
  std::sort(kinds.begin(), kinds.end());
  for (const int kind : kinds) {
    switch (kind) {
      case 0: moveHero(game, rng), out.what += " hero moved"; break;
      case 1: setStat(game.state, rng), out.what += " stat"; break;
      case 2: giveItems(game.state, rng), out.what += " items"; break;
      case 3: setAnyField(game.state, rng), out.what += " field"; break;
      case 4: overwriteCells(game, rng), out.what += " cells"; break;
      case 5: somethingBeside(game, rng), out.what += " beside"; break;
      case 6: overwriteArrival(game, rng), out.what += " arrival"; break;
      case 7: damage = Checksum; break;
      case 8: damage = Marker; break;
      default: damage = Length; break;
    }
  }
  storage::stampChecksums(game.state);
  if (damage == Checksum)
    game.state.extra[rng.below(2)] ^= 1 << rng.below(31), out.what += " checksum";
  if (damage == Marker) game.state.extra[extra::Marker] = rng.below(12), out.what += " marker";
  out.bytes = storage::encodeSave(game);
  if (damage == Length) {
    out.bytes.resize(rng.percent(50) ? rng.below(static_cast<int>(out.bytes.size()))
                                     : out.bytes.size() + 1);
    out.what += " length";
  }
  return out;
}

}  // namespace kelvorn::soak
