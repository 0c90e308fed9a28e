// What the session knows of the run on display (its level, whether that was
// hidden and revealed, how it started) and the expected-balance line it
// leads to: when there is one, and that its points are the exact figures.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "ExpectedLine.h"
#include "Session.h"
#include "TestSupport.h"

using namespace sorimu;
using namespace testing_support;

namespace {

StartTexts Texts(std::string play, std::string flevel, std::string sim = "1",
                 std::string big = "255", std::string reg = "255") {
  return StartTexts{std::move(play), std::move(flevel), std::move(sim), std::move(big),
                    std::move(reg)};
}

ShownRun Known(int32_t flevel, int32_t games, int32_t big = 255, int32_t reg = 255,
               std::optional<int32_t> firstBet = kNormalGameBet) {
  ShownRun shown;
  shown.Present = true;
  shown.Flevel = flevel;
  shown.Games = games;
  shown.BigStock = big;
  shown.RegStock = reg;
  shown.FirstBet = firstBet;
  return shown;
}

}  // namespace

TEST(ShownRun, HiddenLevelIsKnownOnlyAfterTheSettingCheckOfThatRun) {
  Session session(12345);
  EXPECT_FALSE(session.Shown().KnownLevel()) << "nothing on display";
  EXPECT_EQ(OfferExpectedLine(session.Shown()).Absence, LineAbsence::NoRun);

  ASSERT_TRUE(session.Start(Texts("3000", "?")).status.Ok());
  EXPECT_TRUE(session.Shown().HiddenLevel);
  EXPECT_FALSE(session.Shown().KnownLevel());
  EXPECT_EQ(OfferExpectedLine(session.Shown()).Absence, LineAbsence::LevelHidden);
  ASSERT_EQ(session.SettingCheck(), 5);  // the seed draws 5 first
  EXPECT_EQ(session.Shown().KnownLevel(), 5);
  const LineOffer offer = OfferExpectedLine(session.Shown());
  EXPECT_EQ(offer.Absence, LineAbsence::None);
  EXPECT_EQ(offer.Setting, 5);
  EXPECT_EQ(offer.Games, 3000);

  // A batch replaces the records but not the display: its setting check
  // tells the batch's last level and reveals nothing of the run on display.
  ASSERT_TRUE(session.Start(Texts("200", "?")).status.Ok());
  ASSERT_FALSE(session.Shown().KnownLevel());
  TempDir dir;
  std::vector<std::string> saved;
  SessionHooks hooks;
  hooks.askBatchPath = [&] { return std::optional<std::string>(dir.File("b.sim")); };
  hooks.batchFileSaved = [&](const std::string& path) { saved.push_back(path); };
  session.SetHooks(hooks);
  const ShownRun before = session.Shown();
  ASSERT_TRUE(session.Start(Texts("100", "?", "2")).status.Ok());
  ASSERT_EQ(session.Display(), DisplayState::Stale);
  ASSERT_TRUE(session.SettingCheck().has_value());
  EXPECT_FALSE(session.Shown().KnownLevel());
  EXPECT_EQ(session.Shown().Games, before.Games) << "still the run on display";
  EXPECT_EQ(session.Shown().Flevel, before.Flevel);

  // A known level is known at once; a file shows its level in the setting box.
  ASSERT_TRUE(session.Start(Texts("100", "4")).status.Ok());
  EXPECT_FALSE(session.Shown().HiddenLevel);
  EXPECT_EQ(session.Shown().KnownLevel(), 4);
  ASSERT_EQ(saved.size(), 2u);
  ASSERT_TRUE(session.Open(saved[0]).status.Ok());
  ASSERT_TRUE(session.Shown().KnownLevel().has_value());
  EXPECT_EQ(session.Shown().KnownLevel(), session.Info().Flevel);
}

// The first row shows the first game's payout and balance; their difference
// is the bet, which Reset skips after a run that ended on a replay.
TEST(ShownRun, FirstBetAsTheFirstRowShowsIt) {
  struct Case {
    RunRow first;
    std::optional<int32_t> bet;
  };
  RunRow bonusGame = NormalRow(1, 1, 20, Code(Outcome::JAC));
  bonusGame.BonusGames = 1;
  const Case cases[] = {
      {NormalRow(1, 1, -3, Code(Outcome::Miss)), 3},
      {NormalRow(1, 1, -3, Code(Outcome::Replay)), 3},
      {NormalRow(1, 1, 0, Code(Outcome::Miss)), 0},
      {NormalRow(1, 1, 11, Code(Outcome::Bell)), 3},
      {NormalRow(1, 1, 15, Code(Outcome::BIG)), 0},
      {NormalRow(1, 1, 12, Code(Outcome::REG)), 3},
      {NormalRow(1, 1, 1, Code(Outcome::Miss)), -1},  // no game of this machine
      {NormalRow(2, 2, -6, Code(Outcome::Miss)), std::nullopt},
      {NormalRow(1, 1, 0, 99), std::nullopt},
      {bonusGame, std::nullopt},
  };
  for (const Case& c : cases) {
    RunRecords records;
    Fill(records, {c.first});
    EXPECT_EQ(ShownRunOf(records, 2, false).FirstBet, c.bet)
        << "outcome " << c.first.LastOutcome << ", medal " << c.first.Medal;
  }
  RunRecords empty;
  EXPECT_EQ(OfferExpectedLine(ShownRunOf(empty, 2, false)).Absence, LineAbsence::NoRun);
}

