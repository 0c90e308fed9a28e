// Whether the hall's exact figures are what the machine does: one long run
// per setting from 255/255, watched for
// - play from G games after a BIG or a REG (the ハマリ table): the balance
//   to the end of the next bonus, and through its chain;
// - the quitting rule after a bonus (やめ時): stop at the first k normal
//   games without a bonus;
// - windows of N normal games: the variance of their balance against the
//   standard deviation per game, the payout rate against its 90 % and 95 %
//   bands, and the share that ends ahead against the normal approximation.
// Samples of one kind never overlap, so they are independent (the machine
// starts afresh at every bonus end). Prints Markdown tables of exact figure,
// simulated mean ± standard error and z. An ordinary program:
//
//   hall_check [normal games per setting] [threads]
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "HallPlay.h"
#include "LongRun.h"
#include "Slot.h"
#include "Volatility.h"

using namespace sorimu;
using namespace sorimu::theory;

namespace {

struct Meter {
  double n = 0, sum = 0, squares = 0;
  void Add(double x) {
    n += 1;
    sum += x;
    squares += x * x;
  }
  double Mean() const { return sum / n; }
  double Variance() const { return (squares - sum * sum / n) / (n - 1); }
  double Error() const { return std::sqrt(Variance() / n); }
};

// What one Play showed.
struct Step {
  bool normal = false;  // a normal game was played
  bool lineUp = false;  // ... and it lined up a bonus
  bool bonusEnded = false;
  int32_t since = 0;  // normal games since the last bonus
  int32_t medal = 0;
  int32_t bet = 0;
};

// Play from a moment on: from `since` games after a bonus of `kind` (or at
// its end, since 0), first to the end of the next bonus when `toBonusFirst`,
// then by the rule: stop at the first `quiet` normal games without a bonus.
struct Probe {
  size_t kind;
  int32_t since;
  bool toBonusFirst;
  int32_t quiet;
  Meter toBonus, total;

  enum class Phase { Idle, ToBonus, Counting, InBonus } phase = Phase::Idle;
  int32_t start = 0;
  int32_t count = 0;

  void See(const Step& step, std::optional<size_t> endedKind) {
    if (phase == Phase::Idle) {
      if (!endedKind || *endedKind != kind) return;
      const bool now =
          since == 0 ? step.bonusEnded : step.normal && !step.lineUp && step.since == since;
      if (!now) return;
      start = step.medal;
      count = 0;
      phase = toBonusFirst ? Phase::ToBonus : Phase::Counting;
      return;
    }
    if (step.bonusEnded) {
      if (phase == Phase::ToBonus) toBonus.Add(step.medal - start);
      phase = Phase::Counting;
      count = 0;
      return;
    }
    if (!step.normal || phase != Phase::Counting) return;
    if (step.lineUp) {
      phase = Phase::InBonus;
      return;
    }
    if (++count == quiet) {
      total.Add(step.medal - start);
      phase = Phase::Idle;
    }
  }
};

// Consecutive windows of N normal games.
struct Windows {
  int32_t games;
  Meter balance;
  double ahead = 0;
  std::array<double, 2> inBand{};  // 90 %, 95 %
  std::array<std::array<Real, 2>, 2> band{};
  int64_t medalStart = 0, bet = 0;
  int32_t played = 0;

