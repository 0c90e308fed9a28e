#include <gtest/gtest.h>

#include "ResultTexts.h"
#include "TestSupport.h"

using namespace sorimu;
using namespace testing_support;

TEST(ResultTexts, RowTextsOfNormalAndBonusGames) {
  RunRow normal = NormalRow(1234, 56, -789, Code(Outcome::Cherry4B), 4);
  normal.ZtCount = 12;
  normal.BigStock = 255;
  normal.RegStock = 0;
  auto text = [](const RunRow& row, int column) { return ResultTexts::RowText(row, column); };
  EXPECT_EQ(text(normal, ResultTexts::kPlayCount), "1234");
  EXPECT_EQ(text(normal, ResultTexts::kGamesSinceBonus), "56");
  EXPECT_EQ(text(normal, ResultTexts::kOutcome), "4枚チェリーB");
  EXPECT_EQ(text(normal, ResultTexts::kMedal), "-789");
  EXPECT_EQ(text(normal, ResultTexts::kZt), "○");
  EXPECT_EQ(text(normal, ResultTexts::kRtCancel), "RT解除[4枚チェリーB2]");
  EXPECT_EQ(text(normal, ResultTexts::kBigStock), "255");
  EXPECT_EQ(text(normal, ResultTexts::kRegStock), "0");

  RunRow bonus = NormalRow(1234, 56, -700, Code(Outcome::JACIN), 0);
  bonus.BonusGames = 12;
  bonus.BonusKind = 1;
  EXPECT_EQ(text(bonus, ResultTexts::kPlayCount), "-");
  EXPECT_EQ(text(bonus, ResultTexts::kGamesSinceBonus), "-");
  EXPECT_EQ(text(bonus, ResultTexts::kOutcome), "JAC-IN");
  EXPECT_EQ(text(bonus, ResultTexts::kZt), "-");
  EXPECT_EQ(text(bonus, ResultTexts::kRtCancel), "");

  EXPECT_EQ(
      ResultTexts::RowText(NormalRow(1, 1, -3, Code(Outcome::Miss), 0), ResultTexts::kOutcome), "");
  EXPECT_EQ(
      ResultTexts::RowText(NormalRow(1, 1, -3, Code(Outcome::BIG), 7), ResultTexts::kRtCancel),
      "RT解除[3G連]");
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, -3, Code(Outcome::BIG), 1), ResultTexts::kOutcome),
            "777");
}

TEST(ResultTexts, CodesFromForeignFilesShowAsNumbers) {
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, 0, 99, 0), ResultTexts::kOutcome), "99");
  EXPECT_EQ(ResultTexts::RowText(NormalRow(1, 1, 0, 0, -5), ResultTexts::kRtCancel), "RT解除[-5]");
}
