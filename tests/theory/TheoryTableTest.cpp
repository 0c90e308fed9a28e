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

TEST(TheoryTable, SpecSheetHasOneColumnPerSettingAndTheFiguresRounded) {
  const std::vector<TableRow> rows = SpecSheetRows(DefaultLongRun());
  EXPECT_EQ(rows[0], (TableRow{"項目", "設定1", "設定2", "設定3", "設定4", "設定5", "設定6"}));
  for (const TableRow& r : rows) ASSERT_EQ(r.size(), 7u) << r[0];
  const std::vector<TableRow> expected = {{"BIG確率", "1/516.6"},      {"合算", "1/308.8"},
                                          {"初当り確率", "1/382.7"},   {"機械割(%)", "98.62"},
                                          {"RT解除 3G連(%)", "17.40"}, {"1G連率(%) BIG後", "3.19"}};
  for (const TableRow& want : expected) {
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&](auto& r) { return r[0] == want[0]; });
    ASSERT_NE(row, rows.end()) << want[0];
    EXPECT_EQ((*row)[1], want[1]) << want[0];
  }
}

// Other programs read the lines: the required columns first, every figure a
// plain decimal that reads back to the figure, with 18 significant digits.
TEST(TheoryTable, TsvLinesReadBackToTheFigures) {
  const std::vector<std::string> header = SplitTabs(SpecSheetTsvHeader());
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
  const Volatility volatility = ComputeVolatility(DefaultCycleModel(5));
  const std::vector<std::string> fields = SplitTabs(SpecSheetTsvLine(f, volatility));
  ASSERT_EQ(fields.size(), header.size());
  EXPECT_EQ(fields[0], "5");
  const Real expected[] = {f.Payout,          f.BigPerGame,      f.RegPerGame,
                           f.BigFirstPerGame, f.RegFirstPerGame, f.GamesPerFirstHit};
  for (size_t i = 1; i <= 6; ++i) {
    EXPECT_EQ(fields[i].find_first_of("eE"), std::string::npos) << fields[i];
    EXPECT_NEAR(std::strtold(fields[i].c_str(), nullptr) / expected[i - 1], 1, 1e-17);
  }
  EXPECT_EQ(header.back(), "sd_per_game");
  EXPECT_NEAR(std::strtold(fields.back().c_str(), nullptr) / volatility.SdPerGame, 1, 1e-17);
  EXPECT_EQ(PlainDecimal(1.5e-10L, 3), "0.000000000150");
  EXPECT_EQ(PlainDecimal(0), "0");

  const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(5), 1000);
  EXPECT_EQ(TailTableRows({tail}, 1000)[2][0], "初当り間 1000G以上");
  const std::vector<std::string> line = SplitTabs(TailTsvLine(tail, 1000));
  ASSERT_EQ(line.size(), SplitTabs(TailTsvHeader()).size());
  EXPECT_NEAR(std::strtold(line[3].c_str(), nullptr) / tail.BetweenFirstHits[1000], 1, 1e-17);
}

// Long first-hit stretches have chances far below a double's range; neither
// the lines nor the table may cut their digits off or show them as 0.
TEST(TheoryTable, TinyChancesKeepTheirDigits) {
  const std::string tiny = PlainDecimal(1.25e-300L, 18);
  EXPECT_EQ(tiny.size(), 2u + 299u + 18u);
  EXPECT_EQ(tiny.substr(0, 5), "0.000");
  EXPECT_NEAR(std::strtold(tiny.c_str(), nullptr) / 1.25e-300L, 1, 1e-17);

  const DryStretchTail tail = ComputeDryStretchTail(DefaultCycleModel(1), 4000);
  const Real far = tail.BetweenFirstHits[4000];
  ASSERT_GT(far, 0);
  ASSERT_LT(far, 1e-308L);  // below what a double holds
  const std::vector<std::string> line = SplitTabs(TailTsvLine(tail, 4000));
  EXPECT_EQ(line[3].find_first_of("eE"), std::string::npos);
  EXPECT_NEAR(std::strtold(line[3].c_str(), nullptr) / far, 1, 1e-17);

  const std::vector<TableRow> rows = TailTableRows({tail}, 4000);
  EXPECT_EQ(rows[1][1], "0");  // no RT and chain between two bonuses is this long
  const std::string cell = rows[2][1];
  EXPECT_NE(cell.find("E-"), std::string::npos) << cell;
  EXPECT_NEAR(std::strtold(cell.c_str(), nullptr) / far, 1, 1e-14) << cell;
  EXPECT_EQ(TailTableRows({tail}, 500)[2][1].find('E'), std::string::npos);
}

// The curves of the figure sheet's plot, for a spreadsheet: every length from
// 1 on, the bonus columns of all settings first, each cell the table's.
TEST(TheoryTable, TailCurvesHoldEveryLengthOfEverySetting) {
  const std::vector<DryStretchTail> tails = {ComputeDryStretchTail(DefaultCycleModel(2), 1600),
                                             ComputeDryStretchTail(DefaultCycleModel(6), 1600)};
  const std::vector<TableRow> rows = TailCurveRows(tails, 1600);
  ASSERT_EQ(rows.size(), 1601u);
  EXPECT_EQ(rows[0], (TableRow{"G数", "設定2 ボーナス間", "設定6 ボーナス間", "設定2 初当り間",
                               "設定6 初当り間"}));
  for (int32_t games : {1, 250, 1490, 1600}) {
    const TableRow& row = rows[static_cast<size_t>(games)];
    const std::vector<TableRow> table = TailTableRows(tails, games);
    EXPECT_EQ(
        row, (TableRow{std::to_string(games), table[1][1], table[1][2], table[2][1], table[2][2]}));
  }
  EXPECT_EQ(rows[1600][1], "0");  // past the longest RT
  EXPECT_NE(rows[1600][3], "0");  // chains still reach it
}

}  // namespace
}  // namespace sorimu::theory
