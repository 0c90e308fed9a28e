#include <gtest/gtest.h>

#include "RunRecords.h"
#include "TestSupport.h"

using namespace sorimu;

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
  for (int c = 0; c < kRunColumnCount; ++c)
    EXPECT_EQ(ColumnValue(row, static_cast<RunColumn>(c)), c + 1);
}
