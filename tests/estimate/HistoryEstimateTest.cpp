#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <sstream>

#include "CsvLists.h"
#include "HistoryEstimate.h"
#include "HistoryForecast.h"
#include "HistoryText.h"
#include "JobService.h"
#include "Messages.h"
#include "PlainStretchLaw.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

namespace {

// The bonus list of a machine played from 255/255, as its rows would give it,
// without keeping the rows.
BonusHistory PlayedHistory(uint32_t seed, int32_t setting, int32_t games) {
  Slot slot(seed);
  slot.SetFlevel(setting);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  BonusHistory history;
  history.FromStart = true;
  while (slot.PlayCount < games) {
    slot.Play();
    if (slot.BonusGames == 0 && IsBonusOutcome(slot.LastOutcome)) {
      const size_t kind = slot.LastOutcome == Code(Outcome::BIG) ? theory::kBig : theory::kReg;
      history.Bonuses.push_back({kind, slot.GamesSinceBonus});
    }
  }
  history.OpenGames = slot.BonusKind == 0 ? slot.GamesSinceBonus : 0;
  return history;
}

}  // namespace

// The product of exact terms equals the same product from the plain walk
// over the machine's hidden state, game by game, on the histories of played
// runs: from the start and from mid-way, with the open stretch; from empty
// stocks, where the first stretches are left out.
TEST(HistoryEstimate, EqualsThePlainGameByGameLawOnPlayedRuns) {
  std::array<testing_support::PlainStretchLaws, 6> plain;
  for (int s = 1; s <= 6; ++s) plain[static_cast<size_t>(s - 1)] = testing_support::PlainLaws(s);
  for (int truth : {1, 4, 6}) {
    SCOPED_TRACE(truth);
    RunRecords records;
    Slot slot(static_cast<uint32_t>(100 + truth));
    const int32_t stocks = truth == 6 ? 0 : kMaxStock;
    Simulate(slot, records, testing_support::Inputs(40000, truth, stocks, stocks));
    BonusHistory history = HistoryFromRecords(records);
    ASSERT_GT(history.Bonuses.size(), 80u);
    EXPECT_EQ(history.Bonuses.front().StockMayHaveRunOut, stocks == 0);
    EXPECT_FALSE(history.Bonuses.back().StockMayHaveRunOut);
    for (bool fromStart : {true, false}) {
      history.FromStart = fromStart;
      const std::array<double, 6> log = HistoryEvidence(history).LogLikelihood();
      for (size_t s = 0; s < 6; ++s) {
        EXPECT_NEAR(log[s], testing_support::PlainHistoryLogLikelihood(history, plain[s]), 1e-9)
            << "setting " << s + 1;
      }
    }
  }
}

// By hand: a run's first stretch of 1490 games ending in a BIG is an RT of
// mode 0 drawn at its longest count and never cut: 1361 games with 129 or
// more left (a 2-cherry, a pure miss or a 4-cherry B that wins the cancel
// lottery cuts), 97 with 32..128 left (any of the three cuts), 31 that
// nothing cuts.
TEST(HistoryEstimate, LongestStretchFollowsItsHandCount) {
  BonusHistory history;
  history.FromStart = true;
  history.Bonuses = {{theory::kBig, 1490}};
  const Slot slot(0);
  std::array<double, 6> hand{};
  for (int s = 1; s <= 6; ++s) {
    const double cherry4B = slot.FlagTbl[0] * slot.CherryTbl[2] / (65536.0 * 256);
    const double toOne = (slot.FlagTbl[0] * slot.CherryTbl[0] / 256.0 + slot.FlagTbl[4]) / 65536;
    const double cancel = slot.CancelTblFor(s)[0] / 256.0;
    const Rate_TBL<int>& lengths = slot.Mode0RtTblFor(s);
    hand[static_cast<size_t>(s - 1)] = slot.ModeTbl[0] / 256.0 * lengths.back() / 256.0 *
                                       std::pow(1 - toOne - cherry4B * cancel, 1361) *
                                       std::pow(1 - toOne - cherry4B, 97);
  }
  const SettingEstimate estimate = EstimateFromHistory(history);
  const double total = std::accumulate(hand.begin(), hand.end(), 0.0);
  for (size_t s = 0; s < 6; ++s) EXPECT_NEAR(estimate.Probability[s], hand[s] / total, 1e-12);
  EXPECT_EQ(estimate.UsedStretches, 1);

  // Longer than any RT: no setting plays it, and it changes nothing.
  history.Bonuses.push_back({theory::kReg, 1491});
  EXPECT_EQ(EstimateFromHistory(history).Probability, estimate.Probability);
  EXPECT_EQ(EstimateFromHistory(history).SkippedStretches, 1);
}

