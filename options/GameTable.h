#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// One game: the title the game list shows, and the emulator's name for it. The identifier
// carries its trailing blanks, which go onto the command line as they stand.
struct TGameEntry {
  std::string_view Title;
  std::string_view Identifier;
};

inline constexpr std::size_t GameCount = 23;

// The rows are ordered by identifier without regard to case, not by title.
inline constexpr std::array<TGameEntry, GameCount> GameTable{{
    {"Alien Syndrome", "ALIENSYN  "},
    {"Altered Beast", "ALTBEAST "},
    {"Alien Storm", "ASTORMBL "},
    {"Dynamite Dux", "DDUXBL "},
    {"E-Swat", "ESWATBL "},
    {"Golden Axe", "GOLDNAXE  "},
    {"Hang-On", "hang-on  "},
    {"Space Harrier", "HARRIER "},
    {"Heavyweight Champ", "HWCHAMP "},
    {"Moonwalker", "MOONWLKB "},
    {"Out Run", "OUTRUN "},
    {"Passing Shot", "PASSSHTB   "},
    {"Quartet II", "QUARTET2 "},
    {"Super Hang-On", "S-HANGON  "},
    {"S.D.I", "SDI "},
    {"Shadow Dancer US", "shdancer "},
    {"Shadow Dancer JP", "shdancrj "},
    {"Shinobi", "shinobi "},
    {"Tetris", "tetrisbl "},
    {"Time Scanner", "timscanr "},
    {"Tough Turf", "tturfbl "},
    {"Wonderboy III", "wb3bl "},
    {"Wrestle WarOn", "wrestwar "},
}};

// The row of GameTable, or nothing for an index outside 0..22.
constexpr const TGameEntry* GameAt(std::int32_t row) {
  return row >= 0 && static_cast<std::size_t>(row) < GameTable.size() ? &GameTable[row] : nullptr;
}

// The row whose identifier, without its trailing blanks, is `name` (case kept).
constexpr std::optional<std::int32_t> GameRowOfIdentifier(std::string_view name) {
  for (std::size_t row = 0; row < GameTable.size(); ++row) {
    std::string_view id = GameTable[row].Identifier;
    id.remove_suffix(id.size() - id.find_last_not_of(' ') - 1);
    if (id == name) return static_cast<std::int32_t>(row);
  }
  return std::nullopt;
}
