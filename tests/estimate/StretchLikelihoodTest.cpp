#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "MachineRules.h"
#include "PlainFilter.h"
#include "RunStretches.h"
#include "SettingEstimate.h"
#include "SingleRun.h"
#include "TestSupport.h"

using namespace sorimu;

namespace {

// The machine's own games, with both stocks emptied whenever a bonus ends,
// so that every RT stretch starts with none in hand and RTs run out unseen.
// Stops at the end of the first REG without a 1G連 after `games` games.
// The likelihood is conditioned on the roles a run shows, so it holds for
// any role chances: a machine that draws cutting roles two hundred times as
// often puts every rule of the estimate to work within a short run.
void DrawRolesOften(Slot& slot) {
  slot.FlagTbl[0] = 16384;  // a cherry
  slot.FlagTbl[4] = 200;    // a pure miss
  slot.CherryTbl[0] = 16;   // 2-cherry
  slot.CherryTbl[1] = 40;   // 4-cherry A
  slot.CherryTbl[2] = 120;  // 4-cherry B
  slot.CherryTbl[3] = 80;   // no cherry shown
}

void EmptyStockRun(int32_t setting, uint32_t seed, int32_t games, RunRecords& records,
                   bool rolesOften = false) {
  Slot slot(seed);
  if (rolesOften) DrawRolesOften(slot);
  slot.SetFlevel(setting);
  slot.SetStock(0, 0);
  slot.Reset();
  records.ClearRows();
  records.SetStartStocks(0, 0);
  for (;;) {
    slot.Play();
    records.AppendRow(testing_support::RowOf(slot));
    if (slot.BonusEnd != 1) continue;
    if (slot.PlayCount >= games && slot.BonusKind == 2 && slot.RenFlag == 0) break;
    slot.SetStock(0, 0);
  }
}

void Played(uint32_t seed, int32_t games, int32_t setting, int32_t big, int32_t reg,
            RunRecords& records, bool rolesOften = false) {
  Slot slot(seed);
  if (rolesOften) DrawRolesOften(slot);
  Simulate(slot, records, testing_support::Inputs(games, setting, big, reg));
}

std::vector<SettingLikelihood> Stretches(const RunRecords& records, StretchRoute route) {
  std::vector<SettingLikelihood> all;
  ScanStretches(
      records, [&](const SettingLikelihood& stretch) { all.push_back(stretch); }, nullptr, route);
  return all;
}

void ExpectSamePosterior(const std::array<double, 6>& a, const std::array<double, 6>& b,
                         double tolerance) {
  for (size_t s = 0; s < 6; ++s) EXPECT_NEAR(a[s], b[s], tolerance) << "setting " << s + 1;
}

}  // namespace

// The estimate against a plain game-by-game filter over the machine's whole
// hidden state, on runs whose RTs run out unseen (empty stocks), whose
// bonuses do not show the mode (a BIG stock empty), and with full stocks;
// and on the same with roles drawn often.
TEST(StretchLikelihood, AgreesWithAPlainGameByGameFilter) {
  struct Case {
    int32_t setting, big, reg, games;
    uint32_t seed;
    bool rolesOften;
  };
  for (const Case& c : {Case{1, 0, 0, 2000, 11, false}, Case{6, 0, 255, 1500, 13, false},
                        Case{2, 255, 0, 1500, 14, false}, Case{5, 255, 255, 1500, 15, false},
                        Case{3, 0, 0, 2000, 16, true}, Case{4, 255, 0, 2000, 17, true},
                        Case{6, 255, 255, 2000, 18, true}}) {
    SCOPED_TRACE(testing::Message() << "setting " << c.setting << " stocks " << c.big << "/"
                                    << c.reg << (c.rolesOften ? ", roles often" : ""));
    RunRecords records;
    Played(c.seed, c.games, c.setting, c.big, c.reg, records, c.rolesOften);
    ExpectSamePosterior(EstimateSetting(records).Probability,
                        testing_support::PlainPosterior(records), 1e-9);
  }
  for (bool rolesOften : {false, true}) {
    RunRecords empty;
    EmptyStockRun(3, 21, 2000, empty, rolesOften);
    ExpectSamePosterior(EstimateSetting(empty).Probability, testing_support::PlainPosterior(empty),
                        1e-9);
  }
}

// The fast sum and the filter are two ways to the same likelihood wherever
// the fast one applies; chains may differ by a constant shared by all six.
TEST(StretchLikelihood, FastSumAndFilterAgreeOnEveryStretch) {
  for (uint32_t seed : {3u, 4u}) {
    RunRecords records;
    Played(seed, 20000, static_cast<int32_t>(seed), 255, 255, records, seed == 4);
    const auto fast = Stretches(records, StretchRoute::Fastest);
    const auto filter = Stretches(records, StretchRoute::FilterOnly);
    ASSERT_EQ(fast.size(), filter.size());
    for (size_t k = 0; k < fast.size(); ++k) {
      for (size_t s = 0; s < 6; ++s) {
        ASSERT_TRUE(std::isfinite(fast[k].Log[s]));
        EXPECT_NEAR(fast[k].Log[s] - fast[k].Log[0], filter[k].Log[s] - filter[k].Log[0], 1e-9)
            << "stretch " << k;
      }
    }
  }
}