// A calibrated estimate gives the true setting on average the probability it
// expects to give it: the mean of P(true) equals the mean of the sum of
// P(s)², and with every setting as often each P(s) averages 1/6.
TEST(HistoryEstimate, IsCalibratedOnPlayedRuns) {
  constexpr int kRuns = 400;
  std::vector<double> truthMinusSquares;
  std::array<std::vector<double>, 6> shares;
  for (int truth = 1; truth <= 6; ++truth) {
    for (int run = 0; run < kRuns; ++run) {
      const BonusHistory history =
          PlayedHistory(static_cast<uint32_t>(truth * 100000 + run), truth, 3000);
      const SettingEstimate estimate = EstimateFromHistory(history);
      double squares = 0;
      for (size_t s = 0; s < 6; ++s) {
        squares += estimate.Probability[s] * estimate.Probability[s];
        shares[s].push_back(estimate.Probability[s]);
      }
      truthMinusSquares.push_back(estimate.Probability[static_cast<size_t>(truth - 1)] - squares);
    }
  }
  auto within = [](const std::vector<double>& values, double expected) {
    const double n = static_cast<double>(values.size());
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double spread = 0;
    for (double v : values) spread += (v - mean) * (v - mean);
    const double error = std::sqrt(spread / (n - 1) / n);
    EXPECT_NEAR(mean, expected, 4 * error);
    return mean;
  };
  within(truthMinusSquares, 0);
  for (const std::vector<double>& share : shares) within(share, 1.0 / 6);
}

// An estimate is a fair bet on what it will say later: the forecast of the
// top setting's probability stays where it is, and more games make the
// leader surer.
TEST(HistoryEstimate, ForecastIsAFairBetAndDoesNotDependOnThreads) {
  BonusHistory history = PlayedHistory(77, 5, 6000);
  const SettingEstimate now = EstimateFromHistory(history);
  ForecastRequest request;
  request.Draws = 4000;
  const HistoryForecast one = ForecastHistory(history, UniformPrior(), request);
  request.Jobs = 3;
  JobService service;
  Job job(&service);
  const HistoryForecast three = ForecastHistory(history, UniformPrior(), request, job);
  EXPECT_EQ(job.Progress().Done, request.Draws);
  ASSERT_EQ(one.Points.size(), 3u);
  EXPECT_EQ(one.TopProbability, *std::max_element(now.Probability.begin(), now.Probability.end()));
  for (size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(one.Points[k].TopProbability, three.Points[k].TopProbability);
    EXPECT_EQ(one.Points[k].TopChangeChance, three.Points[k].TopChangeChance);
    EXPECT_NEAR(one.Points[k].TopProbability, one.TopProbability, 0.02);
    EXPECT_GT(one.Points[k].LeaderProbability,
              k == 0 ? one.TopProbability : one.Points[k - 1].LeaderProbability);
  }
}

