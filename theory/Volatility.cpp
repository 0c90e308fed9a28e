#include "Volatility.h"

#include <cassert>
#include <cmath>
#include <vector>

namespace sorimu::theory {

namespace {

// A cycle's medals paid, medals bet and normal games.
constexpr size_t kPaid = 0, kBet = 1, kGames = 2;
using Vec = std::array<Real, 3>;
using Mat = std::array<Vec, 3>;

Real Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Real Quadratic(const Mat& m, const Vec& c) {
  Real sum = 0;
  for (size_t i = 0; i < 3; ++i) sum += c[i] * Dot(m[i], c);
  return sum;
}

// Outcomes summed with their chances: the total chance, the sum of X and of
// X Xᵀ.
struct Moments {
  Real mass = 0;
  Vec first{};
  Mat second{};

  void AddScaled(const Moments& m, Real chance) {
    mass += chance * m.mass;
    for (size_t i = 0; i < 3; ++i) {
      first[i] += chance * m.first[i];
      for (size_t j = 0; j < 3; ++j) second[i][j] += chance * m.second[i][j];
    }
  }

  // Every outcome gains x.
  void Shift(const Vec& x) {
    for (size_t i = 0; i < 3; ++i) {
      for (size_t j = 0; j < 3; ++j)
        second[i][j] += x[i] * first[j] + first[i] * x[j] + mass * x[i] * x[j];
    }
    for (size_t i = 0; i < 3; ++i) first[i] += mass * x[i];
  }
};

// The rest of a stretch from the state before a normal game: the RT count
// left before the game's decrement, whether a role may still cut it, and
// whether the game before drew a replay (then this one takes no bet). A
// backward recursion over the count: a game moves to a smaller count, or a
// cut moves to a short RT (a cut state), and the transitions do not depend
// on time.
class StretchTable {
 public:
  explicit StretchTable(const MachineOdds& odds) : odds_(odds) {
    static_assert(RolePayout(Outcome::BIG) == RolePayout(Outcome::REG));
    for (size_t replay = 0; replay < 2; ++replay) {
      cut_[replay].assign(kMaxShortRt + 1, Moments{});
      untouched_[replay].assign(kMaxRtGames + 1, Moments{});
    }
    for (size_t count = 1; count <= kMaxShortRt; ++count) {
      for (size_t replay = 0; replay < 2; ++replay)
        cut_[replay][count] = Step(count, false, replay);
    }
    for (size_t replay = 0; replay < 2; ++replay) {
      for (size_t games = 1; games <= kMaxShortRt; ++games) {
        shortRt_[replay].AddScaled(cut_[replay][games], odds.ShortRt[games]);
      }
    }
    for (size_t count = 1; count <= kMaxRtGames; ++count) {
      for (size_t replay = 0; replay < 2; ++replay) {
        untouched_[replay][count] = Step(count, true, replay);
      }
    }
  }

  // A stretch of a fixed count that no role can cut (a 1G連 or 3G連), begun
  // after a bonus.
  const Moments& Fixed(int32_t games) const {
    assert(games >= 1 && games <= kMaxShortRt);
    return cut_[0][static_cast<size_t>(games)];
  }

  // An RT drawn afresh in this mode, begun after a bonus or a reset.
  Moments Fresh(size_t mode) const {
    Moments m;
    const std::vector<Real>& length = odds_.RtLength[mode];
    for (size_t count = 1; count < length.size(); ++count) {
      if (length[count] > 0) m.AddScaled(untouched_[0][count], length[count]);
    }
    return m;
  }

 private:
  const Moments& Next(size_t count, bool untouched, size_t replay) const {
    return untouched ? untouched_[replay][count] : cut_[replay][count];
  }

