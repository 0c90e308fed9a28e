#include "FreshRt.h"

#include <algorithm>
#include <cassert>

namespace sorimu::theory {

namespace {

// Chance per game that a role cuts an untouched RT, by the count left after
// the game's decrement: nothing below kCancelFloor, a 2-cherry, a pure miss
// or any 4-cherry B up to kCancelLotteryFrom - 1, and from there on a 4-cherry
// B only if it also wins the setting's cancel lottery.
struct CutChances {
  Real toOneGame = 0;  // 2-cherry or pure miss: the bonus comes on the next game
  Real lower = 0;      // any cut with kCancelFloor .. kCancelLotteryFrom - 1 left
  Real upper = 0;      // any cut with kCancelLotteryFrom or more left
};

// Game counts, as indices of the per-game vectors.
constexpr size_t kMax = kMaxRtGames;
constexpr size_t kFloor = kCancelFloor;
constexpr size_t kLotteryFrom = kCancelLotteryFrom;
constexpr size_t kOneGame = kOneGameRt;
constexpr size_t kShortMax = kMaxShortRt;

// a - b, or 0 where b is larger.
constexpr size_t Excess(size_t a, size_t b) { return a > b ? a - b : 0; }

std::vector<Real> Powers(Real base, size_t count) {
  std::vector<Real> powers(count + 1, 1);
  for (size_t i = 1; i <= count; ++i) powers[i] = powers[i - 1] * base;
  return powers;
}

// Adds the release games of one cut, on game `at`, of the given chance:
// either the very next game, or a short RT after it.
void AddCut(FreshRt& rt, const MachineOdds& odds, size_t at, Real oneGame, Real shortRt,
            RtCancelCause shortCause, Real cherry2Share) {
  rt.Games[at + kOneGame] += oneGame;
  rt.Cause[IndexOf(RtCancelCause::Cherry2)] += oneGame * cherry2Share;
  rt.Cause[IndexOf(RtCancelCause::Hazure)] += oneGame * (1 - cherry2Share);
  for (size_t games = 1; games <= kShortMax; ++games) {
    rt.Games[at + games] += shortRt * odds.ShortRt[games];
  }
  rt.Cause[IndexOf(shortCause)] += shortRt;
}

}  // namespace

// An RT drawn with c games meets, on its game k, c - k games left. Games with
// kCancelLotteryFrom or more left come first, each cut with chance `upper`;
// then up to kCancelLotteryFrom - kCancelFloor games with chance `lower`;
// then the last games, which nothing cuts. So the chance of reaching game k
// untouched is a product of two powers, and a cut on game k of the upper
// part needs only c >= k + kCancelLotteryFrom.
FreshRt ComputeFreshRt(const MachineOdds& odds, size_t mode) {
  assert(mode < kModeCount);
  const std::vector<Real>& length = odds.RtLength[mode];
  const Real cherry2 = odds.Role[IndexOf(Outcome::Cherry2)];
  const Real hazure = odds.Role[IndexOf(Outcome::Hazure)];
  const Real cherry4B = odds.Role[IndexOf(Outcome::Cherry4B)];
  CutChances cut;
  cut.toOneGame = cherry2 + hazure;
  cut.lower = cut.toOneGame + cherry4B;
  cut.upper = cut.toOneGame + cherry4B * odds.Cancel;
  const Real cherry2Share = cut.toOneGame > 0 ? cherry2 / cut.toOneGame : 0;

  constexpr size_t kLowerGames = kLotteryFrom - kFloor;
  // Room for a short RT after a cut on any game; trimmed to the longest
  // stretch that can happen once everything is in.
  FreshRt rt;
  rt.Games.assign(kMax + kOneGame + kShortMax + 1, 0);
  const std::vector<Real> keepUpper = Powers(1 - cut.upper, kMax);
  const std::vector<Real> keepLower = Powers(1 - cut.lower, kMax);

  // Longer-than suffix sums of the drawn count: P(c >= x).
  std::vector<Real> countAtLeast(kMax + 2, 0);
  for (size_t c = kMax; c >= 1; --c) countAtLeast[c] = countAtLeast[c + 1] + length[c];

  for (size_t c = 1; c <= kMax; ++c) {
    const size_t upperGames = Excess(c, kLotteryFrom);
    const size_t lowerGames = std::min(Excess(c, kFloor + upperGames), kLowerGames);
    const Real expired = length[c] * keepUpper[upperGames] * keepLower[lowerGames];
    rt.Games[c] += expired;
    rt.Cause[IndexOf(RtCancelCause::Expired)] += expired;
  }
  for (size_t k = 1; k + kLotteryFrom <= kMax; ++k) {
    const Real reach = keepUpper[k - 1] * countAtLeast[k + kLotteryFrom];
    AddCut(rt, odds, k, reach * cut.toOneGame, reach * cherry4B * odds.Cancel,
           RtCancelCause::Cherry4B1, cherry2Share);
  }
  // A cut on game k of the lower part: the RT had c in k + kCancelFloor ..
  // k + kCancelLotteryFrom - 1 games, and met k - upperGames(c) lower games.
  for (size_t k = 1; k + kFloor <= kMax; ++k) {
    Real reach = 0;
    const size_t last = std::min(kMax, k + kLotteryFrom - 1);
    for (size_t c = k + kFloor; c <= last; ++c) {
      // c < k + kLotteryFrom, so fewer than k upper games.
      const size_t upperGames = Excess(c, kLotteryFrom);
      reach += length[c] * keepUpper[upperGames] * keepLower[k - upperGames - 1];
    }
    AddCut(rt, odds, k, reach * cut.toOneGame, reach * cherry4B, RtCancelCause::Cherry4B2,
           cherry2Share);
  }

  while (rt.Games.size() > 1 && rt.Games.back() == 0) rt.Games.pop_back();
  const size_t longest = rt.Games.size() - 1;
  rt.AtLeast.assign(longest + 2, 0);
  for (size_t n = longest + 1; n-- > 0;) rt.AtLeast[n] = rt.AtLeast[n + 1] + rt.Games[n];
  for (size_t n = 1; n <= longest; ++n) rt.Mean += static_cast<Real>(n) * rt.Games[n];
  return rt;
}

}  // namespace sorimu::theory
