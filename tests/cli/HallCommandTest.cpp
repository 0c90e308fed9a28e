#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "CliRunner.h"
#include "CliTexts.h"
#include "ExpectedRun.h"
#include "HallPlay.h"
#include "HistoryEstimate.h"
#include "HistoryText.h"
#include "Messages.h"
#include "NextGames.h"
#include "PortableFigures.h"
#include "Session.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

std::vector<std::vector<std::string>> TsvRows(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
    rows.push_back(cells);
  }
  return rows;
}

std::array<double, 6> Probabilities(const std::string& out) {
  const auto rows = TsvRows(out);
  EXPECT_EQ(rows.size(), 7u) << out;
  EXPECT_EQ(rows[0], (std::vector<std::string>{"setting", "probability"}));
  std::array<double, 6> p{};
  for (size_t s = 0; s < 6 && s + 1 < rows.size(); ++s)
    p[s] = std::strtod(rows[s + 1][1].c_str(), nullptr);
  return p;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

// A run's file, its bonus list CSV and its history typed out all give the
// estimate the core gives the run's bonus list, to the last digit.
TEST(CliHall, HistoryEstimateRoundTripsARun) {
  TempDir dir;
  ASSERT_EQ(
      Cli({"run", "--seed", "77", "--games", "12000", "--setting", "5", "--out", dir.File("r.sim")})
          .status,
      0);
  Session session;
  ASSERT_TRUE(session.Open(dir.File("r.sim")).status.Ok());
  BonusHistory history = HistoryFromRecords(session.Records());
  const CliResult sim = Cli({"estimate", "--history", dir.File("r.sim"), "--tsv"});
  ASSERT_EQ(sim.status, 0) << sim.err;
  EXPECT_EQ(Probabilities(sim.out), EstimateFromHistory(history).Probability);

  ASSERT_EQ(Cli({"show", dir.File("r.sim"), "--csv", dir.path()}).status, 0);
  const CliResult csv = Cli(
      {"estimate", "--history", dir.File("r_bonuses.csv"), "--tsv", "--prior", "40,25,15,10,5,5"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  BonusHistory listed = history;
  listed.OpenGames.reset();  // the list does not show the stretch under way
  EXPECT_EQ(Probabilities(csv.out),
            EstimateFromHistory(listed, {40, 25, 15, 10, 5, 5}).Probability);

  WriteText(dir.File("typed.txt"), HistoryText(history));
  EXPECT_EQ(Cli({"estimate", "--history", dir.File("typed.txt"), "--tsv"}).out, sim.out);

  const CliResult shown = Cli({"estimate", "--history", dir.File("typed.txt")});
  ASSERT_EQ(shown.status, 0);
  EXPECT_EQ(shown.out.rfind("[設定推測]\n設定\t設定配分\t確率\n1\t16.7 %\t", 0), 0u) << shown.out;
  EXPECT_NE(shown.out.find("\n[この先の推測]  予測回数:10000  seed:1\n"), std::string::npos);
  EXPECT_NE(shown.out.find("\n8000\t"), std::string::npos);
}

// Bad history files name the file and the line; nothing hangs on a pipe.
TEST(CliHall, BadHistoriesSayWhereAndExitWithOne) {
  TempDir dir;
  WriteText(dir.File("bad.txt"), "start\nBIG\t120\nREG\t-4\n");
  const CliResult bad = Cli({"estimate", "--history", dir.File("bad.txt")});
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, FileFailureMessage(kHistoryReadFailedMessage, dir.File("bad.txt"),
                                        HistoryLineMessage(3, kHistoryGamesReason)) +
                         "\n");
  EXPECT_EQ(bad.out, "");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  const CliResult fifo = Cli({"theory", "--since", "10", "--history", dir.File("fifo")});
  EXPECT_EQ(fifo.status, 1);
  EXPECT_EQ(fifo.err.rfind(kCannotOpenMessage, 0), 0u) << fifo.err;
  EXPECT_EQ(Cli({"estimate", "--history", dir.path()}).status, 1);
  EXPECT_EQ(Cli({"estimate", "--history", dir.File("missing")}).status, 1);

  const struct {
    std::vector<std::string> args;
    std::string err;
  } usage[] = {
      {{"estimate", "--history", dir.File("bad.txt"), "--next", "10"},
       std::string("--next") + kNotInThisUse + kEstimateUsage},
      {{"estimate", "x.sim", "--history", dir.File("bad.txt")},
       std::string(kExtraArgument) + "x.sim\n" + kEstimateUsage},
      {{"theory", "--since", "-1"}, std::string(kCliSinceMessage) + "\n"},
      {{"theory", "--since", "10", "--after", "JAC"}, std::string(kCliAfterMessage) + "\n"},
      {{"theory", "--since", "10", "--prior", "1,1,1,1,1,1", "--history", "h"},
       std::string(kPriorAndHistory) + kTheoryUsage},
      {{"theory", "--since", "10", "--games", "5"},
       std::string("--games") + kNotInThisUse + kTheoryUsage},
      {{"theory", "--quit-after", "big"}, std::string(kCliQuitAfterMessage) + "\n"},
      {{"theory", "--quit-after", "BIG", "--games", "201"},
       std::string(kCliQuitGamesMessage) + "\n"},
      {{"theory", "--line", "100"}, std::string(kLineNeedsSetting) + "\n"},
      {{"theory", "--line", "100", "--setting", "6", "--big", "0"},
       std::string(kLineStocksMessage) + "\n"},
      {{"theory", "--after", "BIG"}, std::string("--after") + kNotInThisUse + kTheoryUsage},
  };
  for (const auto& c : usage) {
    const CliResult result = Cli(c.args);
    EXPECT_EQ(result.status, 2) << c.err;
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.out, "");
  }
}

// --since, --quit-after and --line print the core's figures with every digit.
TEST(CliHall, TheoryQuestionsPrintTheCoresFigures) {
  const CliResult since = Cli({"theory", "--since", "300", "--after", "REG", "--tsv"});
  ASSERT_EQ(since.status, 0) << since.err;
  auto rows = TsvRows(since.out);
  ASSERT_EQ(rows.size(), 7u);
  const std::vector<std::string> required = {"setting",
                                             "since",
                                             "p_within_100",
                                             "p_within_300",
                                             "expected_games",
                                             "expected_balance_to_bonus",
                                             "expected_balance_through_chain"};
  for (const std::string& column : required) {
    const auto at = std::find(rows[0].begin(), rows[0].end(), column);
    ASSERT_NE(at, rows[0].end()) << column;
    const size_t i = static_cast<size_t>(at - rows[0].begin());
    for (int s = 1; s <= 6; ++s) {
      const theory::SinceFigures f =
          theory::FiguresSince(theory::DefaultSettingPlay(s), theory::kReg, 300);
      const double want[] = {static_cast<double>(s),
                             300,
                             theory::PortableDouble(f.Within[1]),
                             theory::PortableDouble(f.Within[2]),
                             theory::PortableDouble(f.ExpectedGames),
                             theory::PortableDouble(f.ToBonus),
                             theory::PortableDouble(f.ThroughChain)};
      EXPECT_EQ(std::strtod(rows[static_cast<size_t>(s)][i].c_str(), nullptr),
                want[&column - required.data()])
          << column;
    }
  }
  rows = TsvRows(Cli({"theory", "--since", "1490", "--prior", "40,25,15,10,5,5", "--tsv"}).out);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[7][0], "mix");
  EXPECT_EQ(rows[7][8], "nan");  // expected_games: no stretch gets that far

  const CliResult quit = Cli({"theory", "--quit-after", "BIG", "--games", "10", "--tsv"});
  ASSERT_EQ(quit.status, 0) << quit.err;
  rows = TsvRows(quit.out);
  ASSERT_EQ(rows.size(), 61u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"setting", "games", "expected_balance",
                                               "chain_chance", "best"}));
  EXPECT_EQ(
      std::strtod(rows[14][2].c_str(), nullptr),
      theory::PortableDouble(theory::QuitValue(theory::DefaultSettingPlay(2), 4)[theory::kBig]));

  const CliResult line =
      Cli({"theory", "--line", "500", "--setting", "3", "--big", "100", "--reg", "100"});
  ASSERT_EQ(line.status, 0) << line.err;
  rows = TsvRows(line.out);
  ASSERT_EQ(rows.size(), 501u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"games", "balance"}));
  theory::RunStart start;
  start.BigStock = start.RegStock = 100;
  const theory::ExpectedRun run =
      theory::ComputeExpectedRun(theory::DefaultCycleModel(3), start, 500);
  for (int32_t n : {1, 250, 500}) {
    EXPECT_EQ(rows[static_cast<size_t>(n)][0], std::to_string(n));
    EXPECT_EQ(std::strtod(rows[static_cast<size_t>(n)][1].c_str(), nullptr),
              static_cast<double>(run.BalanceAt(n)));
  }
}

