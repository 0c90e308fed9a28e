#include <gtest/gtest.h>

#include "ResultTexts.h"
#include "RunRecords.h"
#include "TestSupport.h"

using testing_support::NormalRow;

TEST(RunRecords, RowsCrossChunkBoundariesInOrderAndClearKeepsNothingVisible) {
  RunRecords records;
  constexpr int32_t kRows = (1 << 17) * 2 + 5;
  for (int32_t i = 0; i < kRows; ++i) {
    RunRow row{};
    row.PlayCount = i;
    row.RegStock = -i;
    ASSERT_TRUE(records.AppendRow(row));
  }
  ASSERT_EQ(records.RowCount(), static_cast<size_t>(kRows));
  for (int32_t i : {0, (1 << 17) - 1, 1 << 17, kRows - 1}) {
    EXPECT_EQ(records.Value(RunColumn::PlayCount, i), i);
    EXPECT_EQ(records.Value(RunColumn::RegStock, i), -i);
  }
  size_t seen = 0;
  records.ForEachRowSpan([&](const RunRow* rows, size_t count) {
    for (size_t i = 0; i < count; ++i) ASSERT_EQ(rows[i].PlayCount, static_cast<int32_t>(seen + i));
    seen += count;
  });
  EXPECT_EQ(seen, static_cast<size_t>(kRows));

  records.ClearRows();
  EXPECT_EQ(records.RowCount(), 0u);
  records.AppendRow(NormalRow(7, 7, -21));
  EXPECT_EQ(records.LastRow().PlayCount, 7);
}

TEST(RunRecords, ColumnsFollowTheFileOrder) {
  const RunRow row{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  for (int c = 0; c < kRunColumnCount; ++c) EXPECT_EQ(ColumnValue(row, static_cast<RunColumn>(c)), c + 1);
}

TEST(ResultTexts, RowTextsOfNormalAndBonusGames) {
  RunRow normal = NormalRow(1234, 56, -789, Cherry4B, 4);
  normal.ZtCount = 12;
  normal.BigStock = 255;
  normal.RegStock = 0;
  ResultTexts texts;
  ASSERT_TRUE(texts.Append(normal));
  EXPECT_EQ(texts.Text(ResultTexts::kPlayCount, 0), "1234");
  EXPECT_EQ(texts.Text(ResultTexts::kGamesSinceBonus, 0), "56");
  EXPECT_EQ(texts.Text(ResultTexts::kOutcome, 0), "4枚チェリーB");
  EXPECT_EQ(texts.Text(ResultTexts::kMedal, 0), "-789");
  EXPECT_EQ(texts.Text(ResultTexts::kZt, 0), "○");
  EXPECT_EQ(texts.Text(ResultTexts::kRtCancel, 0), "RT解除[4枚チェリーB2]");
  EXPECT_EQ(texts.Text(ResultTexts::kBigStock, 0), "255");
  EXPECT_EQ(texts.Text(ResultTexts::kRegStock, 0), "0");

  RunRow bonus = NormalRow(1234, 56, -700, JACIN, 0);
  bonus.BonusGames = 12;
  bonus.BonusKind = 1;
  ASSERT_TRUE(texts.Append(bonus));
  EXPECT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts.Text(ResultTexts::kPlayCount, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kGamesSinceBonus, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kOutcome, 1), "JAC-IN");
  EXPECT_EQ(texts.Text(ResultTexts::kZt, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kRtCancel, 1), "");

  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, -3, Miss, 0), ResultTexts::kOutcome), "");
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, -3, BIG, 7), ResultTexts::kRtCancel), "RT解除[3G連]");
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, -3, BIG, 1), ResultTexts::kOutcome), "777");
}

TEST(ResultTexts, CodesFromForeignFilesShowAsNumbers) {
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, 0, 99, 0), ResultTexts::kOutcome), "99");
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, 0, 0, -5), ResultTexts::kRtCancel), "RT解除[-5]");
}