TEST(ShownRun, ARunAfterOneThatEndedOnAReplayStartsWithoutABet) {
  Session session(4711);
  int tries = 0;
  do {
    ASSERT_TRUE(session.Start(Texts("1", "2")).status.Ok());
    ASSERT_LT(++tries, 200);
  } while (session.Records().LastRow().LastOutcome != Code(Outcome::Replay));
  ASSERT_TRUE(session.Start(Texts("50", "2")).status.Ok());
  EXPECT_EQ(session.Shown().FirstBet, 0);
  const LineOffer offer = OfferExpectedLine(session.Shown());
  ASSERT_EQ(offer.Absence, LineAbsence::None);
  EXPECT_FALSE(offer.Start.FirstGameBets);
}

TEST(ExpectedLine, OfferedOnlyForThisMachineAndStocksThatCannotRunOut) {
  struct Case {
    const char* what;
    ShownRun shown;
    LineAbsence absence;
  };
  ShownRun hidden = Known(3, 8000);
  hidden.HiddenLevel = true;
  ShownRun revealed = hidden;
  revealed.LevelRevealed = true;
  const Case cases[] = {
      {"filled stocks, setting 1", Known(1, 8000), LineAbsence::None},
      {"filled stocks, setting 6, ten million games", Known(6, 10000000), LineAbsence::None},
      {"hidden", hidden, LineAbsence::LevelHidden},
      {"revealed", revealed, LineAbsence::None},
      {"empty BIG stock", Known(1, 8000, 0, 255), LineAbsence::StocksMayRunOut},
      {"empty REG stock", Known(4, 10, 255, 0), LineAbsence::StocksMayRunOut},
      // Setting 6 uses its stocks fastest: 100 each could run out.
      {"100 each at setting 6", Known(6, 8000, 100, 100), LineAbsence::StocksMayRunOut},
      {"100 each at setting 1", Known(1, 8000, 100, 100), LineAbsence::None},
      // The chance of ever running out grows with the run: setting 6 with
      // filled stocks holds to about 27.8 million games.
      {"setting 6, 27 million games", Known(6, 27000000), LineAbsence::None},
      {"setting 6, 29 million games", Known(6, 29000000), LineAbsence::StocksMayRunOut},
      {"setting 5, the longest run", Known(5, INT32_MAX), LineAbsence::None},
      {"a foreign level", Known(7, 8000), LineAbsence::NotThisMachine},
      {"a foreign stock", Known(2, 8000, 256, 255), LineAbsence::NotThisMachine},
      {"a foreign first bet", Known(2, 8000, 255, 255, 5), LineAbsence::NotThisMachine},
      {"no first game", Known(2, 8000, 255, 255, std::nullopt), LineAbsence::NotThisMachine},
      {"no normal game", Known(2, 0), LineAbsence::NoRun},
  };
  for (const Case& c : cases) {
    const LineOffer offer = OfferExpectedLine(c.shown);
    EXPECT_EQ(offer.Absence, c.absence) << c.what;
    if (offer.Absence == LineAbsence::None) {
      EXPECT_LE(offer.LeaveError, kLineTolerance) << c.what;
    }
    if (offer.Absence == LineAbsence::StocksMayRunOut) {
      EXPECT_GT(offer.LeaveError, kLineTolerance) << c.what;
    }
  }
}

TEST(ExpectedLine, PointsAreTheExactExpectedBalanceOfThatStart) {
  Session session(2024);
  ASSERT_TRUE(session.Start(Texts("30000", "3", "1", "200", "180")).status.Ok());
  const LineOffer offer = OfferExpectedLine(session.Shown());
  ASSERT_EQ(offer.Absence, LineAbsence::None);
  EXPECT_EQ(offer.Start.BigStock, 200);
  EXPECT_EQ(offer.Start.RegStock, 180);
  const ExpectedLine line = ComputeExpectedLine(offer);
  EXPECT_EQ(line.Setting, 3);
  EXPECT_LE(line.ErrorBound, kLineTolerance);

  const theory::ExpectedRun exact =
      theory::ComputeExpectedRun(theory::DefaultCycleModel(3), offer.Start, 30000);
  ASSERT_LT(exact.ExactGames, 30000) << "the straight part is drawn as one segment";
  ASSERT_EQ(line.Points.size(), static_cast<size_t>(exact.ExactGames) + 1);
  for (int32_t n : {1, 2, 10, 100, 1000, exact.ExactGames}) {
    const LinePoint& point = line.Points[static_cast<size_t>(n - 1)];
    EXPECT_EQ(point.Games, n);
    EXPECT_DOUBLE_EQ(point.Balance, static_cast<double>(exact.BalanceAt(n))) << "game " << n;
  }
  EXPECT_EQ(line.Points.back().Games, 30000);
  EXPECT_DOUBLE_EQ(line.Points.back().Balance, static_cast<double>(exact.BalanceAt(30000)));
  // The first game bets 3 and pays the role's mean: a loss of under 3.
  EXPECT_LT(line.Points.front().Balance, 0);
  EXPECT_GT(line.Points.front().Balance, -3);
}
