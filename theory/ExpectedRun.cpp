#include "ExpectedRun.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <memory>
#include <mutex>

#include "LongRun.h"
#include "StockBound.h"
#include "WideVectors.h"

namespace sorimu::theory {

namespace {

// Once every value that later ones are built from lies within this share of
// its long-run value, so do all later ones, and the rest of the line is
// straight.
constexpr Real kSettled = 1e-15L;

// Sum of a[i] * b[i] over i < count, with eight partial sums in doubles that
// the compiler keeps in vector registers: the sums' inner loop, where the
// exact figures spend their time.
SORIMU_WIDE_VECTORS double DotProduct(const double* a, const double* b, size_t count) {
  std::array<double, 8> lanes{};
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    for (size_t j = 0; j < 8; ++j) lanes[j] += a[i + j] * b[i + j];
  }
  double sum = ((lanes[0] + lanes[4]) + (lanes[1] + lanes[5])) +
               ((lanes[2] + lanes[6]) + (lanes[3] + lanes[7]));
  for (; i < count; ++i) sum += a[i] * b[i];
  return sum;
}

// What game k adds, given the chances that it and the game before line up
// each kind of bonus.
struct GameStep {
  Real balance = 0;
  Real bets = 0;
};

GameStep Step(const CycleModel& model, const std::array<Real, kKindCount>& now,
              const std::array<Real, kKindCount>& before, Real bet) {
  const MachineOdds& odds = model.Odds;
  GameStep step;
  const Real pay = now[kBig] * RolePayout(Outcome::BIG) + now[kReg] * RolePayout(Outcome::REG) +
                   (1 - now[kBig] - now[kReg]) * odds.RolePay;
  step.balance = pay - bet;
  step.bets = bet;
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    step.balance += before[kind] * model.Bonus[kind].Net();
    step.bets += before[kind] * model.Bonus[kind].Bet;
  }
  return step;
}

// The game before a normal game shows its own role, a replay with the role's
// chance, unless it lined up a bonus (whose games came in between).
Real NormalBet(const CycleModel& model, const std::array<Real, kKindCount>& before) {
  return kNormalGameBet * (1 - model.Odds.Replay() * (1 - before[kBig] - before[kReg]));
}

// Renewal equations over the normal games: release[kind][k] is the chance
// that game k lines up a bonus of that kind, and fresh[t] the chance that a
// freshly drawn RT begins with game t + 1 (t = 0: the one Reset draws). A
// release comes either from a fresh RT, by its mode's game distribution, or
// from a chain a fixed number of games after an earlier release.
//
// Every value is a positive combination of earlier ones that the long-run
// rates solve exactly, so the largest relative deviation from them over the
// last `window` values never grows. Once it is below kSettled, the rest of the
// line follows from the long-run rates.
//
// None of it depends on the start stocks, and a first game without a bet
// only moves every later figure by that bet, so a course is worked out for a
// first game that bets and carried on as far as anyone asks.
class Course {
 public:
  explicit Course(const CycleModel& model);

  // Works the sums out up to `games`, or until they settle.
  void ExtendTo(int32_t games);
  ExpectedRun Run(const RunStart& start, int32_t games, Real leaveBound) const;

 private:
  // Sum over d = 1..last of the deviation of fresh RTs d games before game k
  // times the mode's chance of d games.
  double DeviationSum(size_t mode, size_t k, size_t last) const;

  const CycleModel& model_;
  std::array<Real, kKindCount> settled_{};
  Real settledFresh_ = 0;
  size_t window_ = 0;
  // Each mode's game distribution, times the mode's chance, in double; and
  // its running sums in full, by games.
  std::array<std::vector<double>, kKindCount> kernel_;
  // The same, last game first, so that a sum over earlier games reads both
  // vectors forwards.
  std::array<std::vector<double>, kKindCount> reversedKernel_;
  std::array<std::vector<Real>, kKindCount> kernelUpTo_;
  std::array<std::vector<Real>, kKindCount> release_;
  std::vector<Real> fresh_;
  // fresh_ less its long-run value: what the sums take a product of, in
  // double. Their rounding then shrinks with the deviation itself, which
  // is all that is left once the course nears its long-run rates.
  std::vector<double> freshDeviation_;
  std::vector<Real> balance_;
  std::vector<Real> bets_;
  std::vector<Real> calmDeviation_;  // of the calm values up to each game
  size_t calm_ = 0;
  bool settledAt_ = false;
  Real sensitivity_ = 0;
  GameStep stepAfter_;
};