// Every way of writing a history reads to the same value.
TEST(HistoryText, ReadsEveryFormOfTheSameHistory) {
  BonusHistory expected;
  expected.FromStart = true;
  expected.Bonuses = {{theory::kBig, 120}, {theory::kReg, 4}, {theory::kBig, 1}};
  expected.OpenGames = 37;
  const char* texts[] = {
      "start\nBIG\t120\nREG\t4\nBIG\t1\n-\t37\n",
      "# a counter, typed in\r\nstart\r\n種別,G数\r\nB,120\r\nr , 4\r\n\r\nbig 1 # 1G連\r\n-,37",
      "\xEF\xBB\xBFstart\n\xEF\xBC\xA2\xEF\xBC\xA9\xEF\xBC\xA7\t\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC"
      "\x90\n"
      "REG\xE3\x80\x80\xEF\xBC\x94\nBIG\xEF\xBC\x8C\xEF\xBC\x91\n\xEF\xBC\x8D\t\xEF\xBC\x93\xEF\xBC"
      "\x97\n",
  };
  for (const char* text : texts) {
    const HistoryParse parse = ParseHistoryText(text);
    ASSERT_TRUE(parse.status.Ok()) << parse.status.Message;
    EXPECT_EQ(parse.history, expected) << text;
  }
  EXPECT_EQ(ParseHistoryText(HistoryText(expected)).history, expected);
  const HistoryParse midway = ParseHistoryText("BIG\t120\n");
  EXPECT_FALSE(midway.history.FromStart);
  EXPECT_FALSE(midway.history.OpenGames.has_value());
}

// A run's bonus list CSV reads back to the history of its rows, less the
// stretch under way that the list does not show.
TEST(HistoryText, BonusListCsvRoundTripsARun) {
  RunRecords records;
  Slot slot(9);
  Simulate(slot, records, testing_support::Inputs(20000, 3));
  std::ostringstream csv;
  WriteBonusListCsv(csv, records);
  const HistoryParse parse = ParseHistoryText(csv.str());
  ASSERT_TRUE(parse.status.Ok()) << parse.status.Message;
  BonusHistory rows = HistoryFromRecords(records);
  ASSERT_GT(rows.Bonuses.size(), 40u);
  EXPECT_GT(*rows.OpenGames, 0);
  rows.OpenGames.reset();
  EXPECT_EQ(parse.history, rows);
}

// A bad line names itself and what was expected, and nothing of the text is
// used.
TEST(HistoryText, BadLinesSayWhereAndWhat) {
  const struct {
    std::string text;
    int32_t line;
    const char* reason;
  } cases[] = {
      {"BIG\t10\nXYZ\t20\n", 2, kHistoryKindReason},
      {"start\nBIG\t-5\n", 2, kHistoryGamesReason},
      {"BIG\t\n", 1, kHistoryGamesReason},
      {"BIG\n", 1, kHistoryGamesReason},
      {"REG\t0\n", 1, kHistoryGamesReason},
      {"REG\t12x\n", 1, kHistoryGamesReason},
      {"REG\t99999999999\n", 1, kHistoryGamesReason},
      {"BIG\t1\t2\n", 1, kHistoryFieldsReason},
      {"BIG\t10\n-\t5\nREG\t3\n", 3, kHistoryOpenNotLastReason},
      {"-\t-1\n", 1, kHistoryOpenGamesReason},
      {"BIG\t10\nstart\n", 2, kHistoryKindReason},
      {"kind,games\nname,count\n", 2, kHistoryKindReason},
      {std::string("BIG\t10\nREG\t2\0\n", 13), 2, kHistoryNotTextReason},
      {"BIG\t10\n\xFF\xFE\n", 2, kHistoryNotTextReason},
      {"\xEF\xBB\xBFPLAY数,PLAY数2,確定役,RT解除契機,獲得メダル\r\n12,12,777,規定RT消化,700\r\n"
       "30,18,JAC,規定RT消化,\r\n",
       3, kHistoryCsvReason},
  };
  for (const auto& c : cases) {
    const HistoryParse parse = ParseHistoryText(c.text);
    EXPECT_EQ(parse.status.Kind, StatusKind::BadInput) << c.text;
    EXPECT_EQ(parse.status.Message, HistoryLineMessage(c.line, c.reason)) << c.text;
    EXPECT_EQ(parse.Line, c.line);
    EXPECT_EQ(parse.history, BonusHistory{});
  }
  std::string many;
  for (int i = 0; i < kMaxHistoryLines; ++i) many += "B\t9\n";
  EXPECT_TRUE(ParseHistoryText(many).status.Ok());
  many += "R\t9\n";
  const HistoryParse tooMany = ParseHistoryText(many);
  EXPECT_EQ(tooMany.status.Message,
            HistoryLineMessage(kMaxHistoryLines + 1, kHistoryTooManyLinesReason));
}