// The next games' mean comes with its Monte-Carlo standard error, right after it.
TEST(CliHall, NextGamesMeanComesWithItsStandardError) {
  TempDir dir;
  ASSERT_EQ(Cli({"run", "--seed", "5", "--games", "3000", "--out", dir.File("r.sim")}).status, 0);
  const CliResult next = Cli(
      {"estimate", dir.File("r.sim"), "--next", "300", "--draws", "400", "--seed", "3", "--tsv"});
  ASSERT_EQ(next.status, 0) << next.err;
  const size_t mean = next.out.find("\nmean\t");
  const size_t error = next.out.find("\nmean_se\t");
  ASSERT_NE(mean, std::string::npos);
  EXPECT_EQ(error, next.out.find('\n', mean + 1));
  Session session;
  ASSERT_TRUE(session.Open(dir.File("r.sim")).status.Ok());
  NextGamesRequest request;
  request.Games = 300;
  request.Draws = 400;
  request.Seed = 3;
  const NextGamesOutcome core = PredictNextGames(session.Records(), request);
  EXPECT_EQ(std::strtod(next.out.c_str() + error + 9, nullptr), core.Prediction.MeanError);
  EXPECT_NEAR(core.Prediction.MeanError, core.Prediction.Balance.Sd / 20, 1e-9);
}