Course::Course(const CycleModel& model) : model_(model) {
  int32_t longestChain = 0;
  for (const AfterBonus& after : model.After) {
    for (const ChainedRelease& chain : after.Chains)
      longestChain = std::max(longestChain, chain.Games);
  }
  size_t width = 0;
  for (size_t mode = 0; mode < kModeCount; ++mode) {
    const std::vector<Real>& games = model.Fresh[mode].Games;
    width = std::max(width, games.size());
    kernel_[mode].resize(games.size());
    kernelUpTo_[mode].resize(games.size());
    Real sum = 0;
    for (size_t n = 0; n < games.size(); ++n) {
      const Real chance = model.Odds.Mode(mode) * games[n];
      kernel_[mode][n] = static_cast<double>(chance);
      if (n > 0) sum += chance;  // never on game 0
      kernelUpTo_[mode][n] = sum;
    }
  }
  for (size_t mode = 0; mode < kModeCount; ++mode)
    reversedKernel_[mode].assign(kernel_[mode].rbegin(), kernel_[mode].rend());
  window_ = std::max(width, static_cast<size_t>(longestChain) + 1);
  const LongRunFigures longRun = ComputeLongRun(model);
  settled_ = {longRun.BigPerGame, longRun.RegPerGame};
  settledFresh_ =
      settled_[kBig] * model.After[kBig].Fresh + settled_[kReg] * model.After[kReg].Fresh;

  for (std::vector<Real>& r : release_) r.assign(1, 0);
  fresh_.assign(1, model.AtStart.Fresh);
  freshDeviation_.assign(1, static_cast<double>(model.AtStart.Fresh - settledFresh_));
  balance_.assign(1, 0);
  bets_.assign(1, 0);
  calmDeviation_.assign(1, 0);

  stepAfter_ = Step(model, settled_, settled_, NormalBet(model, settled_));
  // How far one game's amounts can move when each chance moves by its share.
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    const Real linePay = RolePayout(kind == kBig ? Outcome::BIG : Outcome::REG);
    sensitivity_ += settled_[kind] * (std::fabs(linePay - model.Odds.RolePay) +
                                      kNormalGameBet * model.Odds.Replay() +
                                      std::fabs(model.Bonus[kind].Net()) + model.Bonus[kind].Bet);
  }
}

double Course::DeviationSum(size_t mode, size_t k, size_t last) const {
  // Games k - last .. k - 1, against the kernel's entries last .. 1.
  const std::vector<double>& kernel = reversedKernel_[mode];
  return DotProduct(freshDeviation_.data() + (k - last), kernel.data() + (kernel.size() - 1 - last),
                    last);
}

void Course::ExtendTo(int32_t games) {
  while (!settledAt_ && fresh_.size() <= static_cast<size_t>(games)) {
    const size_t k = fresh_.size();
    std::array<Real, kKindCount> now{};
    for (size_t mode = 0; mode < kModeCount; ++mode) {
      const size_t last = std::min(k, kernel_[mode].size() - 1);
      // The long-run part of every earlier fresh RT at once, then the
      // deviations, which only ever move the figure by their own small share.
      now[mode] =
          settledFresh_ * kernelUpTo_[mode][last] + static_cast<Real>(DeviationSum(mode, k, last));
    }
    for (size_t from = 0; from < kKindCount; ++from) {
      for (const ChainedRelease& chain : model_.After[from].Chains) {
        const size_t chainGames = static_cast<size_t>(chain.Games);
        if (k > chainGames) now[chain.Kind] += release_[from][k - chainGames] * chain.Chance;
      }
    }
    const std::array<Real, kKindCount> before = {release_[kBig][k - 1], release_[kReg][k - 1]};
    const Real bet = k == 1 ? kNormalGameBet : NormalBet(model_, before);
    const GameStep step = Step(model_, now, before, bet);
    balance_.push_back(balance_.back() + step.balance);
    bets_.push_back(bets_.back() + step.bets);
    for (size_t kind = 0; kind < kKindCount; ++kind) release_[kind].push_back(now[kind]);
    fresh_.push_back(now[kBig] * model_.After[kBig].Fresh + now[kReg] * model_.After[kReg].Fresh);
    freshDeviation_.push_back(static_cast<double>(fresh_.back() - settledFresh_));

    const Real deviation = std::max(std::fabs(now[kBig] / settled_[kBig] - 1),
                                    std::fabs(now[kReg] / settled_[kReg] - 1));
    if (deviation <= kSettled) {
      calmDeviation_.push_back(std::max(calmDeviation_.back(), deviation));
      if (++calm_ >= window_ && k > window_) settledAt_ = true;
    } else {
      calm_ = 0;
      calmDeviation_.push_back(0);
    }
  }
}

