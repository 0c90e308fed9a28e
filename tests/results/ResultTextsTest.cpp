#include <gtest/gtest.h>

#include "ListColumns.h"
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

// Ratios as a person reads them; the text itself where it is no ratio of its
// form, so that nothing is ever shown as a figure it is not.
TEST(ResultTexts, RatiosAreShownWithOneDecimal) {
  struct Case {
    CellForm form;
    const char* text;
    const char* shown;
  };
  for (const Case& c : {
           Case{CellForm::OneIn, "1/142.857142857143", "1/142.9"},
           Case{CellForm::OneIn, "1/8", "1/8.0"},
           Case{CellForm::OneIn, "0", "0"},
           Case{CellForm::OneIn, "1/2.5E20", "1/250000000000000000000.0"},
           Case{CellForm::Share, "0.694444444444444", "69.4 %"},
           Case{CellForm::Share, "5E-5", "0.0 %"},
           Case{CellForm::Share, "1", "100.0 %"},
           Case{CellForm::Share, "0", "0.0 %"},
           Case{CellForm::Share, "-", "-"},
           Case{CellForm::Plain, "0.694444444444444", "0.694444444444444"},
       }) {
    EXPECT_EQ(ShownCell(c.form, c.text), c.shown) << c.text;
  }
}
