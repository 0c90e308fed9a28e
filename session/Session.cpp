#include "Session.h"

#include <algorithm>
#include <limits>

#include "BatchNames.h"
#include "Messages.h"
#include "PageMemory.h"
#include "SimReader.h"
#include "SimWriter.h"
#include "SingleRun.h"

namespace sorimu {

namespace {

Slot MakeSlot(std::optional<uint32_t> seed) { return seed ? Slot(*seed) : Slot(); }

// Bonus games add about a sixth to the normal games (11.66 M rows for 10 M
// games); a quarter leaves room for a lucky run.
constexpr double kRowsPerNormalGame = 1.25;

// Left free for everything else on the machine when a run is sized up.
constexpr size_t kMemoryMargin = size_t{128} << 20;

CommandOutcome Failure(Status status, std::optional<std::string> statusText) {
  CommandOutcome outcome;
  outcome.status = std::move(status);
  outcome.notify = true;
  outcome.statusText = std::move(statusText);
  return outcome;
}

}  // namespace

// Marks the session busy for one command and tells the driver both ways.
class Session::BusyScope {
 public:
  explicit BusyScope(Session& session) : session_(session) {
    session_.busy_ = true;
    if (session_.hooks_.stateChanged) session_.hooks_.stateChanged();
  }
  ~BusyScope() {
    session_.busy_ = false;
    if (session_.hooks_.stateChanged) session_.hooks_.stateChanged();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Session& session_;
};

Session::Session(std::optional<uint32_t> seed) : slot_(MakeSlot(seed)) {}

SimFileHeader Session::Header() const {
  return SimFileHeader{info_.Flevel, info_.Games, Records().StartBigStock, Records().StartRegStock};
}

int64_t Session::ExpectedRows(int64_t playNum) {
  return static_cast<int64_t>(static_cast<double>(playNum) * kRowsPerNormalGame);
}

std::optional<int32_t> Session::SettingCheck() {
  if (busy_) return std::nullopt;
  // After a batch the level told is that of its last run, not of the run on
  // display, which stays as hidden as it was.
  if (display_ == DisplayState::Current) shownRun_.LevelRevealed = true;
  return info_.Flevel;
}

void Session::Report(const std::string& status, int progress) const {
  if (hooks_.report) hooks_.report(status, progress);
}

void Session::SetDisplay(DisplayState state) {
  if (display_ == state) return;
  display_ = state;
  if (hooks_.stateChanged) hooks_.stateChanged();
}

void Session::ShowSpare() {
  shown_ = 1 - shown_;
  Spare().ClearRows();  // the memory stays for the next run or read
}

CommandOutcome Session::Start(const StartTexts& texts) {
  if (busy_) return {};
  const StartCheck check = CheckStartInputs(texts);
  if (!check.status.Ok()) {
    // A range error empties the status text; a text that is no integer leaves it.
    const bool notInteger = check.status.Kind == StatusKind::NotInteger;
    return Failure(check.status, notInteger ? std::nullopt : std::optional<std::string>(""));
  }
  if (const std::optional<std::string> tooLarge = CheckRunFits(check.inputs.PlayNum)) {
    return Failure(Status::Fail(StatusKind::TooLarge, *tooLarge), std::string());
  }

  BusyScope busy(*this);
  Report(kRunningStatus, -1);
  return check.inputs.SimNum == 1 ? PlaySingle(check.inputs) : PlayBatch(check.inputs);
}

std::optional<std::string> Session::CheckRunFits(int32_t playNum) const {
  const size_t perRow = sizeof(RunRow) + displayBytesPerRow_;
  // The spare's rows are reused; the records on display are kept until the
  // run is complete, so they do not count.
  const size_t reusable = records_[1 - shown_].RowCapacity() * sizeof(RunRow);
  const size_t available = AvailableMemoryBytes();
  if (available == std::numeric_limits<size_t>::max()) return std::nullopt;
  const double usable =
      static_cast<double>(available > kMemoryMargin ? available - kMemoryMargin : 0) +
      static_cast<double>(reusable);
  const double needed = static_cast<double>(ExpectedRows(playNum)) * static_cast<double>(perRow);
  if (needed <= usable) return std::nullopt;
  const double largest = usable / (kRowsPerNormalGame * static_cast<double>(perRow));
  return RunTooLargeMessage(static_cast<long long>(std::max(0.0, largest)));
}

RunStatus Session::PlayInto(RunRecords& records, const StartInputs& inputs, int32_t repetition) {
  auto messagePoint = [&] {
    if (hooks_.messagePoint) hooks_.messagePoint(inputs.HiddenFlevel);
  };
  RunProgress progress;
  if (hooks_.runProgress) {
    progress = [&](int32_t gamesPlayed) {
      RunProgressInfo info;
      info.GamesDone = gamesPlayed;
      info.GamesTotal = inputs.PlayNum;
      info.Repetition = repetition;
      info.Repetitions = inputs.SimNum;
      return hooks_.runProgress(info);
    };
  }
  return Simulate(slot_, records, inputs, messagePoint, progress);
}

std::optional<CommandOutcome> Session::RunStopped(RunStatus status) {
  switch (status) {
    case RunStatus::Completed: return std::nullopt;
    case RunStatus::OutOfMemory:
      return Failure(Status::Fail(StatusKind::OutOfMemory, kOutOfMemoryMessage),
                     std::string(kOutOfMemoryMessage));
    case RunStatus::Cancelled: break;
  }
  Spare().ClearRows();
  CommandOutcome outcome;
  outcome.status = Status::Fail(StatusKind::Cancelled, kRunCancelledStatus);
  outcome.statusText = kRunCancelledStatus;
  return outcome;
}

CommandOutcome Session::PlaySingle(const StartInputs& inputs) {
  if (std::optional<CommandOutcome> stopped = RunStopped(PlayInto(Spare(), inputs, 1))) {
    return *stopped;
  }
  ShowSpare();
  info_ = RecordsInfo{slot_.GetFlevel(), slot_.PlayCount, RecordsSource::Played, {}};
  shownRun_ = ShownRunOf(Records(), info_.Flevel, inputs.HiddenFlevel);
  SetDisplay(DisplayState::Current);
  CommandOutcome outcome;
  outcome.display = true;
  outcome.statusText = kDoneStatus;
  return outcome;
}

CommandOutcome Session::PlayBatch(const StartInputs& inputs) {
  // Without a name the batch could only overwrite the files of an earlier
  // save or batch, so a cancelled dialog ends it before its first run.
  const std::optional<std::string> baseName =
      hooks_.askBatchPath ? hooks_.askBatchPath() : std::nullopt;
  if (!baseName) {
    CommandOutcome outcome;
    outcome.status = Status::Fail(StatusKind::Cancelled, "");
    outcome.statusText = "";  // nothing ran: the running text would be a lie
    return outcome;
  }

  for (int32_t i = 1; i <= inputs.SimNum; ++i) {
    if (std::optional<CommandOutcome> stopped = RunStopped(PlayInto(Spare(), inputs, i))) {
      if (stopped->status.Kind == StatusKind::OutOfMemory) {
        Report(kOutOfMemoryMessage, BatchProgressPosition(i - 1, inputs.SimNum));
      }
      return *stopped;
    }
    ShowSpare();
    const std::string path = BatchFileName(*baseName, slot_.GetFlevel(), slot_.PlayCount, i);
    info_ = RecordsInfo{slot_.GetFlevel(), slot_.PlayCount, RecordsSource::Batch, path};
    if (display_ == DisplayState::Current) SetDisplay(DisplayState::Stale);

    const int progress = BatchProgressPosition(i, inputs.SimNum);
    Report(kBatchSavingStatus + path, progress);
    const Status saved = SaveSimFile(path, Header(), Records());
    if (!saved.Ok()) {
      // Files of earlier repetitions stay; this one and the rest are not made.
      Report(kBatchErrorStatus, progress);
      return Failure(saved, std::string(kBatchErrorStatus));
    }
    if (hooks_.batchFileSaved) hooks_.batchFileSaved(path);
    if (i == INT32_MAX) break;
  }
  Report(kBatchDoneStatus, BatchProgressPosition(inputs.SimNum, inputs.SimNum));
  CommandOutcome outcome;
  outcome.statusText = kDoneStatus;
  return outcome;
}

CommandOutcome Session::Open(const std::string& path) {
  if (busy_) return {};
  BusyScope busy(*this);
  Report(kReadingStatus, -1);
  const SimReadResult read = ReadSimFile(path, Spare(), displayBytesPerRow_);
  if (!read.status.Ok()) {
    Spare().ClearRows();
    // A file that cannot be opened was never begun on: the status text goes back.
    const bool begun = read.status.Kind != StatusKind::CannotOpen;
    return Failure(read.status,
                   begun ? std::optional<std::string>(kReadBrokenOffStatus) : std::nullopt);
  }
  ShowSpare();
  const SimFileHeader& header = read.header;
  records_[shown_].SetStartStocks(header.BigStock, header.RegStock);
  info_ = RecordsInfo{header.Flevel, header.Games, RecordsSource::Opened, path};
  // An opened file puts its level in the setting box: nothing is hidden.
  shownRun_ = ShownRunOf(Records(), header.Flevel, false);
  SetDisplay(DisplayState::Current);
  CommandOutcome outcome;
  outcome.display = true;
  outcome.shownHeader = header;
  outcome.statusText = kReadDoneStatus;
  return outcome;
}

CommandOutcome Session::Save(const std::string& path) {
  if (!CanSave()) return {};
  // The file is replaced only once it was written in full, so a failure
  // leaves an earlier file of that name as it was.
  const Status saved = SaveSimFile(path, Header(), Records());
  if (!saved.Ok()) return Failure(saved, std::nullopt);
  info_.Path = path;
  CommandOutcome outcome;
  outcome.statusText = kSaveDoneStatus;
  return outcome;
}

}  // namespace sorimu
