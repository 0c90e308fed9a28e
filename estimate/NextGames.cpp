#include "NextGames.h"

#include <atomic>
#include <cmath>
#include <new>
#include <optional>
#include <vector>

#include "LongRun.h"
#include "MachineRules.h"
#include "ManyRunAnalysis.h"
#include "Messages.h"
#include "RunFigures.h"
#include "RunState.h"
#include "Slot.h"

namespace sorimu {

namespace {

// A uniform draw in [0, 1) from the top 53 bits.
double Uniform(uint64_t bits) { return static_cast<double>(bits >> 11) * 0x1.0p-53; }

// Play calls between two looks at the cancel flag: well under a millisecond.
constexpr int32_t kGamesPerCheck = 4096;
// The most games one bonus takes: every small-role game of a BIG and every
// JAC game of its sets. A machine placed in a state no machine reaches (a
// damaged file's counters) may never end its bonus; a draw that plays more
// bonus games in a row than this never will, and is stopped.
constexpr int32_t kMostBonusGames = kBigRoleGames + kMaxJacGames;

// Draws take their own random values and write to their own slots, so no
// thread shares anything with another and the figures do not depend on
// which thread played which draw.
struct Draws {
  const NextGamesRequest* request;
  const RunState* state;
  std::array<double, kSettingCount> cumulative{};  // of the settings' probabilities
  const std::vector<int32_t>* checkpoints;
  std::vector<int32_t>* finals;
  std::vector<int32_t>* along;
  std::vector<int32_t>* settings;
  Job* job;
  std::atomic<int64_t> done{0};
  std::atomic<bool> unplayable{false};

  int32_t SettingOf(double u) const {
    for (int32_t level = 1; level < kSettingCount; ++level) {
      if (u < cumulative[SettingIndex(level)]) return level;
    }
    return kSettingCount;
  }

  // False when the draw was cancelled or cannot be played on.
  bool Play(int64_t draw) {
    const uint64_t key = SplitMix64(SplitMix64(request->Seed) ^ static_cast<uint64_t>(draw));
    const int32_t setting = SettingOf(Uniform(SplitMix64(key + 1)));
    Slot slot(static_cast<uint32_t>(key >> 32));
    PlaceMachine(slot, *state, setting, Uniform(SplitMix64(key + 2)), Uniform(SplitMix64(key + 3)));
    const size_t points = checkpoints->size();
    int32_t* out = along->data() + static_cast<size_t>(draw) * points;
    size_t k = 0;
    int32_t untilCheck = kGamesPerCheck;
    int32_t bonusGamesInRow = 0;
    int32_t counted = slot.PlayCount;
    while (slot.PlayCount < request->Games) {
      if (--untilCheck == 0) {
        untilCheck = kGamesPerCheck;
        job->Advance(slot.PlayCount - counted);
        counted = slot.PlayCount;
        if (job->Cancelled()) return false;
      }
      const int32_t before = slot.PlayCount;
      slot.Play();
      if (slot.PlayCount != before) {
        bonusGamesInRow = 0;
      } else if (++bonusGamesInRow > kMostBonusGames) {
        unplayable.store(true, std::memory_order_relaxed);
        return false;
      }
      if (slot.BonusGames == 0 && k < points && slot.PlayCount == (*checkpoints)[k]) {
        out[k++] = slot.Medal;
      }
    }
    job->Advance(slot.PlayCount - counted);
    (*finals)[static_cast<size_t>(draw)] = slot.Medal;
    (*settings)[static_cast<size_t>(draw)] = setting;
    return true;
  }