  Moments Step(size_t count, bool untouched, size_t replay) const {
    const Real bet = replay == 1 ? 0 : kNormalGameBet;
    const size_t left = count - 1;
    Moments m;
    if (left == 0) {
      m.mass = 1;
      m.Shift({kLineUpPayout, bet, 1});
      return m;
    }
    const bool cuttable = untouched && left >= static_cast<size_t>(kCancelFloor);
    for (size_t role = 0; role < odds_.Role.size(); ++role) {
      const Real chance = odds_.Role[role];
      if (chance == 0) continue;
      const Outcome drawn = static_cast<Outcome>(role);
      const size_t replayAfter = drawn == Outcome::Replay ? 1 : 0;
      Moments after;
      if (cuttable && (drawn == Outcome::Cherry2 || drawn == Outcome::Hazure)) {
        after = Next(kOneGameRt, false, replayAfter);
      } else if (cuttable && drawn == Outcome::Cherry4B) {
        if (left >= static_cast<size_t>(kCancelLotteryFrom)) {
          after.AddScaled(shortRt_[replayAfter], odds_.Cancel);
          after.AddScaled(Next(left, true, replayAfter), 1 - odds_.Cancel);
        } else {
          after = shortRt_[replayAfter];
        }
      } else {
        after = Next(left, untouched, replayAfter);
      }
      after.Shift({static_cast<Real>(RolePayout(drawn)), bet, 1});
      m.AddScaled(after, chance);
    }
    return m;
  }

  const MachineOdds& odds_;
  std::array<std::vector<Moments>, 2> cut_;
  std::array<std::vector<Moments>, 2> untouched_;
  std::array<Moments, 2> shortRt_{};
};

// One cycle, from the first game of a bonus of a given kind to the line-up
// of the next: its moments, and the means split by the kind that follows.
struct Cycle {
  Vec mean{};
  Mat square{};
  std::array<Vec, kKindCount> toKind{};
  std::array<Real, kKindCount> chanceTo{};
};

// The bonus and the stretch after it are independent once it is known
// whether the bonus ended with a 1G連 due; only the bonus's pay tells that.
Cycle CycleAfter(const CycleModel& model, const StretchTable& table, size_t kind) {
  const BonusFigures& bonus = model.Bonus[kind];
  const AfterBonus& after = model.After[kind];
  // The bonus's part: its means over the bonuses with and without a 1G連.
  const Real noRen = 1 - bonus.RenChance;
  const Vec withRen{bonus.Paid - bonus.PaidNoRen, bonus.Bet - bonus.BetNoRen, 0};
  const Vec withoutRen{bonus.PaidNoRen, bonus.BetNoRen, 0};

  Cycle cycle;
  cycle.mean = {bonus.Paid, bonus.Bet, 0};
  cycle.square[kPaid][kPaid] = bonus.PaidSquare;
  cycle.square[kPaid][kBet] = cycle.square[kBet][kPaid] = bonus.PaidBet;
  cycle.square[kBet][kBet] = bonus.BetSquare;
  // A stretch of chance `chance` among all cycles, after a bonus with or
  // without the 1G連 flag, ending in a bonus of kind `next`.
  auto add = [&](const Moments& stretch, Real chance, bool ren, size_t next) {
    const Vec& bonusPart = ren ? withRen : withoutRen;
    const Real flagChance = ren ? bonus.RenChance : noRen;
    const Real given = flagChance > 0 ? chance / flagChance : 0;  // P(stretch | flag)
    cycle.chanceTo[next] += chance;
    for (size_t i = 0; i < 3; ++i) {
      const Real stretchMean = stretch.first[i] / stretch.mass;
      cycle.mean[i] += chance * stretchMean;
      cycle.toKind[next][i] += given * bonusPart[i] + chance * stretchMean;
      for (size_t j = 0; j < 3; ++j) {
        cycle.square[i][j] += given * (bonusPart[i] * stretch.first[j] / stretch.mass +
                                       stretch.first[i] / stretch.mass * bonusPart[j]) +
                              chance * stretch.second[i][j] / stretch.mass;
      }
    }
  };
  for (const ChainedRelease& chain : after.Chains) {
    add(table.Fixed(chain.Games), chain.Chance, chain.Cause == RtCancelCause::Ren1G, chain.Kind);
  }
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    add(table.Fresh(mode), after.Fresh * model.Odds.Mode(mode), false, mode);
  }
  return cycle;
}

// The asymptotic variance per normal game of the sum of c·X over the cycles:
// the cycles' own spread plus their covariances through the kinds. With
// m(k) the mean of the centred reward of a cycle begun by kind k (zero
// under the stationary shares), the covariance with the j-th later cycle is
// λ^(j-1) times that with the next, λ the chain's second eigenvalue.
Real VariancePerGame(const std::array<Cycle, kKindCount>& cycles,
                     const std::array<Real, kKindCount>& share, Vec c) {
  Real reward = 0, games = 0;
  for (size_t k = 0; k < kKindCount; ++k) {
    reward += share[k] * Dot(cycles[k].mean, c);
    games += share[k] * cycles[k].mean[kGames];
  }
  c[kGames] -= reward / games;  // centred: no drift left
  const Real lambda = 1 - cycles[kBig].chanceTo[kReg] - cycles[kReg].chanceTo[kBig];
  std::array<Real, kKindCount> m{};
  for (size_t k = 0; k < kKindCount; ++k) m[k] = Dot(cycles[k].mean, c);
  Real own = 0, later = 0;
  for (size_t k = 0; k < kKindCount; ++k) {
    own += share[k] * Quadratic(cycles[k].square, c);
    for (size_t l = 0; l < kKindCount; ++l) later += share[k] * Dot(cycles[k].toKind[l], c) * m[l];
  }
  return (own + 2 * later / (1 - lambda)) / games;
}

}  // namespace

