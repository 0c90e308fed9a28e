#include <gtest/gtest.h>

#include "ResultStats.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Fill;
using testing_support::NormalRow;

namespace {

RunRow BonusGame(int32_t playCount, int32_t medal, int32_t renCause = 0, int32_t punk = 0) {
  RunRow row = NormalRow(playCount, 5, medal, Code(Outcome::JAC));
  row.BonusGames = 3;
  row.BonusKind = 1;
  row.RenCause = renCause;
  row.Punk = punk;
  return row;
}

// `games` normal rows ending in the given final row fields.
void Games(RunRecords& records, int32_t games, int32_t finalMedal) {
  records.ClearRows();
  for (int32_t i = 1; i <= games; ++i)
    records.AppendRow(NormalRow(i, i, i == games ? finalMedal : 0));
}

}  // namespace

TEST(ResultStats, RunWithoutBonus) {
  RunRecords records;
  Games(records, 1000, -1234);
  const ResultStats stats = ComputeResultStats(records);
  EXPECT_EQ(stats.TotalGames, 1000);
  EXPECT_EQ(SummaryText(stats),
            "BIG回数:0\u3000REG回数:0\nBIG初当り回数:0  REG初当り回数:0\n"
            "BIG確率:1/0  REG確率:1/0\n収支:-24680円");
  for (const auto& rows : {Ren3Rows(stats), RenRows(stats), RTCancelRows(stats)}) {
    for (const TableRow& row : rows) {
      EXPECT_EQ(row[1], "0");
      for (size_t c = 2; c < row.size(); ++c) EXPECT_EQ(row[c], "0") << row[0];
    }
  }
}

TEST(ResultStats, CountsBonusRowsFirstHitsAndCauses) {
  RunRecords records;
  Fill(records,
       {
           NormalRow(1, 1, -3, Code(Outcome::Cherry2)),
           NormalRow(2, 2, -6, Code(Outcome::BIG), 1),  // first hit, expired RT
           BonusGame(2, 0, 1, 0),                       // pure miss in the BIG
           BonusGame(2, 10, 0, 1),                      // the BIG ends as パンク
           NormalRow(3, 1, 7, Code(Outcome::BIG), 6),   // 1G連: not a first hit
           BonusGame(3, 20, 1, 1),  // a miss on the punk game counts twice in RenTotal
           NormalRow(4, 1, 17, Code(Outcome::REG), 7),  // 3G連 REG
           BonusGame(4, 30, 2, 0), NormalRow(5, 1, 27, Code(Outcome::Plum)),
           NormalRow(6, 2, 24, Code(Outcome::REG), 0),  // a cause of 0 counts only in the total
       });
  const ResultStats stats = ComputeResultStats(records);
  EXPECT_EQ(stats.BigCount, 2);
  EXPECT_EQ(stats.RegCount, 2);
  EXPECT_EQ(stats.BigFirstCount, 1);
  EXPECT_EQ(stats.RegFirstCount, 1);
  EXPECT_EQ(stats.RTCancelCount[0], 1);
  EXPECT_EQ(stats.RTCancelCount[5], 1);
  EXPECT_EQ(stats.RTCancelCount[6], 1);
  EXPECT_EQ(stats.RTCancelTotal, 4);
  EXPECT_EQ(stats.Ren3RegCount, 1);
  EXPECT_EQ(stats.Ren3Total, 1);
  EXPECT_EQ(stats.RenHazureCount, 2);
  EXPECT_EQ(stats.RenJacHazureCount, 1);
  EXPECT_EQ(stats.RenPunkCount, 2);
  EXPECT_EQ(stats.RenTotal, 5);
  EXPECT_EQ(stats.KoyakuCount[0], 1);
  EXPECT_EQ(stats.KoyakuCount[4], 1) << "only normal-game plums count";
  EXPECT_EQ(stats.TotalGames, 6);
  EXPECT_EQ(stats.FinalMedal, 24);
  EXPECT_EQ(RenRows(stats)[0], (TableRow{"純ハズレ", "2", "0.4"}));
}

TEST(ResultStats, RatesAndTableCells) {
  RunRecords records;
  records.ClearRows();
  for (int32_t i = 1; i <= 1000; ++i) {
    int32_t outcome =
        i <= 3 ? Code(Outcome::BIG) : (i <= 6 ? Code(Outcome::Bell) : Code(Outcome::Miss));
    records.AppendRow(NormalRow(i, 1, 0, outcome, outcome == Code(Outcome::BIG) ? 1 : 0));
  }
  const ResultStats stats = ComputeResultStats(records);
  EXPECT_EQ(BigRate(stats), 333.0f);
  EXPECT_EQ(SummaryText(stats).substr(SummaryText(stats).find("BIG確率")),
            "BIG確率:1/333  REG確率:1/0\n収支:0円");
  const std::vector<TableRow> koyaku = KoyakuRows(stats);
  EXPECT_EQ(koyaku[5], (TableRow{"ベル", "3", "0.003", "1/333.333333333333"}));
  EXPECT_EQ(koyaku[0], (TableRow{"2枚チェリー", "0", "0", "0"}));
  EXPECT_EQ(RTCancelRows(stats)[0], (TableRow{"規定RT消化", "3", "1"}));
  EXPECT_EQ(RTCancelRows(stats)[1], (TableRow{"2枚チェリー解除", "0", "0"}));
}

TEST(ResultStats, Ren3RatesArePerBig) {
  ResultStats stats;
  stats.BigCount = 10;
  stats.Ren3BigCount = 1;
  stats.Ren3RegCount = 2;
  stats.Ren3Total = 3;
  const std::vector<TableRow> rows = Ren3Rows(stats);
  EXPECT_EQ(rows[0], (TableRow{"BIG", "1", "0.1", "0.333333333333333"}));
  EXPECT_EQ(rows[1], (TableRow{"REG", "2", "0.2", "0.666666666666667"}));
}

TEST(ResultStats, SmallRatesUseScientificForm) {
  ResultStats stats;
  stats.TotalGames = 100000;
  stats.KoyakuCount[7] = 3;
  stats.KoyakuCount[6] = 10;
  EXPECT_EQ(KoyakuRows(stats)[7][2], "3E-5");
  EXPECT_EQ(KoyakuRows(stats)[6][2], "0.0001");
}

TEST(ResultStats, BalanceWrapsLikeA32BitFigureAndZeroGamesDoNotDivide) {
  ResultStats stats;
  stats.FinalMedal = 200000000;
  EXPECT_EQ(BalanceYen(stats), static_cast<int32_t>(4000000000u));
  stats.TotalGames = 0;  // only a foreign file gets here
  stats.KoyakuCount[0] = 5;
  EXPECT_EQ(KoyakuRows(stats)[0], (TableRow{"2枚チェリー", "5", "0", "0"}));
}
