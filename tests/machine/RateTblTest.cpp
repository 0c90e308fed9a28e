#include <gtest/gtest.h>

#include "RateTbl.h"
#include "Slot.h"

using namespace sorimu;

namespace {

Rate_TBL<int> Table(std::initializer_list<int> weights) {
  Rate_TBL<int> table;
  for (int w : weights) table.push_back(w);
  return table;
}

}  // namespace

TEST(RateTbl, LowerBoundBelongsToTheEntryUpperBoundToTheNext) {
  const Rate_TBL<int> stock = Table({275, 183});
  EXPECT_EQ(stock.Pick(0), 0);
  EXPECT_EQ(stock.Pick(274), 0);
  EXPECT_EQ(stock.Pick(275), 1);
  EXPECT_EQ(stock.Pick(457), 1);
  EXPECT_EQ(stock.Pick(458), 2);
  EXPECT_EQ(stock.Pick(65535), 2);

  const Rate_TBL<int> single = Table({68});
  EXPECT_EQ(single.Pick(67), 0);
  EXPECT_EQ(single.Pick(68), 1);

  const Rate_TBL<int> jac = Table({65535, 1});
  EXPECT_EQ(jac.Pick(65534), 0);
  EXPECT_EQ(jac.Pick(65535), 1);
}

TEST(RateTbl, EmptyTablePicksZero) {
  const Rate_TBL<int> empty;
  EXPECT_EQ(empty.Pick(0), 0);
  EXPECT_EQ(empty.Pick(255), 0);
}

TEST(RateTbl, MachineTablesHaveTheirSumsAndFullTablesNeverMiss) {
  const Slot slot(0);
  auto sum = [](const Rate_TBL<int>& t) {
    int s = 0;
    for (int w : t) s += w;
    return s;
  };
  EXPECT_EQ(sum(slot.StockTbl), 458);
  EXPECT_EQ(sum(slot.FlagTbl), 17519);
  EXPECT_EQ(sum(slot.BigHazureTbl), 68);
  EXPECT_EQ(sum(slot.JacTbl), 65536);
  const int cancelSums[6] = {30, 41, 39, 66, 64, 105};
  for (int level = 1; level <= 6; ++level)
    EXPECT_EQ(sum(slot.CancelTblFor(level)), cancelSums[level - 1]);

  for (const Rate_TBL<int>* full :
       {&slot.ModeTbl, &slot.CherryTbl, &slot.ShortRtTbl, &slot.Mode0RtTbl1, &slot.Mode0RtTbl2,
        &slot.Mode0RtTbl3, &slot.Mode0RtTbl4, &slot.Mode0RtTbl56, &slot.Mode1RtTbl12,
        &slot.Mode1RtTbl34, &slot.Mode1RtTbl5, &slot.Mode1RtTbl6, &slot.BigGameTbl,
        &slot.Ren3Tbl}) {
    EXPECT_EQ(sum(*full), 256);
    for (int draw = 0; draw < 256; ++draw)
      ASSERT_LT(full->Pick(draw), static_cast<int>(full->size()));
  }
  EXPECT_EQ(slot.Mode0RtTbl1.size(), 18u);
  EXPECT_EQ(slot.Mode1RtTbl6.size(), 12u);
}

TEST(RateTbl, FlagDrawBoundaries) {
  const Slot slot(0);
  EXPECT_EQ(slot.FlagTbl.Pick(0), 0);  // cherry
  EXPECT_EQ(slot.FlagTbl.Pick(1023), 0);
  EXPECT_EQ(slot.FlagTbl.Pick(17518), 4);  // the one pure miss
  EXPECT_EQ(slot.FlagTbl.Pick(17519), 5);  // ordinary miss
}

TEST(RateTbl, SettingsShareTablesAsDesigned) {
  const Slot slot(0);
  EXPECT_EQ(&slot.Mode0RtTblFor(5), &slot.Mode0RtTblFor(6));
  EXPECT_NE(&slot.Mode1RtTblFor(5), &slot.Mode1RtTblFor(6));
  EXPECT_EQ(&slot.Mode1RtTblFor(1), &slot.Mode1RtTblFor(2));
  EXPECT_NE(&slot.Mode0RtTblFor(1), &slot.Mode0RtTblFor(2));
  EXPECT_EQ(&slot.Mode1RtTblFor(3), &slot.Mode1RtTblFor(4));
  // A 4-cherry B cancels a long RT for draws 0..104 at setting 6, 0..29 at setting 1.
  EXPECT_EQ(slot.CancelTblFor(6).Pick(104), 0);
  EXPECT_EQ(slot.CancelTblFor(6).Pick(105), 1);
  EXPECT_EQ(slot.CancelTblFor(1).Pick(29), 0);
  EXPECT_EQ(slot.CancelTblFor(1).Pick(30), 1);
}
