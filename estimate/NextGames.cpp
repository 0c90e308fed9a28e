#include "NextGames.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "LongRun.h"
#include "ManyRunAnalysis.h"
#include "Messages.h"
#include "RunFigures.h"
#include "RunState.h"
#include "Slot.h"

namespace sorimu {

namespace {

// A uniform draw in [0, 1) from the top 53 bits.
double Uniform(uint64_t bits) { return static_cast<double>(bits >> 11) * 0x1.0p-53; }

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
  const std::atomic<bool>* cancel;
  std::atomic<int32_t>* shown;  // may be null
  std::atomic<int64_t> next{0};
  std::atomic<int64_t> done{0};

  bool Cancelled() const { return cancel != nullptr && cancel->load(std::memory_order_relaxed); }

  int32_t SettingOf(double u) const {
    for (int32_t level = 1; level < kSettingCount; ++level) {
      if (u < cumulative[SettingIndex(level)]) return level;
    }
    return kSettingCount;
  }

  void Play(int64_t draw) {
    const uint64_t key = SplitMix64(SplitMix64(request->Seed) ^ static_cast<uint64_t>(draw));
    const int32_t setting = SettingOf(Uniform(SplitMix64(key + 1)));
    Slot slot(static_cast<uint32_t>(key >> 32));
    PlaceMachine(slot, *state, setting, Uniform(SplitMix64(key + 2)), Uniform(SplitMix64(key + 3)));
    const size_t points = checkpoints->size();
    int32_t* out = along->data() + static_cast<size_t>(draw) * points;
    size_t k = 0;
    while (slot.PlayCount < request->Games) {
      slot.Play();
      if (slot.BonusGames == 0 && k < points && slot.PlayCount == (*checkpoints)[k]) {
        out[k++] = slot.Medal;
      }
    }
    (*finals)[static_cast<size_t>(draw)] = slot.Medal;
    (*settings)[static_cast<size_t>(draw)] = setting;
  }

  void Work() {
    for (int64_t i = next.fetch_add(1); i < request->Draws; i = next.fetch_add(1)) {
      if (Cancelled()) return;
      Play(i);
      done.fetch_add(1, std::memory_order_relaxed);
      if (shown != nullptr) shown->fetch_add(1, std::memory_order_relaxed);
    }
  }
};

int WorkerCount(int jobs, int64_t draws) {
  int count = jobs;
  if (count <= 0) count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return static_cast<int>(std::min<int64_t>(count, std::max<int64_t>(draws, 1)));
}

// Plays every draw on `workers` threads (or on this one when none start);
// returns the number of threads that did the work.
int PlayAll(Draws& draws, int workers) {
  std::vector<std::jthread> threads;
  for (int i = 0; i < workers; ++i) {
    try {
      threads.emplace_back([&draws] { draws.Work(); });
    } catch (const std::system_error&) {
      break;  // fewer threads still finish the work
    }
  }
  if (threads.empty()) draws.Work();
  return std::max<int>(1, static_cast<int>(threads.size()));
}

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

NextGamesOutcome PredictNextGames(const RunRecords& records, const NextGamesRequest& request,
                                  const std::atomic<bool>* cancel,
                                  std::atomic<int32_t>* drawsDone) {
  NextGamesOutcome outcome;
  outcome.status = CheckNextGamesRequest(request);
  if (!outcome.status.Ok()) return outcome;
  NextGamesPrediction& p = outcome.Prediction;
  p.Request = request;
  p.Estimate = EstimateSetting(records, request.Prior);

  try {
    const RunState state = ReadRunState(records);
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
    work.cancel = cancel;
    work.shown = drawsDone;
    p.Request.Jobs = PlayAll(work, WorkerCount(request.Jobs, request.Draws));
    if (work.done.load() != request.Draws) {
      outcome = NextGamesOutcome{};
      outcome.status = Status::Fail(StatusKind::Cancelled, "");
      return outcome;
    }

    int64_t ahead = 0;
    std::vector<double> values(draws);
    for (size_t i = 0; i < draws; ++i) {
      values[i] = finals[i];
      ahead += finals[i] > 0 ? 1 : 0;
      ++p.DrawsPerSetting[static_cast<size_t>(settings[i] - 1)];
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