  void See(const Step& step, int64_t medalNow) {
    bet += step.bet;
    if (!step.normal || ++played < games) return;
    const int64_t won = medalNow - medalStart;
    balance.Add(static_cast<double>(won));
    ahead += won > 0 ? 1 : 0;
    const double rate = static_cast<double>(won + bet) / static_cast<double>(bet);
    for (size_t b = 0; b < 2; ++b) {
      inBand[b] += rate >= band[b][0] && rate <= band[b][1] ? 1 : 0;
    }
    medalStart = medalNow;
    bet = 0;
    played = 0;
  }
};

struct SettingCheck {
  int setting = 0;
  std::vector<Probe> since, quit;
  std::vector<Windows> windows;
};

const int32_t kSince[] = {0, 100, 300, 700, 1000, 1300};
const int32_t kQuit[] = {1, 4, 30, 100, 200};
const int32_t kWindows[] = {1000, 8000, 100000};

SettingCheck Run(int setting, int64_t games) {
  SettingCheck check;
  check.setting = setting;
  const Volatility volatility = ComputeVolatility(DefaultCycleModel(setting));
  for (size_t kind = 0; kind < kKindCount; ++kind) {
    for (int32_t g : kSince) check.since.push_back({kind, g, true, kChainGames, {}, {}});
    for (int32_t k : kQuit) check.quit.push_back({kind, 0, false, k, {}, {}});
  }
  for (int32_t n : kWindows) {
    Windows w;
    w.games = n;
    w.band = {volatility.PayoutBand(n, kZ90), volatility.PayoutBand(n, kZ95)};
    check.windows.push_back(w);
  }
  Slot slot(static_cast<uint32_t>(20240 + setting));
  slot.SetFlevel(setting);
  slot.SetStock(kMaxStock, kMaxStock);
  slot.Reset();
  std::optional<size_t> endedKind, lineUpKind;
  int64_t medal = 0;  // 64 bits: a long run outgrows Medal
  int32_t lastMedal = slot.Medal;
  while (slot.PlayCount < games) {
    Step step;
    const bool bonusGame = slot.BonusEnd == 0 && slot.BonusKind != 0;
    if (!bonusGame) {
      step.bet = slot.LastOutcome == Code(Outcome::Replay) ? 0 : kNormalGameBet;
    } else {
      const bool roleGame = slot.BonusKind == Code(BonusKindCode::Big) && slot.JacMode == 0;
      step.bet = roleGame ? kBigGameBet : kJacGameBet;
    }
    slot.Play();
    medal +=
        static_cast<int32_t>(static_cast<uint32_t>(slot.Medal) - static_cast<uint32_t>(lastMedal));
    lastMedal = slot.Medal;
    step.normal = slot.BonusGames == 0;
    step.lineUp = step.normal && IsBonusOutcome(slot.LastOutcome);
    step.bonusEnded = slot.BonusEnd == 1;
    step.since = slot.GamesSinceBonus;
    step.medal = slot.Medal;
    if (step.lineUp) lineUpKind = slot.LastOutcome == Code(Outcome::BIG) ? kBig : kReg;
    if (step.bonusEnded) endedKind = lineUpKind;
    for (Probe& p : check.since) p.See(step, endedKind);
    for (Probe& p : check.quit) p.See(step, endedKind);
    for (Windows& w : check.windows) w.See(step, medal);
  }
  return check;
}

void Line(const char* what, Real exact, const Meter& m) {
  std::printf("| %s | %.2Lf | %.2f ± %.2f | %+.2f | %.0f |\n", what, exact, m.Mean(), m.Error(),
              (m.Mean() - static_cast<double>(exact)) / m.Error(), m.n);
}

void Report(const SettingCheck& c) {
  const SettingPlay play = DefaultSettingPlay(c.setting);
  const Volatility v = ComputeVolatility(*play.Model);
  std::printf(
      "\n#### Setting %d\n\n| figure | exact | simulated | z | samples |\n|---|---|---|---|---|\n",
      c.setting);
  for (const Probe& p : c.since) {
    const SinceFigures f = FiguresSince(play, p.kind, p.since);
    std::string what = std::string(p.kind == kBig ? "BIG" : "REG") + " +" +
                       std::to_string(p.since) + "G, to bonus";
    Line(what.c_str(), f.ToBonus, p.toBonus);
    what = std::string(p.kind == kBig ? "BIG" : "REG") + " +" + std::to_string(p.since) +
           "G, through chain";
    Line(what.c_str(), f.ThroughChain, p.total);
  }
  for (const Probe& p : c.quit) {
    const std::string what = std::string("quit after ") + (p.kind == kBig ? "BIG" : "REG") +
                             ", k = " + std::to_string(p.quiet);
    Line(what.c_str(), QuitValue(play, p.quiet)[p.kind], p.total);
  }
  std::printf(
      "\n| N | exact SD/√N | simulated SD/√N | 90 %% band holds | 95 %% band holds | ahead, normal "
      "approx. | ahead, simulated | windows |\n|---|---|---|---|---|---|---|---|\n");
  for (const Windows& w : c.windows) {
    const double n = w.balance.n;
    const double sd = std::sqrt(w.balance.Variance() / w.games);
    // The standard error of a variance estimate, as for normal samples.
    const double sdError = sd * std::sqrt(1.0 / (2 * (n - 1)));
    std::printf(
        "| %d | %.2Lf | %.2f ± %.2f | %.1f %% | %.1f %% | %.1Lf %% | %.1f ± %.1f %% | %.0f |\n",
        w.games, v.SdPerGame, sd, sdError, 100 * w.inBand[0] / n, 100 * w.inBand[1] / n,
        100 * v.AheadChance(w.games), 100 * w.ahead / n,
        100 * std::sqrt(w.ahead / n * (1 - w.ahead / n) / n), n);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int64_t games = argc > 1 ? std::atoll(argv[1]) : 100'000'000;
  const int threads = argc > 2 ? std::atoi(argv[2]) : 2;
  if (games < 1 || threads < 1) {
    std::fprintf(stderr, "usage: hall_check [normal games per setting] [threads]\n");
    return 2;
  }
  std::vector<SettingCheck> checks(kSettingCount);
  std::atomic<int> next{1};
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (int s = next++; s <= kSettingCount; s = next++)
        checks[static_cast<size_t>(s - 1)] = Run(s, games);
    });
  }
  for (std::thread& w : workers) w.join();
  std::printf("%lld normal games per setting from 255/255.\n", static_cast<long long>(games));
  for (const SettingCheck& c : checks) Report(c);
  return 0;
}
