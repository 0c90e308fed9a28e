#include <gtest/gtest.h>

#include <string>

#include "HallQuestions.h"
#include "HallText.h"
#include "HistoryText.h"
#include "Messages.h"

namespace sorimu::web {
namespace {

// Taps build the text the core writes; a refused tap says why and changes
// nothing; the page's limit holds for taps and texts alike.
TEST(HallQuestions, TapsEditTheHistoryAsTheCoreWritesIt) {
  PageHistory page = ReadPageHistory("");
  ASSERT_TRUE(page.status.Ok());
  const struct {
    const char* action;
    const char* typed;
  } taps[] = {{"start", ""}, {"BIG", " ２１２ "}, {"-", "40"}, {"REG", "48"}, {"-", "0"}};
  for (const auto& tap : taps) {
    page = EditPageHistory(page.Text, tap.action, tap.typed);
    ASSERT_TRUE(page.status.Ok()) << tap.action << page.status.Message;
  }
  EXPECT_EQ(page.Text, "start\nBIG\t212\nREG\t48\n-\t0\n");
  EXPECT_EQ(EditPageHistory(page.Text, "midway", "").Text, "BIG\t212\nREG\t48\n-\t0\n");

  const PageHistory zero = EditPageHistory(page.Text, "BIG", "0");
  EXPECT_EQ(zero.status.Message, kHistoryGamesReason);
  EXPECT_EQ(zero.History, page.History);
  EXPECT_EQ(EditPageHistory(page.Text, "-", "12ab").status.Message, kHistoryOpenGamesReason);
  EXPECT_EQ(GamesBoxProblem(""), "");
  EXPECT_EQ(GamesBoxProblem("0"), "");
  EXPECT_EQ(GamesBoxProblem("12ab"), kHistoryGamesReason);

  std::string full;
  for (int i = 0; i < kPageMaxBonuses; ++i) full += "R\t5\n";
  const PageHistory most = ReadPageHistory(full);
  ASSERT_TRUE(most.status.Ok());
  EXPECT_EQ(EditPageHistory(most.Text, "BIG", "5").status.Message,
            HistoryBonusLimitReason(kPageMaxBonuses));
  const PageHistory over = ReadPageHistory(full + "B\t5\n");
  EXPECT_EQ(over.Line, kPageMaxBonuses + 1);
  EXPECT_EQ(over.status.Message,
            HistoryLineMessage(kPageMaxBonuses + 1, HistoryBonusLimitReason(kPageMaxBonuses)));
}

// The mix column: the history's settings against the hall's prior, the prior
// alone, or none while nothing is entered.
TEST(HallQuestions, TheMixWeighsTheHistoryAgainstThePrior) {
  const PageHistory none = ReadPageHistory("");
  const PagePrior prior = ReadPagePrior(" 40,25,15,10,5,5 ");
  ASSERT_TRUE(prior.status.Ok());
  EXPECT_TRUE(PageMix(none, std::nullopt).Caption.empty());
  EXPECT_EQ(PageMix(none, prior.Weights).Weights, (theory::SettingMix{40, 25, 15, 10, 5, 5}));
  EXPECT_FALSE(ReadPagePrior("").Weights.has_value());
  EXPECT_EQ(ReadPagePrior("1,2").status.Message, kPriorMessage);

  const PageHistory history = ReadPageHistory("REG\t300\nBIG\t45\n-\t120\n");
  const HallMix uniform = PageMix(history, std::nullopt);
  const HallMix weighed = PageMix(history, prior.Weights);
  EXPECT_EQ(weighed.Caption, theory::kHistoryMixCaption);
  EXPECT_EQ(weighed.After, theory::kBig);
  // Posterior odds are the prior odds times the likelihood ratio.
  for (size_t s = 1; s < 6; ++s) {
    const double ratio = weighed.Weights[s] / weighed.Weights[0];
    const double expected =
        uniform.Weights[s] / uniform.Weights[0] * (*prior.Weights)[s] / (*prior.Weights)[0];
    EXPECT_NEAR(ratio / expected, 1, 1e-11) << s;
  }
}

}  // namespace
}  // namespace sorimu::web