  void Work(int64_t draw) {
    if (unplayable.load(std::memory_order_relaxed) || !Play(draw)) return;
    done.fetch_add(1, std::memory_order_relaxed);
    job->AdvanceParts();
  }
};

}  // namespace

Status CheckNextGamesRequest(const NextGamesRequest& r) {
  const char* message = nullptr;
  if (r.Games < 1 || r.Games > kMaxNextGames) {
    message = kNextGamesRangeMessage;
  } else if (r.Draws < 1 || r.Draws > kMaxNextDraws) {
    message = kNextDrawsRangeMessage;
  } else if (r.Jobs < 0 || r.Jobs > kMaxJobs) {
    message = kJobsRangeMessage;
  } else if (!IsValidPrior(r.Prior)) {
    message = kPriorMessage;
  }
  return message == nullptr ? Status{} : Status::Fail(StatusKind::BadInput, message);
}

NextGamesOutcome PredictNextGames(const RunRecords& records, const NextGamesRequest& request) {
  Job job;
  return PredictNextGames(records, request, job);
}

NextGamesOutcome PredictNextGames(const RunRecords& records, const NextGamesRequest& request,
                                  Job& job, const SettingEstimate* weighed) {
  NextGamesOutcome outcome;
  outcome.status = CheckNextGamesRequest(request);
  if (!outcome.status.Ok()) return outcome;
  NextGamesPrediction& p = outcome.Prediction;
  p.Request = request;
  auto cancelled = [] {
    NextGamesOutcome stopped;
    stopped.status = Status::Fail(StatusKind::Cancelled, "");
    return stopped;
  };

  try {
    if (weighed != nullptr) {
      p.Estimate = Reweigh(*weighed, request.Prior);
    } else {
      std::optional<SettingEstimate> estimate = EstimateSetting(records, request.Prior, job);
      if (!estimate) return cancelled();
      p.Estimate = *std::move(estimate);
    }
    const RunState state = ReadRunState(records, &job);
    if (job.Cancelled()) return cancelled();
    const std::vector<int32_t> checkpoints = FanCheckpoints(request.Games, request.Draws);
    const size_t draws = static_cast<size_t>(request.Draws);
    std::vector<int32_t> finals(draws), along(draws * checkpoints.size()), settings(draws);

    Draws work;
    work.request = &request;
    work.state = &state;
    double sum = 0;
    for (size_t s = 0; s < kSettingCount; ++s)
      work.cumulative[s] = sum += p.Estimate.Probability[s];
    work.checkpoints = &checkpoints;
    work.finals = &finals;
    work.along = &along;
    work.settings = &settings;
    work.job = &job;
    job.SetDone(0);
    job.SetTotal(int64_t{request.Games} * request.Draws);
    job.SetPartsTotal(request.Draws);
    p.Request.Jobs =
        job.ParallelFor(request.Draws, request.Jobs, [&work](int64_t i) { work.Work(i); });
    if (work.unplayable.load()) {
      outcome = NextGamesOutcome{};
      outcome.status = Status::Fail(StatusKind::BadInput, kPredictionUnplayableMessage);
      return outcome;
    }
    if (work.done.load() != request.Draws) return cancelled();
    int64_t ahead = 0;
    std::vector<double> values(draws);
    for (size_t i = 0; i < draws; ++i) {
      values[i] = finals[i];
      ahead += finals[i] > 0 ? 1 : 0;
      ++p.DrawsPerSetting[SettingIndex(settings[i])];
    }
    p.Balance = SummariseValues(values);
    p.BalanceYen = p.Balance.Scaled(kYenPerMedal);
    p.MeanError = p.Balance.Sd / std::sqrt(static_cast<double>(draws));
    p.AheadChance = static_cast<double>(ahead) / static_cast<double>(draws);
    p.Fan = BandsOf(checkpoints, along);
    const std::vector<theory::LongRunFigures> longRun = theory::DefaultLongRun();
    for (size_t s = 0; s < kSettingCount; ++s) {
      p.PayoutRate += p.Estimate.Probability[s] * static_cast<double>(100 * longRun[s].Payout);
    }
  } catch (const std::bad_alloc&) {
    outcome = NextGamesOutcome{};
    outcome.status = Status::Fail(StatusKind::OutOfMemory, kPredictionOutOfMemoryMessage);
  }
  return outcome;
}

}  // namespace sorimu
