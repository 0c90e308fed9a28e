#include "PlainStretchLaw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "MachineRules.h"
#include "RangeClasses.h"
#include "Slot.h"

using namespace sorimu;

namespace testing_support {

namespace {

constexpr int kLongest = 1490 + 40;  // room for a short RT after a late cut

// The share of the draws 0..width-1 that Pick maps to `index` (the entry
// count: beyond every weight).
double Share(const Rate_TBL<int>& table, size_t index, int width) {
  int64_t low = 0;
  for (size_t i = 0; i < index && i < table.size(); ++i) low += table[i];
  const int64_t high = index < table.size() ? low + table[index] : width;
  return static_cast<double>(std::clamp<int64_t>(high, 0, width) -
                             std::clamp<int64_t>(low, 0, width)) /
         width;
}

template <size_t N>
std::vector<double> Counts(const Rate_TBL<int>& table, const RangeClass (&classes)[N]) {
  std::vector<double> counts(kLongest + 1, 0);
  for (size_t index = 0; index <= table.size(); ++index) {
    const RangeClass range = classes[std::min(index, N - 1)];
    const int width = range.width == 0 ? 1 : range.width;
    for (int g = 0; g < width; ++g)
      counts[static_cast<size_t>(range.base + g)] += Share(table, index, 256) / width;
  }
  return counts;
}

double Binomial(int n, int k, double p) {
  double c = 1;
  for (int i = 0; i < k; ++i) c = c * (n - i) / (i + 1);
  return c * std::pow(p, k) * std::pow(1 - p, n - k);
}

struct Hidden {
  // [mode][count]: RTs no role has cut, and cut ones (or chains).
  std::array<std::vector<double>, 2> untouched, cut;
  Hidden() {
    for (auto* side : {&untouched, &cut}) {
      for (auto& counts : *side) counts.assign(kLongest + 1, 0);
    }
  }
};

}  // namespace

PlainStretchLaws PlainLaws(int setting) {
  const Slot slot(0);
  const double cherry = Share(slot.FlagTbl, 0, 65536);
  const double cherry2 = cherry * Share(slot.CherryTbl, 0, 256);
  const double cherry4B = cherry * Share(slot.CherryTbl, 2, 256);
  const double hazure = Share(slot.FlagTbl, 4, 65536);
  const double cancel = Share(slot.CancelTblFor(setting), 0, 256);
  const double mode0 = Share(slot.ModeTbl, 0, 256);
  const double ren3 = Share(slot.Ren3Tbl, 0, 256);
  const double jacWin = Share(slot.JacTbl, 0, 65536);
  const std::vector<double> shortRt = Counts(slot.ShortRtTbl, kShortRtClasses);
  const std::array<std::vector<double>, 2> fresh = {
      Counts(slot.Mode0RtTblFor(setting), kRtLottery0Classes),
      Counts(slot.Mode1RtTblFor(setting), kRtLottery1Classes)};

  // A BIG ends without a 1G連 only with no pure miss in its 30 small-role
  // games, three full sets (two JAC-INs in games 1..29 and one on game 30, or
  // three or more and any role on game 30) and no JAC game missed.
  const double h = Share(slot.BigHazureTbl, 0, 65536);
  const double a = 1 - Share(slot.BigGameTbl, 0, 256);
  double atLeast3 = 1;
  for (int k = 0; k < 3; ++k) atLeast3 -= Binomial(29, k, a);
  const double bigRen =
      1 - std::pow(1 - h, 30) * (Binomial(29, 2, a) * a + atLeast3) * std::pow(jacWin, 24);
  const double regRen = 1 - std::pow(jacWin, 8);

  PlainStretchLaws laws;
  for (size_t after = 0; after < 3; ++after) {
    Hidden now;
    const double ren = after == 0 ? bigRen : after == 1 ? regRen : 0;
    now.cut[0][1] += ren;
    for (size_t mode = 0; mode < 2; ++mode) {
      const double share = (1 - ren) * (mode == 0 ? mode0 : 1 - mode0);
      const double chain = after == 0 ? ren3 : 0;
      now.cut[mode][mode == 0 ? 4 : 3] += share * chain;
      for (size_t c = 1; c <= kLongest; ++c)
        now.untouched[mode][c] += share * (1 - chain) * fresh[mode][c];
    }
    for (auto& games : laws.Games[after]) games.assign(kLongest + 1, 0);
    for (size_t game = 1; game <= kLongest; ++game) {
      Hidden next;
      for (size_t mode = 0; mode < 2; ++mode) {
        double shortCut = 0;
        for (size_t count = 1; count <= kLongest; ++count) {
          const size_t left = count - 1;
          const double cutMass = now.cut[mode][count];
          const double freshMass = now.untouched[mode][count];
          if (left == 0) {
            laws.Games[after][mode][game] += cutMass + freshMass;
            continue;
          }
          next.cut[mode][left] += cutMass;
          if (left < 32) {
            next.untouched[mode][left] += freshMass;
            continue;
          }
          const double fourB = left >= 129 ? cherry4B * cancel : cherry4B;
          next.cut[mode][1] += freshMass * (cherry2 + hazure);
          shortCut += freshMass * fourB;
          next.untouched[mode][left] += freshMass * (1 - cherry2 - hazure - fourB);
        }
        for (size_t s = 1; s < shortRt.size(); ++s) next.cut[mode][s] += shortCut * shortRt[s];
      }
      now = next;
    }
  }
  return laws;
}

double PlainHistoryLogLikelihood(const BonusHistory& history, const PlainStretchLaws& laws) {
  double log = 0;
  int after = history.FromStart ? 2 : -1;
  for (const HistoryBonus& bonus : history.Bonuses) {
    if (after >= 0 && !bonus.StockMayHaveRunOut) {
      const std::vector<double>& games = laws.Games[static_cast<size_t>(after)][bonus.Kind];
      const size_t n = static_cast<size_t>(bonus.Games);
      log += std::log(n < games.size() ? games[n] : 0.0);
    }
    after = static_cast<int>(bonus.Kind);
  }
  if (after >= 0 && history.OpenGames && *history.OpenGames > 0) {
    double within = 0;
    for (const auto& games : laws.Games[static_cast<size_t>(after)]) {
      for (int n = 1; n <= *history.OpenGames && n < static_cast<int>(games.size()); ++n) {
        within += games[static_cast<size_t>(n)];
      }
    }
    log += std::log(1 - within);
  }
  return log;
}

}  // namespace testing_support
