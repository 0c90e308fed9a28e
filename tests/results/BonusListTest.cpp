#include <gtest/gtest.h>

#include "BonusList.h"
#include "TestSupport.h"

using namespace sorimu;

using testing_support::Fill;
using testing_support::NormalRow;

namespace {
RunRow InBonus(int32_t playCount, int32_t gamesSinceBonus, int32_t medal) {
  RunRow row = NormalRow(playCount, gamesSinceBonus, medal, Code(Outcome::JAC));
  row.BonusGames = 1;
  row.BonusKind = 2;
  return row;
}
}  // namespace

TEST(BonusList, GainedMedalsCountTheBonusGamesPlusTheLineUpPayout) {
  RunRecords records;
  Fill(records, {
                    NormalRow(10, 10, 100, Code(Outcome::REG), 1),
                    InBonus(10, 10, 250),
                    InBonus(10, 10, 400),
                    NormalRow(11, 1, 397, Code(Outcome::Miss)),
                });
  const std::vector<TableRow> items = BonusListItems(records);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0], (TableRow{"10", "10", "REG", "規定RT消化", "315"}));
}

TEST(BonusList, A1GRenCompletesTheEarlierItemFirstAndTheLastBonusHasNoMedals) {
  RunRecords records;
  Fill(records,
       {
           NormalRow(5, 5, 0, Code(Outcome::BIG), 3), InBonus(5, 5, 300),
           NormalRow(6, 1, 300, Code(Outcome::BIG),
                     6),  // lined up on the first normal game after the bonus
           InBonus(6, 1, 500), NormalRow(7, 1, 497, Code(Outcome::Miss)),
           NormalRow(8, 2, 494, Code(Outcome::REG), 2),  // the run ends on its line-up game
       });
  const std::vector<TableRow> items = BonusListItems(records);
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0], (TableRow{"5", "5", "777", "4枚チェリーB1", "315"}));
  EXPECT_EQ(items[1], (TableRow{"6", "1", "777", "1G連", "215"}));
  EXPECT_EQ(items[2], (TableRow{"8", "2", "REG", "2枚チェリー"}));
}

TEST(BonusList, MedalDifferenceWrapsInsteadOfOverflowing) {
  RunRecords records;
  Fill(records, {NormalRow(1, 1, INT32_MIN, Code(Outcome::BIG), 1), InBonus(1, 1, INT32_MAX),
                 NormalRow(2, 1, 0)});
  EXPECT_EQ(BonusListItems(records)[0][4], "14");
}
