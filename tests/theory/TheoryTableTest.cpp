#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "TheoryTable.h"

namespace sorimu::theory {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, '\t');) fields.push_back(field);
  return fields;
}

int SignificantDigits(const std::string& decimal) {
  const size_t first = decimal.find_first_of("123456789");
  int digits = 0;
  for (size_t i = first; i < decimal.size(); ++i) digits += decimal[i] >= '0' && decimal[i] <= '9';
  return digits;
}

TEST(TheoryTable, SpecSheetHasOneColumnPerSettingAndTheRequiredRows) {
  const std::vector<TableRow> rows = SpecTableRows(DefaultLongRun());
  EXPECT_EQ(rows[0], (TableRow{"項目", "設定1", "設定2", "設定3", "設定4", "設定5", "設定6"}));
  auto row = [&](const std::string& caption) {
    for (const TableRow& r : rows) {
      if (r[0] == caption) return r;
    }
    ADD_FAILURE() << "no row " << caption;
    return TableRow(7);
  };
  EXPECT_EQ(row("機械割(%)")[1], "98.62");
  EXPECT_EQ(row("機械割(%)")[6], "121.82");
  EXPECT_EQ(row("BIG確率")[1], "1/516.6");
  EXPECT_EQ(row("合算")[6], "1/214.3");
  EXPECT_EQ(row("初当り確率")[1], "1/382.7");
  EXPECT_EQ(row("RT解除 3G連(%)")[3], "17.40");
  EXPECT_EQ(row("1G連率(%) BIG後")[1], "3.19");
  for (const TableRow& r : rows) EXPECT_EQ(r.size(), 7u) << r[0];
}

// Other programs read the lines: every figure a plain decimal that reads
// back to the figure with at least 15 significant digits.
TEST(TheoryTable, TsvLinesReadBackToTheFigures) {
  const std::vector<std::string> header = SplitTabs(SpecTsvHeader());
  const std::vector<std::string> required = {"setting",
                                             "payout",
                                             "big_per_game",
                                             "reg_per_game",
                                             "big_first_per_game",
                                             "reg_first_per_game",
                                             "games_per_first_hit"};
  ASSERT_GE(header.size(), required.size());
  EXPECT_TRUE(std::equal(required.begin(), required.end(), header.begin()));
  const LongRunFigures f = DefaultLongRun()[4];
  const std::vector<std::string> fields = SplitTabs(SpecTsvLine(f));
  ASSERT_EQ(fields.size(), header.size());
  EXPECT_EQ(fields[0], "5");
  const Real expected[] = {f.Payout,          f.BigPerGame,      f.RegPerGame,
                           f.BigFirstPerGame, f.RegFirstPerGame, f.GamesPerFirstHit};
  for (size_t i = 1; i < fields.size(); ++i) {
    EXPECT_EQ(fields[i].find_first_of("eE"), std::string::npos) << fields[i];
    EXPECT_GE(SignificantDigits(fields[i]), 15) << header[i] << " " << fields[i];
    if (i <= 6) {
      EXPECT_NEAR(std::strtold(fields[i].c_str(), nullptr) / expected[i - 1], 1, 1e-17);
    }
  }
  EXPECT_EQ(PlainDecimal(1.5e-10L, 3), "0.000000000150");
  EXPECT_EQ(PlainDecimal(0), "0");
}

TEST(TheoryTable, TailRowsAndLinesGiveBothStretchesAtTheAskedLength) {
  std::vector<DryStretchTail> tails;
  for (int s : {2, 5}) tails.push_back(ComputeDryStretchTail(DefaultCycleModel(s), 1000));
  const std::vector<TableRow> rows = TailTableRows(tails, 1000);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (TableRow{"項目", "設定2", "設定5"}));
  EXPECT_EQ(rows[1][0], "ボーナス間 1000G以上");
  EXPECT_EQ(rows[2][0], "初当り間 1000G以上");
  const std::vector<std::string> line = SplitTabs(TailTsvLine(tails[1], 1000));
  ASSERT_EQ(line.size(), SplitTabs(TailTsvHeader()).size());
  EXPECT_EQ(line[0], "5");
  EXPECT_EQ(line[1], "1000");
  EXPECT_NEAR(std::strtold(line[3].c_str(), nullptr) / tails[1].BetweenFirstHits[1000], 1, 1e-17);
}

}  // namespace
}  // namespace sorimu::theory
