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

  RunRow bonus = NormalRow(1234, 56, -700, Code(Outcome::JACIN), 0);
  bonus.BonusGames = 12;
  bonus.BonusKind = 1;
  ASSERT_TRUE(texts.Append(bonus));
  EXPECT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts.Text(ResultTexts::kPlayCount, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kGamesSinceBonus, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kOutcome, 1), "JAC-IN");
  EXPECT_EQ(texts.Text(ResultTexts::kZt, 1), "-");
  EXPECT_EQ(texts.Text(ResultTexts::kRtCancel, 1), "");

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
