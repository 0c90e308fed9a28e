#include <gtest/gtest.h>

#include "AnalysisInputs.h"
#include "InputText.h"
#include "Messages.h"
#include "StartChecks.h"

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
        "99999999999999999999", "1.5", "１.２", "\t12", "12abc"}) {
    EXPECT_FALSE(ParseInteger(text).has_value()) << text;
  }
  EXPECT_EQ(NotIntegerMessage("abc"), "'abc' は整数ではありません");
}

// A number past 32 bits is out of a range that ends short of the 32-bit
// limit; where the range reaches it (Play数), the box's conversion error stays.
TEST(ParseCount, NumbersPast32BitsAreOutOfRangeWhereTheRangeEndsShortOfThem) {
  EXPECT_EQ(ParseCount("1000000000000", 1, 10000000, "range").status.Kind, StatusKind::BadInput);
  EXPECT_EQ(ParseCount("-99999999999", 0, 255, "range").status.Message, "range");
  EXPECT_EQ(ParseCount("0x1FFFFFFFF", 1, 10000000, "range").status.Kind, StatusKind::BadInput);
  EXPECT_EQ(ParseCount("99999999999", 1, INT32_MAX, "range").status.Message,
            "'99999999999' は整数ではありません");
  EXPECT_EQ(ParseCount("99999999999x", 1, 10, "range").status.Kind, StatusKind::NotInteger);
  EXPECT_EQ(ParseCount("2147483647", 1, INT32_MAX, "range").value, INT32_MAX);
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

// With the input method on, what is typed is full-width: every box and
// option reads it as its half-width form, and a refusal quotes it as typed.
TEST(TypedText, FullWidthFormsAreReadEverywhere) {
  EXPECT_EQ(ParseInteger("８０００"), 8000);
  EXPECT_EQ(ParseInteger("　－１２"), -12);
  EXPECT_EQ(ParseInteger("\u22125"), -5);
  EXPECT_EQ(ParseCount("８a", 1, 10, "").status.Message, "'８a' は整数ではありません");
  EXPECT_EQ(ParseSeed("４２９４９６７２９５"), UINT32_MAX);
  EXPECT_EQ(ParsePrior("３５，３０，１５，１０，５，５"), (SettingWeights{35, 30, 15, 10, 5, 5}));
  const StartCheck hidden = CheckStartInputs(Texts("８０００", "１", "２５５", "０", "？"));
  ASSERT_TRUE(hidden.status.Ok());
  EXPECT_EQ(hidden.inputs.PlayNum, 8000);
  EXPECT_TRUE(hidden.inputs.HiddenFlevel);
  EXPECT_EQ(CheckStartInputs(Texts("1", "1", "0", "0", "６")).inputs.Flevel, 6);
}

TEST(CheckStartInputs, ChecksInOrderAndStopsAtTheFirstBadInput) {
  struct Case {
    StartTexts texts;
    StatusKind failure;
    const char* message;
  };
  const Case cases[] = {
      {Texts("0", "0", "-1", "999"), StatusKind::BadInput, "Play数は、1以上にしてください。"},
      {Texts("1", "0", "-1", "x"), StatusKind::BadInput, "Sim回数は、1以上にしてください。"},
      {Texts("1", "1", "-1", "x"), StatusKind::BadInput, "BIGストック数は、0～255にしてください。"},
      {Texts("1", "1", "256", "0"), StatusKind::BadInput,
       "BIGストック数は、0～255にしてください。"},
      {Texts("1", "1", "0", "256"), StatusKind::BadInput,
       "REGストック数は、0～255にしてください。"},
      {Texts("1", "1", "0", "-1"), StatusKind::BadInput, "REGストック数は、0～255にしてください。"},
      {Texts("abc", "0", "0", "0"), StatusKind::NotInteger, "'abc' は整数ではありません"},
      {Texts("", "0", "0", "0"), StatusKind::NotInteger, "'' は整数ではありません"},
      {Texts("5", "1", "12 ", "0"), StatusKind::NotInteger, "'12 ' は整数ではありません"},
      {Texts("0", "abc", "0", "0"), StatusKind::BadInput, "Play数は、1以上にしてください。"},
      {Texts("1", "1", "0", "255", "7"), StatusKind::BadInput,
       "設定は、1～6または?にしてください。"},
      {Texts("1", "1", "0", "255", ""), StatusKind::BadInput,
       "設定は、1～6または?にしてください。"},
      {Texts("1", "1", "0", "255", " 3"), StatusKind::BadInput,
       "設定は、1～6または?にしてください。"},
      {Texts("0", "1", "0", "255", "7"), StatusKind::BadInput, "Play数は、1以上にしてください。"},
  };
  for (const Case& c : cases) {
    const StartCheck check = CheckStartInputs(c.texts);
    EXPECT_EQ(check.status.Kind, c.failure) << c.message;
    EXPECT_EQ(check.status.Message, c.message);
  }
}

TEST(CheckStartInputs, GoodInputsAreConverted) {
  StartCheck check = CheckStartInputs(Texts(" 12", "$2", "0", "255", "?"));
  ASSERT_TRUE(check.status.Ok());
  EXPECT_EQ(check.inputs.PlayNum, 12);
  EXPECT_EQ(check.inputs.SimNum, 2);
  EXPECT_EQ(check.inputs.BigStock, 0);
  EXPECT_EQ(check.inputs.RegStock, 255);
  EXPECT_TRUE(check.inputs.HiddenFlevel);

  check = CheckStartInputs(Texts("1", "1", "1", "1", "6"));
  ASSERT_TRUE(check.status.Ok());
  EXPECT_FALSE(check.inputs.HiddenFlevel);
  EXPECT_EQ(check.inputs.Flevel, 6);
}

TEST(ParseSeed, TakesPlainDecimalsUpTo32Bits) {
  EXPECT_EQ(ParseSeed("0"), 0u);
  EXPECT_EQ(ParseSeed(" 4294967295 "), 4294967295u);
  for (const char* text : {"", " ", "4294967296", "-1", "+1", "0x10", "$10", "1e3", "12 3"}) {
    EXPECT_FALSE(ParseSeed(text).has_value()) << text;
  }
}

TEST(ParsePrior, TakesSixNonNegativeNumbersNotAllZero) {
  EXPECT_EQ(ParsePrior("40,25,15,10,5,5"), (SettingWeights{40, 25, 15, 10, 5, 5}));
  EXPECT_EQ(ParsePrior(" 0.5 , 0,0,0,0, 1e-3"), (SettingWeights{0.5, 0, 0, 0, 0, 0.001}));
  for (const char* text :
       {"", "1,1,1,1,1", "1,1,1,1,1,1,1", "1,1,1,1,1,-1", "0,0,0,0,0,0", "1,1,1,1,1,x",
        "1,1,1,1,1,", ",1,1,1,1,1", "1,1,1,1,1,nan", "1,1,1,1,1,inf", "1,1,1,1,1,+1", "1;1;1;1;1;1",
        "1,1,1,1,1,1e400", "1,1,1,1,1,1 2"}) {
    EXPECT_FALSE(ParsePrior(text).has_value()) << text;
  }
}

TEST(ReadAnalysisRequest, ConvertsTheCountsFirstThenChecksRangesThenTheSeed) {
  AnalysisTexts texts;
  texts.Games = "8000";
  texts.Trials = "x";
  texts.BigStock = "999";
  AnalysisRequestRead read = ReadAnalysisRequest(texts);
  EXPECT_EQ(read.status.Kind, StatusKind::NotInteger);
  EXPECT_EQ(read.status.Message, "'x' は整数ではありません");
  EXPECT_EQ(read.field, AnalysisField::Trials);

  texts.Trials = "10";
  texts.Seed = "abc";
  read = ReadAnalysisRequest(texts);
  EXPECT_EQ(read.status.Message, kBigStockRangeMessage);
  EXPECT_EQ(read.field, AnalysisField::BigStock);

  texts.BigStock = std::string("$FF");
  read = ReadAnalysisRequest(texts);
  EXPECT_EQ(read.status.Message, kSeedRangeMessage);
  EXPECT_EQ(read.field, AnalysisField::Seed);

  // Past 32 bits: too many where the range ends short of the limit, no
  // integer where it does not.
  texts.Trials = "1000000000000";
  EXPECT_EQ(ReadAnalysisRequest(texts).status.Message, kTrialsRangeMessage);
  texts.Trials = "10";
  texts.Games = "1000000000000";
  EXPECT_EQ(ReadAnalysisRequest(texts).status.Kind, StatusKind::NotInteger);
  texts.Games = "-1000000000000";
  EXPECT_EQ(ReadAnalysisRequest(texts).status.Message, kPlayNumRangeMessage);
  texts.Games = "8000";

  texts.Seed = "42";
  texts.Setting = 3;
  read = ReadAnalysisRequest(texts);
  ASSERT_TRUE(read.status.Ok());
  EXPECT_EQ(read.request.Games, 8000);
  EXPECT_EQ(read.request.Trials, 10);
  EXPECT_EQ(read.request.BigStock, 255);
  EXPECT_EQ(read.request.Setting, 3);
  EXPECT_EQ(read.request.Seed, 42u);
}
