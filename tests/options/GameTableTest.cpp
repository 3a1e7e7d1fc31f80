#include <gtest/gtest.h>

#include <set>
#include <string>

#include "options/GameTable.h"
#include "options/ValueTables.h"

namespace {

std::size_t TrailingBlanks(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && text[text.size() - 1 - count] == ' ') ++count;
  return count;
}

TEST(GameTable, RowsHoldTheGamesWithTheirBlanks) {
  struct Row {
    int index;
    std::string_view title;
    std::string_view identifier;
    std::size_t blanks;
  };
  const Row expected[] = {
      {0, "Alien Syndrome", "ALIENSYN  ", 2},
      {1, "Altered Beast", "ALTBEAST ", 1},
      {2, "Alien Storm", "ASTORMBL ", 1},
      {3, "Dynamite Dux", "DDUXBL ", 1},
      {4, "E-Swat", "ESWATBL ", 1},
      {5, "Golden Axe", "GOLDNAXE  ", 2},
      {6, "Hang-On", "hang-on  ", 2},
      {7, "Space Harrier", "HARRIER ", 1},
      {8, "Heavyweight Champ", "HWCHAMP ", 1},
      {9, "Moonwalker", "MOONWLKB ", 1},
      {10, "Out Run", "OUTRUN ", 1},
      {11, "Passing Shot", "PASSSHTB   ", 3},
      {12, "Quartet II", "QUARTET2 ", 1},
      {13, "Super Hang-On", "S-HANGON  ", 2},
      {14, "S.D.I", "SDI ", 1},
      {15, "Shadow Dancer US", "shdancer ", 1},
      {16, "Shadow Dancer JP", "shdancrj ", 1},
      {17, "Shinobi", "shinobi ", 1},
      {18, "Tetris", "tetrisbl ", 1},
      {19, "Time Scanner", "timscanr ", 1},
      {20, "Tough Turf", "tturfbl ", 1},
      {21, "Wonderboy III", "wb3bl ", 1},
      {22, "Wrestle WarOn", "wrestwar ", 1},
  };
  ASSERT_EQ(GameTable.size(), std::size(expected));
  for (const Row& row : expected) {
    SCOPED_TRACE(row.index);
    const TGameEntry* game = GameAt(row.index);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->Title, row.title);
    EXPECT_EQ(game->Identifier, row.identifier);
    EXPECT_EQ(TrailingBlanks(game->Identifier), row.blanks);
    EXPECT_EQ(GameRowOfIdentifier(row.identifier.substr(0, row.identifier.size() - row.blanks)),
              row.index);
  }
}

TEST(GameTable, RowsStandInCaseInsensitiveIdentifierOrder) {
  auto folded = [](std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  };
  for (std::size_t row = 1; row < GameTable.size(); ++row)
    EXPECT_LT(folded(GameTable[row - 1].Identifier), folded(GameTable[row].Identifier)) << row;
}

TEST(GameTable, LookupsOutsideTheTableGiveNothing) {
  for (int row : {-1, 23, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(GameAt(row), nullptr) << row;
  EXPECT_EQ(GameRowOfIdentifier("PASSSHTB   "), std::nullopt);  // blanks are not part of the name
  EXPECT_EQ(GameRowOfIdentifier("aliensyn"), std::nullopt);     // case is
  EXPECT_EQ(GameRowOfIdentifier(""), std::nullopt);
}

TEST(ValueTables, IndexLookups) {
  EXPECT_EQ(SampleRateText(0), "11025");
  EXPECT_EQ(SampleRateText(2), "44100");
  EXPECT_EQ(ResolutionArg(1), " -rx 400 -ry 300");
  EXPECT_EQ(SkipFrameText(0), "1");
  EXPECT_EQ(SkipFrameText(4), "5");
  for (int bad : {-1, 3, INT32_MIN}) {
    EXPECT_EQ(SampleRateText(bad), std::nullopt) << bad;
    EXPECT_EQ(ResolutionArg(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(SkipFrameText(5), std::nullopt);
  EXPECT_EQ(SkipFrameText(-1), std::nullopt);
  for (const TResolution& resolution : Resolutions) EXPECT_EQ(resolution.Args.size(), 16u);
}

TEST(ValueTables, ReadBackToIndex) {
  struct Case {
    std::int32_t number;
    std::optional<std::int32_t> sampleRateIndex;
    std::optional<std::int32_t> resolutionIndex;
  };
  const Case cases[] = {
      {11025, 0, std::nullopt},
      {22050, 1, std::nullopt},
      {44100, 2, std::nullopt},
      {48000, std::nullopt, std::nullopt},
      {320, std::nullopt, 0},
      {400, std::nullopt, 1},
      {640, std::nullopt, 2},
      {240, std::nullopt, std::nullopt},
      {0, std::nullopt, std::nullopt},
      {-320, std::nullopt, std::nullopt},
      {INT32_MAX, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SampleRateIndexOf(c.number), c.sampleRateIndex) << c.number;
    EXPECT_EQ(ResolutionIndexOfWidth(c.number), c.resolutionIndex) << c.number;
  }
}

}  // namespace