std::array<Real, 2> Volatility::PayoutBand(int64_t games, Real z) const {
  const Real spread = z * PayoutSdPerGame / (BetPerGame * std::sqrt(static_cast<Real>(games)));
  return {Payout - spread, Payout + spread};
}

Real Volatility::AheadChance(int64_t games) const {
  const Real n = static_cast<Real>(games);
  return 0.5L * std::erfc(-BalancePerGame * n / (SdPerGame * std::sqrt(2 * n)));
}

Volatility ComputeVolatility(const CycleModel& model) {
  const StretchTable table(model.Odds);
  const std::array<Cycle, kKindCount> cycles = {CycleAfter(model, table, kBig),
                                                CycleAfter(model, table, kReg)};
  const Real toReg = cycles[kBig].chanceTo[kReg];
  const Real toBig = cycles[kReg].chanceTo[kBig];
  const std::array<Real, kKindCount> share = {toBig / (toBig + toReg), toReg / (toBig + toReg)};
  Vec mean{};
  for (size_t k = 0; k < kKindCount; ++k) {
    for (size_t i = 0; i < 3; ++i) mean[i] += share[k] * cycles[k].mean[i];
  }
  Volatility v;
  v.Setting = model.Odds.Setting;
  v.BalancePerGame = (mean[kPaid] - mean[kBet]) / mean[kGames];
  v.BetPerGame = mean[kBet] / mean[kGames];
  v.Payout = mean[kPaid] / mean[kBet];
  v.SdPerGame = std::sqrt(VariancePerGame(cycles, share, {1, -1, 0}));
  v.PayoutSdPerGame = std::sqrt(VariancePerGame(cycles, share, {1, -v.Payout, 0}));
  return v;
}

StretchSpread FreshStretchSpread(const CycleModel& model, size_t mode) {
  const Moments m = StretchTable(model.Odds).Fresh(mode);
  return {m.first[kGames] / m.mass, m.second[kGames][kGames] / m.mass, m.first[kPaid] / m.mass,
          m.second[kPaid][kPaid] / m.mass, m.first[kBet] / m.mass};
}

}  // namespace sorimu::theory