ExpectedRun Course::Run(const RunStart& start, int32_t games, Real leaveBound) const {
  const size_t worked = fresh_.size() - 1;
  assert(settledAt_ || worked >= static_cast<size_t>(games));
  ExpectedRun run;
  run.Games = games;
  run.ExactGames = static_cast<int32_t>(std::min(worked, static_cast<size_t>(games)));
  const auto end = static_cast<std::ptrdiff_t>(run.ExactGames) + 1;
  run.Balance.assign(balance_.begin(), balance_.begin() + end);
  run.Bets.assign(bets_.begin(), bets_.begin() + end);
  if (!start.FirstGameBets) {
    // The first game's bet was never taken, from that game on.
    for (size_t n = 1; n < run.Balance.size(); ++n) {
      run.Balance[n] += kNormalGameBet;
      run.Bets[n] -= kNormalGameBet;
    }
  }
  run.BalanceSlope = stepAfter_.balance;
  run.BetSlope = stepAfter_.bets;
  run.SlopeError = calmDeviation_[static_cast<size_t>(run.ExactGames)] * sensitivity_;
  run.LeaveBound = leaveBound;
  return run;
}

}  // namespace

std::optional<std::string> CheckExpectedRun(const RunStart& start, int32_t games) {
  if (games < 1) return "Play数は、1以上にしてください。";
  if (start.BigStock < 0 || start.BigStock > kMaxStock)
    return "BIGストック数は、0～255にしてください。";
  if (start.RegStock < 0 || start.RegStock > kMaxStock)
    return "REGストック数は、0～255にしてください。";
  return std::nullopt;
}

Real ExpectedRun::BalanceAt(int32_t games) const {
  assert(games >= 0 && games <= Games);
  if (games <= ExactGames) return Balance[static_cast<size_t>(games)];
  return Balance[static_cast<size_t>(ExactGames)] + BalanceSlope * (games - ExactGames);
}

Real ExpectedRun::BetsAt(int32_t games) const {
  assert(games >= 0 && games <= Games);
  if (games <= ExactGames) return Bets[static_cast<size_t>(games)];
  return Bets[static_cast<size_t>(ExactGames)] + BetSlope * (games - ExactGames);
}

Real ExpectedRun::PayoutRate(int32_t games) const {
  const Real bets = BetsAt(games);
  return (bets + BalanceAt(games)) / bets;
}

ExpectedRun ComputeExpectedRun(const CycleModel& model, const RunStart& start, int32_t games) {
  Course course(model);
  course.ExtendTo(games);
  return course.Run(start, games,
                    RunLeaveBound(ComputeStockBound(model), start.BigStock, start.RegStock, games));
}

ExpectedRun DefaultExpectedRun(int setting, const RunStart& start, int32_t games) {
  assert(IsSettingLevel(setting));
  struct Kept {
    std::mutex mutex;
    std::unique_ptr<Course> course;
  };
  static std::array<Kept, kSettingCount> kept;
  Kept& mine = kept[SettingIndex(setting)];
  const Real leave =
      RunLeaveBound(DefaultStockBound(setting), start.BigStock, start.RegStock, games);
  const std::lock_guard lock(mine.mutex);
  if (!mine.course) mine.course = std::make_unique<Course>(DefaultCycleModel(setting));
  mine.course->ExtendTo(games);
  return mine.course->Run(start, games, leave);
}

}  // namespace sorimu::theory