// A box holding one count follows the reader's rule for that field, and a
// reader given a limit stops at the line of the first bonus too many.
TEST(HistoryText, BoxesAndLimitsFollowTheReader) {
  EXPECT_EQ(ParseHistoryGames(" \xEF\xBC\x90\xEF\xBC\x97 ", true).Games, 7);  // full-width 07
  EXPECT_EQ(ParseHistoryGames("0", true).Games, 0);
  EXPECT_EQ(ParseHistoryGames("10000000", false).Games, kMaxHistoryGames);
  const struct {
    const char* typed;
    bool open;
    const char* reason;
  } bad[] = {{"0", false, kHistoryGamesReason},        {"", false, kHistoryGamesReason},
             {"12ab", true, kHistoryOpenGamesReason},  {"-1", true, kHistoryOpenGamesReason},
             {"10000001", false, kHistoryGamesReason}, {"1 2", false, kHistoryGamesReason},
             {"\xFF", true, kHistoryOpenGamesReason}};
  for (const auto& c : bad) {
    const GamesParse parse = ParseHistoryGames(c.typed, c.open);
    EXPECT_EQ(parse.status.Kind, StatusKind::BadInput) << c.typed;
    EXPECT_EQ(parse.status.Message, c.reason) << c.typed;
  }
  const HistoryParse limited = ParseHistoryText("start\n# 3 bonuses\nB\t1\nR\t2\n\nB\t3\n", 2);
  EXPECT_EQ(limited.status.Message, HistoryLineMessage(6, HistoryBonusLimitReason(2)));
  EXPECT_EQ(limited.Line, 6);
  EXPECT_TRUE(ParseHistoryText("B\t1\nR\t2\n-\t5\n", 2).status.Ok());
}

// Rows typed into a table read as the text does, name their own row, and
// never take a mistyped first row for a header or a start line.
TEST(HistoryText, TypedRowsReadAsTheTextAndNameTheirRow) {
  const BonusHistory day = ParseHistoryText("BIG\t120\nREG\t45\nBIG\t3\n-\t288\n").history;
  const std::vector<HistoryRow> rows = HistoryRows(day);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows.back().Kind, "-");
  EXPECT_EQ(ParseHistoryRows(rows, false).history, day);
  BonusHistory fresh = day;
  fresh.FromStart = true;
  EXPECT_EQ(ParseHistoryRows(rows, true).history, fresh);
  // Blank rows in between are skipped, but still counted.
  EXPECT_EQ(ParseHistoryRows({{"b", "120"}, {"", ""}, {" r ", "45"}}, false).history.Bonuses,
            (std::vector<HistoryBonus>{{theory::kBig, 120}, {theory::kReg, 45}}));
  const struct {
    std::vector<HistoryRow> rows;
    int32_t line;
    const char* reason;
  } bad[] = {
      {{{"X", ""}}, 1, kHistoryKindReason},
      {{{"start", ""}, {"B", "5"}}, 1, kHistoryKindReason},
      {{{"B", "5"}, {"", ""}, {"R", "0"}}, 3, kHistoryGamesReason},
      {{{"-", "5"}, {"B", "9"}}, 2, kHistoryOpenNotLastReason},
  };
  for (const auto& c : bad) {
    const HistoryParse parse = ParseHistoryRows(c.rows, false);
    EXPECT_EQ(parse.status.Message, HistoryLineMessage(c.line, c.reason)) << c.rows[0].Kind;
    EXPECT_EQ(parse.Line, c.line);
    EXPECT_EQ(parse.history, BonusHistory{});
  }
}
