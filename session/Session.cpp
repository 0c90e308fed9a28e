#include "Session.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>

#include "BatchNames.h"
#include "DiskRoom.h"
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

CommandOutcome Failure(Status status, StatusLine line) {
  CommandOutcome outcome;
  outcome.status = std::move(status);
  outcome.notify = true;
  outcome.line = line;
  return outcome;
}

CommandOutcome Stopped() {
  CommandOutcome outcome;
  outcome.status = Status::Fail(StatusKind::Cancelled, kRunCancelledStatus);
  outcome.line = StatusLine::Cancelled;
  return outcome;
}

const RunRecords& NoRecords() {
  static const RunRecords none;
  return none;
}

}  // namespace

// Marks the session busy for one command and tells the driver both ways.
class Session::BusyScope {
 public:
  explicit BusyScope(Session& session) : session_(session) {
    session_.busy_ = true;
    session_.StateChanged();
  }
  ~BusyScope() {
    session_.busy_ = false;
    session_.StateChanged();
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Session& session_;
};

Session::Session(std::optional<uint32_t> seed) : slot_(MakeSlot(seed)) {}

DisplayState Session::Display() const {
  if (shown_ == nullptr) return DisplayState::Nothing;
  return shown_ == current_ ? DisplayState::Current : DisplayState::Stale;
}

const RunRecords& Session::Records() const {
  return current_ != nullptr ? current_->Records : NoRecords();
}

RecordsInfo Session::Info() const {
  RecordsInfo info;
  if (current_ == nullptr) return info;
  info.Flevel = current_->Header.Flevel;
  info.Games = current_->Header.Games;
  info.Source = current_->Source;
  info.Path = path_;
  return info;
}

SimFileHeader Session::Header() const {
  const RecordsInfo info = Info();
  return SimFileHeader{info.Flevel, info.Games, Records().StartBigStock, Records().StartRegStock};
}

int64_t Session::ExpectedRows(int64_t playNum) {
  return static_cast<int64_t>(static_cast<double>(playNum) * kRowsPerNormalGame);
}

std::optional<int32_t> Session::SettingCheck() {
  if (busy_) return std::nullopt;
  // After a batch the level told is that of its last run, not of the run on
  // display, which stays as hidden as it was.
  if (Display() == DisplayState::Current) shownRun_.LevelRevealed = true;
  return Info().Flevel;
}

void Session::Report(StatusLine line, int progress, const std::string& detail) const {
  if (hooks_.report) hooks_.report(line, detail, progress);
}

void Session::StateChanged() const {
  if (hooks_.stateChanged) hooks_.stateChanged();
}

std::shared_ptr<RunSnapshot> Session::Fresh() {
  std::shared_ptr<RunSnapshot> run = std::move(spare_);
  // Held by a view or a worker, it is theirs until they let it go.
  if (run == nullptr || run.use_count() > 1) return std::make_shared<RunSnapshot>();
  run->Records.ClearRows();
  run->Records.SetStartStocks(0, 0);
  run->Header = {};
  run->Source = RecordsSource::None;
  run->HiddenLevel = false;
  return run;
}

void Session::Publish(std::shared_ptr<RunSnapshot> run, bool show) {
  const DisplayState before = Display();
  // What a smaller run leaves of a reused snapshot's memory goes back now.
  run->Records.ReleaseUnused();
  std::shared_ptr<RunSnapshot> previous = std::move(current_);
  current_ = std::move(run);
  if (show) {
    shown_ = current_;
    shownRun_ = ShownRunOf(current_->Records, current_->Header.Flevel, current_->HiddenLevel);
  }
  // The run before stays for the next run to fill when it is about as large
  // as this one, as the next is likely to be; another is let go, and its
  // memory with it once nobody reads it any more.
  const size_t room = current_->Records.RowCapacity();
  const size_t previousRoom = previous != nullptr ? previous->Records.RowCapacity() : 0;
  if (previous != nullptr && previous != shown_ && previousRoom >= room / 2 &&
      previousRoom <= room + room / 8 + RunRecords::kChunkRows) {
    spare_ = std::move(previous);
  } else {
    spare_.reset();
  }
  if (Display() != before) StateChanged();
}

bool Session::PrepareShow(const std::shared_ptr<RunSnapshot>& run) {
  return !hooks_.prepareShow || hooks_.prepareShow(run);
}

std::optional<CommandOutcome> Session::CheckStart(const StartTexts& texts) const {
  const StartCheck check = CheckStartInputs(texts);
  if (!check.status.Ok()) {
    // A range error empties the status line; a text that is no integer leaves it.
    const bool notInteger = check.status.Kind == StatusKind::NotInteger;
    return Failure(check.status, notInteger ? StatusLine::Keep : StatusLine::Clear);
  }
  if (const std::optional<std::string> tooLarge = CheckRunFits(check.inputs.PlayNum)) {
    return Failure(Status::Fail(StatusKind::TooLarge, *tooLarge), StatusLine::Clear);
  }
  return std::nullopt;
}

CommandOutcome Session::Start(const StartTexts& texts) {
  if (busy_) return {};
  if (std::optional<CommandOutcome> refused = CheckStart(texts)) return *refused;
  const StartInputs inputs = CheckStartInputs(texts).inputs;
  BusyScope busy(*this);
  Report(StatusLine::Running, -1);
  return inputs.SimNum == 1 ? PlaySingle(inputs) : PlayBatch(inputs);
}

std::optional<std::string> Session::CheckRunFits(int32_t playNum) const {
  const size_t perRow = sizeof(RunRow) + displayBytesPerRow_;
  // The spare's rows are reused; the run on display is kept until the new
  // one is complete, so it does not count.
  const size_t reusable = spare_ != nullptr && spare_.use_count() == 1
                              ? spare_->Records.RowCapacity() * sizeof(RunRow)
                              : 0;
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
                     StatusLine::OutOfMemory);
    case RunStatus::Cancelled: break;
  }
  return Stopped();
}

