#include <gtest/gtest.h>

#include "IntegerText.h"
#include "StartInputs.h"

using namespace sorimu;

TEST(ParseInteger, AcceptsWhatTheWindowAccepts) {
  EXPECT_EQ(ParseInteger("12"), 12);
  EXPECT_EQ(ParseInteger(" 12"), 12);
  EXPECT_EQ(ParseInteger("   -7"), -7);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("$10"), 16);
  EXPECT_EQ(ParseInteger("x1F"), 31);
  EXPECT_EQ(ParseInteger("X1f"), 31);
  EXPECT_EQ(ParseInteger("0x10"), 16);
  EXPECT_EQ(ParseInteger("0X7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParseInteger("-$10"), -16);
  EXPECT_EQ(ParseInteger("007"), 7);
  EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseInteger("-2147483648"), INT32_MIN);
}

TEST(ParseInteger, RejectsEverythingElse) {
  for (const char* text :
       {"", " ", "abc", "12 ", "1 2", "2147483648", "-2147483649", "$", "0x", "-", "+", "$FFFFFFFF",
        "99999999999999999999", "1.5", "１２", "\t12", "12abc"}) {
    EXPECT_FALSE(ParseInteger(text).has_value()) << text;
  }
  EXPECT_EQ(NotIntegerMessage("abc"), "'abc' は整数ではありません");
}

namespace {
StartTexts Texts(const char* play, const char* sim, const char* big, const char* reg,
                 const char* flevel = "1") {
  StartTexts texts;
  texts.PlayNum = play;
  texts.SimNum = sim;
  texts.BigStock = big;
  texts.RegStock = reg;
  texts.Flevel = flevel;
  return texts;
}
}  // namespace

TEST(CheckStartInputs, ChecksInOrderAndStopsAtTheFirstBadInput) {
  struct Case {
    StartTexts texts;
    StartFailure failure;
    const char* message;
  };
  const Case cases[] = {
      {Texts("0", "0", "-1", "999"), StartFailure::OutOfRange, "Play数は、1以上にしてください。"},
      {Texts("1", "0", "-1", "x"), StartFailure::OutOfRange, "Sim回数は、1以上にしてください。"},
      {Texts("1", "1", "-1", "x"), StartFailure::OutOfRange,
       "BIGストック数は、0～255にしてください。"},
      {Texts("1", "1", "256", "0"), StartFailure::OutOfRange,
       "BIGストック数は、0～255にしてください。"},
      {Texts("1", "1", "0", "256"), StartFailure::OutOfRange,
       "REGストック数は、0～255にしてください。"},
      {Texts("1", "1", "0", "-1"), StartFailure::OutOfRange,
       "REGストック数は、0～255にしてください。"},
      {Texts("abc", "0", "0", "0"), StartFailure::NotInteger, "'abc' は整数ではありません"},
      {Texts("", "0", "0", "0"), StartFailure::NotInteger, "'' は整数ではありません"},
      {Texts("5", "1", "12 ", "0"), StartFailure::NotInteger, "'12 ' は整数ではありません"},
      {Texts("0", "abc", "0", "0"), StartFailure::OutOfRange, "Play数は、1以上にしてください。"},
      {Texts("1", "1", "0", "255", "7"), StartFailure::BadFlevel,
       "設定は、1～6または?にしてください。"},
      {Texts("1", "1", "0", "255", ""), StartFailure::BadFlevel,
       "設定は、1～6または?にしてください。"},
      {Texts("1", "1", "0", "255", " 3"), StartFailure::BadFlevel,
       "設定は、1～6または?にしてください。"},
      {Texts("0", "1", "0", "255", "7"), StartFailure::OutOfRange,
       "Play数は、1以上にしてください。"},
  };
  for (const Case& c : cases) {
    const StartCheck check = CheckStartInputs(c.texts);
    EXPECT_EQ(check.failure, c.failure) << c.message;
    EXPECT_EQ(check.message, c.message);
  }
}

TEST(CheckStartInputs, GoodInputsAreConverted) {
  StartCheck check = CheckStartInputs(Texts(" 12", "$2", "0", "255", "?"));
  ASSERT_EQ(check.failure, StartFailure::None);
  EXPECT_EQ(check.inputs.PlayNum, 12);
  EXPECT_EQ(check.inputs.SimNum, 2);
  EXPECT_EQ(check.inputs.BigStock, 0);
  EXPECT_EQ(check.inputs.RegStock, 255);
  EXPECT_TRUE(check.inputs.HiddenFlevel);

  check = CheckStartInputs(Texts("1", "1", "1", "1", "6"));
  ASSERT_EQ(check.failure, StartFailure::None);
  EXPECT_FALSE(check.inputs.HiddenFlevel);
  EXPECT_EQ(check.inputs.Flevel, 6);
}