// A run whose every stretch starts with empty stocks still tells the
// settings apart (before, all of them were left out), as much as the plain
// filter says it should.
TEST(StretchLikelihood, StretchesBegunWithEmptyStocksCarryTheSetting) {
  double truth = 0;
  for (int32_t setting = 1; setting <= 6; ++setting) {
    SCOPED_TRACE(setting);
    RunRecords records;
    EmptyStockRun(setting, 100 + static_cast<uint32_t>(setting), 20000, records);
    const SettingEstimate e = EstimateSetting(records);
    EXPECT_GT(e.UsedStretches, 20);
    const auto [low, high] = std::minmax_element(e.Probability.begin(), e.Probability.end());
    EXPECT_GT(*high - *low, 0.05);
    truth += e.Probability[static_cast<size_t>(setting - 1)] / 6;
  }
  EXPECT_GT(truth, 1.0 / 6);
}

// Stretches multiply: a run with empty-stock stretches in front of a run
// with full stocks gives the product of the two estimates, and the run with
// full stocks alone gives what the estimate gave before it read empty-stock
// stretches at all (the figures it printed then).
TEST(StretchLikelihood, WithoutTheEmptyStockStretchesTheOldAnswerComesBack) {
  RunRecords full;
  Played(77, 8000, 3, 255, 255, full);
  const std::array<double, 6> before = {0.08508807769733652, 0.14114373165246433,
                                        0.15923805265568164, 0.26000652415311687,
                                        0.22632302324502995, 0.12820059059637062};
  const SettingEstimate alone = EstimateSetting(full);
  ExpectSamePosterior(alone.Probability, before, 1e-12);

  // The empty-stock part ends with a REG without a 1G連: what follows it
  // starts with a drawn RT, as a reset with stocks in hand does.
  RunRecords both;
  EmptyStockRun(2, 31, 3000, both);
  const SettingEstimate front = EstimateSetting(both);
  EXPECT_GT(front.UsedStretches, 3);
  for (size_t i = 0; i < full.RowCount(); ++i) both.AppendRow(full.Row(i));
  const SettingEstimate joined = EstimateSetting(both);
  std::array<double, 6> product{};
  double total = 0;
  for (size_t s = 0; s < 6; ++s) total += product[s] = front.Probability[s] * before[s];
  for (double& p : product) p /= total;
  ExpectSamePosterior(joined.Probability, product, 1e-12);
  EXPECT_EQ(joined.UsedStretches, front.UsedStretches + alone.UsedStretches);
}

namespace {

// Rows no bonus can come out of (both stocks stay empty), with `role` on
// every `every`-th game; `cause` is what those games show in RTCancel.
void EmptyStretch(int32_t games, int32_t role, int32_t every, RunRecords& records,
                  int32_t cause = 0) {
  records.ClearRows();
  records.SetStartStocks(0, 0);
  for (int32_t g = 1; g <= games; ++g) {
    const bool marked = g % every == 0;
    records.AppendRow(testing_support::NormalRow(g, g, 0, marked ? role : 0, marked ? cause : 0));
  }
}

std::array<double, 6> LogLikelihood(const RunRecords& records) {
  std::array<double, 6> sum{};
  ScanStretches(records, [&](const SettingLikelihood& stretch) {
    for (size_t s = 0; s < 6; ++s) sum[s] += stretch.Log[s];
  });
  return sum;
}

}  // namespace

// The chances of a long stretch shrink far below the smallest double: they
// are kept scaled, however fast roles shrink them, and the running sums they
// are kept in do not drift. A 4-cherry B that cuts the RT on every other
// game, its one-game short RT running out unseen in between, shrinks them by
// e^-3.6 a game; one that cuts nothing on every game leaves only the RTs
// drawn within the last 31 games alive, shrinking the weights as fast; one
// that cuts nothing every 400 games makes a stretch whose likelihood falls
// by the same amount every 400 games once under way.
TEST(StretchLikelihood, LongStretchesNeitherUnderflowNorDrift) {
  RunRecords records;
  for (int32_t every : {2, 1}) {
    SCOPED_TRACE(every);
    EmptyStretch(3000, Code(Outcome::Cherry4B), every, records,
                 every == 2 ? Code(RtCancelCause::Cherry4B2) : 0);
    const std::array<double, 6> dense = LogLikelihood(records);
    const std::array<double, 6> plain = testing_support::PlainLogLikelihood(records);
    for (size_t s = 0; s < 6; ++s) {
      ASSERT_TRUE(std::isfinite(dense[s]));
      EXPECT_NEAR(dense[s], plain[s], 1e-9 * std::fabs(plain[s]));
    }
  }

  std::array<std::array<double, 6>, 3> sparse;
  for (int32_t k = 1; k <= 3; ++k) {
    EmptyStretch(100000 * k, Code(Outcome::Cherry4B), 400, records);
    sparse[static_cast<size_t>(k - 1)] = LogLikelihood(records);
  }
  for (size_t s = 0; s < 6; ++s) {
    const double first = sparse[1][s] - sparse[0][s];
    const double second = sparse[2][s] - sparse[1][s];
    ASSERT_TRUE(std::isfinite(second));
    EXPECT_LT(first, -300);
    EXPECT_NEAR(second, first, 1e-6 * std::fabs(first));
  }
}