CommandOutcome Session::PlaySingle(const StartInputs& inputs) {
  std::shared_ptr<RunSnapshot> run = Fresh();
  const RunStatus status = PlayInto(run->Records, inputs, 1);
  if (std::optional<CommandOutcome> stopped = RunStopped(status)) {
    run->Records.ClearRows();
    spare_ = std::move(run);
    return *stopped;
  }
  run->Header = {slot_.GetFlevel(), slot_.PlayCount, run->Records.StartBigStock,
                 run->Records.StartRegStock};
  run->Source = RecordsSource::Played;
  run->HiddenLevel = inputs.HiddenFlevel;
  if (!PrepareShow(run)) {
    spare_ = std::move(run);
    return Stopped();
  }
  Publish(std::move(run), true);
  path_.clear();
  CommandOutcome outcome;
  outcome.display = true;
  outcome.line = StatusLine::Done;
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
    outcome.line = StatusLine::Clear;  // nothing ran: the running text would be a lie
    return outcome;
  }
  const uint64_t least = LeastSimFileBytes(inputs.PlayNum) * static_cast<uint64_t>(inputs.SimNum);
  if (const std::optional<std::string> noRoom = CheckRoomFor(*baseName, least)) {
    return Failure(Status::Fail(StatusKind::WriteFailed, *noRoom, ENOSPC), StatusLine::Clear);
  }

  for (int32_t i = 1; i <= inputs.SimNum; ++i) {
    std::shared_ptr<RunSnapshot> run = Fresh();
    if (std::optional<CommandOutcome> stopped = RunStopped(PlayInto(run->Records, inputs, i))) {
      if (stopped->status.Kind == StatusKind::OutOfMemory) {
        Report(StatusLine::OutOfMemory, BatchProgressPosition(i - 1, inputs.SimNum));
      }
      return *stopped;
    }
    const std::string path = BatchFileName(*baseName, slot_.GetFlevel(), slot_.PlayCount, i);
    run->Header = {slot_.GetFlevel(), slot_.PlayCount, run->Records.StartBigStock,
                   run->Records.StartRegStock};
    run->Source = RecordsSource::Batch;
    run->HiddenLevel = inputs.HiddenFlevel;
    Publish(std::move(run), false);
    path_ = path;

    const int progress = BatchProgressPosition(i, inputs.SimNum);
    Report(StatusLine::BatchSaving, progress, path);
    const Status saved = SaveSimFile(path, Header(), Records());
    if (!saved.Ok()) {
      // Files of earlier repetitions stay; this one and the rest are not made.
      Report(StatusLine::BatchError, progress);
      return Failure(saved, StatusLine::BatchError);
    }
    if (hooks_.batchFileSaved) hooks_.batchFileSaved(path);
    if (i == INT32_MAX) break;
  }
  Report(StatusLine::BatchDone, BatchProgressPosition(inputs.SimNum, inputs.SimNum));
  CommandOutcome outcome;
  outcome.line = StatusLine::BatchFinished;
  std::error_code failed;
  const std::filesystem::path written = std::filesystem::absolute(*baseName, failed);
  outcome.lineDetail = BatchFinishedStatus(
      inputs.SimNum, (failed ? std::filesystem::path(*baseName) : written).parent_path().string());
  return outcome;
}

CommandOutcome Session::Open(const std::string& path) {
  if (busy_) return {};
  BusyScope busy(*this);
  Report(StatusLine::Reading, -1);
  std::shared_ptr<RunSnapshot> run = Fresh();
  const SimReadResult read = ReadSimFile(path, run->Records, displayBytesPerRow_);
  if (!read.status.Ok()) {
    run->Records.ClearRows();
    spare_ = std::move(run);
    // A file that cannot be opened was never begun on: the status line goes back.
    const bool begun = read.status.Kind != StatusKind::CannotOpen;
    return Failure(read.status, begun ? StatusLine::ReadBrokenOff : StatusLine::Keep);
  }
  const SimFileHeader& header = read.header;
  run->Records.SetStartStocks(header.BigStock, header.RegStock);
  run->Header = header;
  run->Source = RecordsSource::Opened;
  // An opened file puts its level in the setting box: nothing is hidden.
  run->HiddenLevel = false;
  if (!PrepareShow(run)) {
    spare_ = std::move(run);
    CommandOutcome outcome;
    outcome.status = Status::Fail(StatusKind::Cancelled, kReadBrokenOffStatus);
    outcome.line = StatusLine::ReadBrokenOff;
    return outcome;
  }
  Publish(std::move(run), true);
  path_ = path;
  CommandOutcome outcome;
  outcome.display = true;
  outcome.shownHeader = header;
  outcome.line = StatusLine::ReadDone;
  return outcome;
}

CommandOutcome Session::Save(const std::string& path) {
  if (!CanSave()) return {};
  // The file is replaced only once it was written in full, so a failure
  // leaves an earlier file of that name as it was.
  const Status saved = SaveSimFile(path, Header(), Records());
  if (!saved.Ok()) return Failure(saved, StatusLine::Keep);
  path_ = path;
  CommandOutcome outcome;
  outcome.line = StatusLine::SaveDone;
  return outcome;
}

}  // namespace sorimu
